#include "gui/backtest/backtest_pages.h"

#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "gui/analysis/analysis_views.h"
#include "gui/backtest/backtest_cells.h"
#include "gui/backtest/backtest_charts.h"
#include "gui/backtest/backtest_columns.h"
#include "numbers/set_text.h"

namespace sanxing {

namespace {

using namespace analysis;

// The page's one child fills it.
QVBoxLayout* FilledBy(QWidget& page, QWidget* child) {
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(child, 1);
    return layout;
}

// A table with all its columns in view beside a view that takes the rest of the width.
QSplitter* SideBySide(QTableView* table, QWidget* beside) {
    auto* splitter = new QSplitter;
    splitter->addWidget(table);
    splitter->addWidget(beside);
    splitter->setStretchFactor(1, 1);
    int tableWidth = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        tableWidth += table->horizontalHeader()->sectionSize(column);
    }
    splitter->setSizes({tableWidth + 16, 1000});
    return splitter;
}

QChartView* ChartView() {
    auto* view = new QChartView;
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

QString GroupNames(const std::vector<GroupName>& groups) {
    QStringList names;
    for (const GroupName& g : groups) names << QStringLiteral("%1 %2").arg(g.row).arg(Utf8(g.name));
    return names.join(QStringLiteral("、"));
}

const Columns<CurvePoint, Backtest>& CurveColumns() {
    static const Columns<CurvePoint, Backtest> columns = {
        {QStringLiteral("容错"), QStringLiteral("容错 0-t：错的条件不超过 t 个"),
         [](const CurvePoint& p, const Backtest&) -> TableCell {
             return {QStringLiteral("0-%1").arg(p.maxFailures), p.maxFailures};
         }},
        {QStringLiteral("命中期数"), QStringLiteral("开奖号码在大底中、错的条件不超过 t 个的期数"),
         [](const CurvePoint& p, const Backtest&) -> TableCell { return {p.hits}; }},
        {QStringLiteral("命中率"),
         {},
         [](const CurvePoint& p, const Backtest& b) {
             return PercentCell(p.hits / static_cast<double>(b.draws.size()));
         }},
        {QStringLiteral("结果注数"), QStringLiteral("大底（为空时是全部 1000 注）中错的条件不超过 t 个的注数"),
         [](const CurvePoint& p, const Backtest&) -> TableCell { return {p.resultSize}; }},
        {QStringLiteral("随机命中率"), QStringLiteral("随机选同样注数的命中率：结果注数 ÷ 1000"),
         [](const CurvePoint& p, const Backtest&) { return PercentCell(p.chance); }},
    };
    return columns;
}

const Columns<GroupFigures, Backtest>& GroupColumns() {
    static const Columns<GroupFigures, Backtest> columns = {
        {QStringLiteral("序号"), QStringLiteral("条件在缩水中的次序"),
         [](const GroupFigures& g, const Backtest&) -> TableCell { return {g.group.row}; }},
        {QStringLiteral("条件"),
         {},
         [](const GroupFigures& g, const Backtest&) -> TableCell { return {Utf8(g.group.name)}; }},
        {QStringLiteral("通过注数"), QStringLiteral("1000 注中满足这个条件的注数"),
         [](const GroupFigures& g, const Backtest&) -> TableCell { return {g.passes}; }},
        {QStringLiteral("杀中期数"), QStringLiteral("开奖号码不满足这个条件的期数（这个条件把开奖号码杀掉了）"),
         [](const GroupFigures& g, const Backtest&) -> TableCell { return {g.kills}; }},
        {QStringLiteral("随机期望"), QStringLiteral("随机情况下的杀中期数：期数 ×（1000 − 通过注数）÷ 1000"),
         [](const GroupFigures& g, const Backtest&) -> TableCell {
             return {QString::number(g.expectedKills, 'f', 2), g.expectedKills};
         }},
        {QStringLiteral("距上次杀中"), QStringLiteral("最近一次杀中之后的期数；从未杀中时为期数"),
         [](const GroupFigures& g, const Backtest&) -> TableCell { return {g.sinceLastKill}; }},
        {QStringLiteral("最长连杀"), QStringLiteral("连续杀中的最长期数"),
         [](const GroupFigures& g, const Backtest&) -> TableCell { return {g.longestKillRun}; }},
        {QStringLiteral("最长连过"), QStringLiteral("连续没有杀中的最长期数"),
         [](const GroupFigures& g, const Backtest&) -> TableCell { return {g.longestPassRun}; }},
        {QStringLiteral("p 值"), QStringLiteral("杀中期数与随机期望之差的双侧精确二项检验"),
         [](const GroupFigures& g, const Backtest&) { return PValueCell(g.pValue); }},
    };
    return columns;
}

const Columns<DrawOutcome, Conditions>& DrawColumns() {
    static const Columns<DrawOutcome, Conditions> columns = {
        {QStringLiteral("期号"),
         {},
         [](const DrawOutcome& d, const Conditions&) -> TableCell { return {Utf8(d.issue)}; }},
        {QStringLiteral("号码"),
         {},
         [](const DrawOutcome& d, const Conditions&) -> TableCell { return {Utf8(d.number)}; }},
        {QStringLiteral("三码"), QStringLiteral("按所选位置取出的三位数"),
         [](const DrawOutcome& d, const Conditions&) -> TableCell { return {Utf8(NumberText(d.value))}; }},
        {QStringLiteral("错数"), QStringLiteral("错的条件个数"),
         [](const DrawOutcome& d, const Conditions&) -> TableCell { return {d.failures}; }},
        {QStringLiteral("在大底"), QStringLiteral("三码是大底中的一注（大底为空时总是）"),
         [](const DrawOutcome& d, const Conditions&) -> TableCell {
             return {d.inBase ? QStringLiteral("是") : QStringLiteral("否")};
         }},
        {QStringLiteral("结果"), QStringLiteral("在大底中且错数在容错范围内：会在缩水结果中；红色为不中"),
         [](const DrawOutcome& d, const Conditions&) -> TableCell {
             return {d.hit ? QStringLiteral("中") : QStringLiteral("不中")};
         }},
        {QStringLiteral("错的条件"),
         {},
         [](const DrawOutcome& d, const Conditions& c) -> TableCell {
             return {GroupNames(c.failedGroups(d.failedMask))};
         }},
    };
    return columns;
}

struct NoContext {};

const Columns<YearFigures, NoContext>& YearColumns() {
    static const Columns<YearFigures, NoContext> columns = {
        {QStringLiteral("年份"), QStringLiteral("期号所属的年份"),
         [](const YearFigures& y, const NoContext&) -> TableCell {
             return {y.year == 0 ? QStringLiteral("未知") : QString::number(y.year), y.year};
         }},
        {QStringLiteral("期数"), {}, [](const YearFigures& y, const NoContext&) -> TableCell { return {y.draws}; }},
        {QStringLiteral("命中期数"), {}, [](const YearFigures& y, const NoContext&) -> TableCell { return {y.hits}; }},
        {QStringLiteral("命中率"),
         {},
         [](const YearFigures& y, const NoContext&) { return PercentCell(static_cast<double>(y.hits) / y.draws); }},
        {QStringLiteral("随机期望"), QStringLiteral("随机选同样注数时的期望命中期数：期数 × 随机命中率"),
         [](const YearFigures& y, const NoContext&) -> TableCell {
             return {QString::number(y.expected, 'f', 2), y.expected};
         }},
        {QStringLiteral("p 值"), QStringLiteral("这一年的命中期数与随机期望之差的双侧精确二项检验"),
         [](const YearFigures& y, const NoContext&) { return PValueCell(y.pValue); }},
    };
    return columns;
}

}  // namespace

CurvePage::CurvePage(QWidget* parent) : QWidget(parent) {
    model_ = ModelOf(CurveColumns(), this);
    table_ = MakeTableView(model_, false);
    table_->horizontalHeader()->setDefaultSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("随机命中率")) +
                                                      14);
    chart_ = ChartView();
    noActiveGroup_ = new QLabel(QStringLiteral("没有生效的条件"));
    noActiveGroup_->setAlignment(Qt::AlignCenter);
    stack_ = new QStackedWidget;
    stack_->addWidget(chart_);
    stack_->addWidget(noActiveGroup_);
    stack_->setMinimumWidth(320);
    FilledBy(*this, SideBySide(table_, stack_));
}

