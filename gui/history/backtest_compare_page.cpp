#include "gui/history/backtest_compare_page.h"

#include <QFileInfo>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "analysis/comparison.h"
#include "app/compared_scheme.h"
#include "gui/history/analysis_views.h"
#include "gui/history/backtest_cells.h"
#include "gui/history/value_table_model.h"
#include "gui/scheme_files.h"
#include "runtime/platform.h"

namespace sanxing {

namespace {

using namespace analysis;

}  // namespace

ComparePage::ComparePage(Platform& platform, const ControlStore& controls, QWidget* parent)
    : QWidget(parent), platform_(platform), controls_(controls) {
    hint_ = new QLabel;
    hint_->setWordWrap(true);
    model_ = new ValueTableModel(
        {QStringLiteral("方案"), QStringLiteral("生效条件"), QStringLiteral("注数"), QStringLiteral("命中期数"),
         QStringLiteral("命中率"), QStringLiteral("随机命中率"), QStringLiteral("p 值"), QStringLiteral("盈亏（元）")},
        this);
    model_->setHeaderToolTips(
        {QStringLiteral("方案文件；第一行是窗口中的当前条件"),
         QStringLiteral("生效的条件个数"),
         QStringLiteral("方案的容错下缩水结果的注数（大底用窗口中的大底）"),
         {},
         {},
         QStringLiteral("随机选同样注数的命中率：注数 ÷ 1000"),
         QStringLiteral("命中期数与随机期望之差的双侧精确二项检验；p ≥ 0.05 时与随机选号没有显著差别"),
         QStringLiteral("按盈亏页的每注价格和直选奖金")});
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
            schemes_.emplace_back(file, std::move(*scheme));
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

void ComparePage::showFigures(const Backtest& current, std::span<const AnalysedDraw> draws, const Prices& prices) {
    std::vector<SchemeFigures> rows{FiguresOfScheme("", current, prices)};
    for (const auto& [file, scheme] : schemes_) {
        rows.push_back(FiguresOfScheme(file.toStdString(), ConditionsWithScheme(controls_, scheme), draws, prices));
    }
    hint_->setText(schemes_.empty() ? QStringLiteral("点击下方的“对比方案…”，选择最多 %1 个保存的方案文件，"
                                                     "在同一范围、同一大底下与当前条件对比。")
                                          .arg(kMaxComparedSchemes)
                                    : QStringLiteral("同一范围、同一大底，各按自己的条件和容错；每注价格和直选奖金"
                                                     "按盈亏页。"));
    const int count = static_cast<int>(draws.size());
    const int shown = static_cast<int>(rows.size());
    model_->reset(shown, [rows = std::move(rows), count](int row, int column) -> TableCell {
        const SchemeFigures& f = rows[static_cast<std::size_t>(row)];
        switch (column) {
            case 0: return {f.scheme.empty() ? QStringLiteral("当前条件") : QFileInfo(Utf8(f.scheme)).fileName()};
            case 1: return {f.activeGroups};
            case 2: return {f.resultSize};
            case 3: return {f.hits};
            case 4: return PercentCell(count == 0 ? 0 : static_cast<double>(f.hits) / count);
            case 5: return PercentCell(f.chance);
            case 6: return PValueCell(f.pValue);
            default: return {QString::number(f.net), static_cast<double>(f.net)};
        }
    });
}

void ComparePage::clear() {
    hint_->clear();
    model_->reset(0, {});
}

}  // namespace sanxing
