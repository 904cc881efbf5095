#include "gui/backtest/backtest_compare_page.h"

#include <QFileInfo>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "app/compared_scheme.h"
#include "gui/analysis/analysis_views.h"
#include "gui/analysis/value_table_model.h"
#include "gui/backtest/backtest_cells.h"
#include "gui/backtest/backtest_columns.h"
#include "gui/scheme_files.h"
#include "runtime/platform.h"

namespace sanxing {

namespace {

using namespace analysis;

const Columns<SchemeFigures, int>& CompareColumns() {
    static const Columns<SchemeFigures, int> columns = {
        {QStringLiteral("方案"), QStringLiteral("方案文件；第一行是窗口中的当前条件"),
         [](const SchemeFigures& f, const int&) -> TableCell {
             return {f.scheme.empty() ? QStringLiteral("当前条件") : QFileInfo(Utf8(f.scheme)).fileName()};
         }},
        {QStringLiteral("生效条件"), QStringLiteral("生效的条件个数"),
         [](const SchemeFigures& f, const int&) -> TableCell { return {f.activeGroups}; }},
        {QStringLiteral("注数"), QStringLiteral("方案的容错下缩水结果的注数（大底用窗口中的大底）"),
         [](const SchemeFigures& f, const int&) -> TableCell { return {f.resultSize}; }},
        {QStringLiteral("命中期数"), {}, [](const SchemeFigures& f, const int&) -> TableCell { return {f.hits}; }},
        {QStringLiteral("命中率"),
         {},
         [](const SchemeFigures& f, const int& draws) {
             return PercentCell(draws == 0 ? 0 : static_cast<double>(f.hits) / draws);
         }},
        {QStringLiteral("随机命中率"), QStringLiteral("随机选同样注数的命中率：注数 ÷ 1000"),
         [](const SchemeFigures& f, const int&) { return PercentCell(f.chance); }},
        {QStringLiteral("p 值"),
         QStringLiteral("命中期数与随机期望之差的双侧精确二项检验；p ≥ 0.05 时与随机选号没有显著差别"),
         [](const SchemeFigures& f, const int&) { return PValueCell(f.pValue); }},
        {QStringLiteral("盈亏（元）"), QStringLiteral("按盈亏页的每注价格和直选奖金"),
         [](const SchemeFigures& f, const int&) -> TableCell {
             return {QString::number(f.net), static_cast<double>(f.net)};
         }},
    };
    return columns;
}

}  // namespace

ComparePage::ComparePage(Platform& platform, const ControlStore& controls, QWidget* parent)
    : QWidget(parent), platform_(platform), controls_(controls) {
    hint_ = new QLabel;
    hint_->setWordWrap(true);
    model_ = ModelOf(CompareColumns(), this);
    table_ = MakeTableView(model_, false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint_);
    layout->addWidget(table_, 1);
    clear();
}

void ComparePage::choose() {
    const std::vector<std::string> files = platform_.openFilesDialog(
        {"选择要对比的方案（最多 " + std::to_string(kMaxComparedSchemes) + " 个）", "方案文件(*.json)|*.json", "", ""});
    if (files.empty()) return;
    QStringList chosen;
    for (const std::string& file : files) chosen << QString::fromStdString(file);
    compareWith(chosen);
}

void ComparePage::compareWith(const QStringList& files) {
    schemes_.clear();
    QStringList problems;
    for (const QString& file : files) {
        if (static_cast<int>(schemes_.size()) == kMaxComparedSchemes) {
            problems << QStringLiteral("%1：最多对比 %2 个方案").arg(file).arg(kMaxComparedSchemes);
            continue;
        }
        auto scheme = ReadSchemeFile(controls_, file);
        if (scheme) {
            schemes_.push_back({file.toStdString(), std::move(*scheme)});
        } else {
            problems << file + QStringLiteral("：") + Utf8(scheme.error());
        }
    }
    if (!problems.isEmpty()) {
        platform_.messageBox("这些方案文件没有计入对比：\n" + problems.join('\n').toStdString(), "对比方案",
                             MessageIcon::Warning, MessageButtons::Ok);
    }
    emit schemesChanged();
}

void ComparePage::showFigures(const std::vector<SchemeFigures>& rows, int draws) {
    hint_->setText(schemes_.empty() ? QStringLiteral("点击下方的“对比方案…”，选择最多 %1 个保存的方案文件，"
                                                     "在同一范围、同一大底下与当前条件对比。")
                                          .arg(kMaxComparedSchemes)
                                    : QStringLiteral("同一范围、同一大底，各按自己的条件和容错；每注价格和直选奖金"
                                                     "按盈亏页。"));
    rows_ = rows;
    draws_ = draws;
    ShowRows<SchemeFigures, int>(*model_, CompareColumns(), rows_, draws_);
}

void ComparePage::clear() {
    hint_->clear();
    model_->reset(0, {});
}

}  // namespace sanxing