void CurvePage::showFigures(const Backtest& backtest, const Conditions& conditions) {
    ShowRows<CurvePoint, Backtest>(*model_, CurveColumns(), backtest.curve, backtest);
    ReplaceChart(*chart_, MakeCurveChart(backtest, conditions));
    stack_->setCurrentWidget(backtest.groups.empty() ? static_cast<QWidget*>(noActiveGroup_) : chart_);
}

void CurvePage::clear() {
    model_->reset(0, {});
    ReplaceChart(*chart_, new QChart);
    stack_->setCurrentWidget(chart_);
}

QWidget* CurvePage::view() const { return stack_->currentWidget(); }

GroupsPage::GroupsPage(QWidget* parent) : QWidget(parent) {
    model_ = ModelOf(GroupColumns(), this);
    table_ = MakeTableView(model_, true);
    legend_ = new QLabel;
    legend_->setWordWrap(true);
    FilledBy(*this, table_)->addWidget(legend_);
}

void GroupsPage::showFigures(const Backtest& b) {
    ShowRows<GroupFigures, Backtest>(*model_, GroupColumns(), b.groups, b,
                                     [&b](int row) { return b.groups[static_cast<std::size_t>(row)].standsOut; });
    const auto count = static_cast<double>(b.groups.size());
    legend_->setText(QStringLiteral("红色：杀中期数与随机期望相差显著的条件，即 p 值小于 0.05 ÷ %1 个生效条件 = %2"
                                    "（Bonferroni 校正：条件多时，总有几个会因运气偏离随机期望）。")
                         .arg(b.groups.size())
                         .arg(Utf8(PValueFigure(kSignificanceLevel / count))));
    legend_->setVisible(!b.groups.empty());
}

void GroupsPage::clear() {
    model_->reset(0, {});
    legend_->clear();
    legend_->hide();
}

QString GroupsPage::legendText() const { return legend_->text(); }

DrawsPage::DrawsPage(QWidget* parent) : QWidget(parent) {
    model_ = ModelOf(DrawColumns(), this);
    table_ = MakeTableView(model_, false);
    FilledBy(*this, table_);
}

void DrawsPage::showFigures(const Backtest& b, const Conditions& conditions, bool wholeNumber) {
    ShowRows<DrawOutcome, Conditions>(*model_, DrawColumns(), b.draws, conditions,
                                      [&b](int row) { return !b.draws[static_cast<std::size_t>(row)].hit; });
    table_->setColumnHidden(2, wholeNumber);
    table_->scrollToBottom();
}

void DrawsPage::clear() { model_->reset(0, {}); }

YearsPage::YearsPage(QWidget* parent) : QWidget(parent) {
    model_ = ModelOf(YearColumns(), this);
    table_ = MakeTableView(model_, false);
    chart_ = ChartView();
    chart_->setMinimumWidth(320);
    FilledBy(*this, SideBySide(table_, chart_));
}

void YearsPage::showFigures(const std::vector<YearFigures>& years, double chance) {
    static const NoContext none;
    ShowRows<YearFigures, NoContext>(*model_, YearColumns(), years, none);
    table_->resizeColumnsToContents();
    ReplaceChart(*chart_, MakeYearChart(years, chance));
}

void YearsPage::clear() {
    model_->reset(0, {});
    ReplaceChart(*chart_, new QChart);
}

}  // namespace sanxing
