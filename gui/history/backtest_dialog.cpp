#include "gui/history/backtest_dialog.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/money.h"
#include "app/window_model.h"
#include "gui/help/help_window.h"
#include "gui/history/analysis_views.h"
#include "gui/history/backtest_cells.h"
#include "gui/history/backtest_charts.h"
#include "gui/history/backtest_compare_page.h"
#include "gui/history/backtest_money_page.h"
#include "gui/history/range_bar.h"
#include "gui/history/value_table_model.h"
#include "numbers/set_text.h"
#include "services/analysis_range.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

using namespace analysis;

QString Q(std::string_view text) { return Utf8(text); }

QString GroupNames(const std::vector<GroupName>& groups) {
    QStringList names;
    for (const GroupName& g : groups) names << QStringLiteral("%1 %2").arg(g.row).arg(Q(g.name));
    return names.join(QStringLiteral("、"));
}

// Changes of these controls never change the conditions: the shrink's own output and
// the report lists (the draw list updates every few seconds).
bool AffectsConditions(const ControlRow& spec) {
    return spec.kind != ControlKind::ReportList && spec.name != ctl::kResult && spec.name != ctl::kResultCount;
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

}  // namespace

BacktestDialog::BacktestDialog(WindowModel& model, std::filesystem::path database, WindowSettings* settings,
                               QWidget* parent)
    : QDialog(parent), model_(model), exports_(settings, kExportsFolder), database_(std::move(database)) {
    setWindowTitle(QStringLiteral("历史验证"));
    rangeBar_ = new RangeBar({100, 300, 500, 1000});
    summary_ = new QLabel;
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);
    summary_->setWordWrap(true);
    verdict_ = new QLabel;
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    verdict_->setWordWrap(true);
    verdict_->setToolTip(
        QStringLiteral("双侧精确二项检验：随机选同样注数时，命中期数与期望相差至少这么多的概率（p 值）。"
                       "p ≥ 0.05 时，这样的差别随机选号也常有，不能说明条件比随机好或差。"
                       "区间是命中率的 95% Wilson 区间。"));
    definitions_ = new QLabel(QStringLiteral("<a href=\"#\">口径说明</a>"));
    definitions_->setToolTip(QStringLiteral("命中、随机命中率、p 值和区间的含义"));
    connect(definitions_, &QLabel::linkActivated, this, [this] { ShowHelpFor(*this, "backtest"); });
    auto* verdictRow = new QHBoxLayout;
    verdictRow->addWidget(verdict_, 1);
    verdictRow->addWidget(definitions_, 0, Qt::AlignTop);
    note_ = new QLabel;
    note_->setWordWrap(true);
    note_->setStyleSheet(QStringLiteral("color: #a05000;"));

    lookup_ = new QLineEdit;
    lookup_->setMaxLength(32);
    lookup_->setPlaceholderText(QStringLiteral("如 123"));
    lookup_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    auto* lookupButton = new QPushButton(QStringLiteral("查号"));
    explanation_ = new QLabel;
    explanation_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    explanation_->setWordWrap(true);
    auto* lookupRow = new QHBoxLayout;
    lookupRow->addWidget(new QLabel(QStringLiteral("查号")));
    lookupRow->addWidget(lookup_);
    lookupRow->addWidget(lookupButton);
    lookupRow->addWidget(explanation_, 1);

    curveModel_ = new ValueTableModel({QStringLiteral("容错"), QStringLiteral("命中期数"), QStringLiteral("命中率"),
                                       QStringLiteral("结果注数"), QStringLiteral("随机命中率")},
                                      this);
    groupsModel_ =
        new ValueTableModel({QStringLiteral("序号"), QStringLiteral("条件"), QStringLiteral("通过注数"),
                             QStringLiteral("杀中期数"), QStringLiteral("随机期望"), QStringLiteral("距上次杀中"),
                             QStringLiteral("最长连杀"), QStringLiteral("最长连过"), QStringLiteral("p 值")},
                            this);
    groupsModel_->setHeaderToolTips({QStringLiteral("条件在缩水中的次序"),
                                     {},
                                     QStringLiteral("1000 注中满足这个条件的注数"),
                                     QStringLiteral("开奖号码不满足这个条件的期数（这个条件把开奖号码杀掉了）"),
                                     QStringLiteral("随机情况下的杀中期数：期数 ×（1000 − 通过注数）÷ 1000"),
                                     QStringLiteral("最近一次杀中之后的期数；从未杀中时为期数"),
                                     QStringLiteral("连续杀中的最长期数"),
                                     QStringLiteral("连续没有杀中的最长期数"),
                                     QStringLiteral("杀中期数与随机期望之差的双侧精确二项检验")});
    drawsModel_ = new ValueTableModel(
        {QStringLiteral("期号"), QStringLiteral("号码"), QStringLiteral("三码"), QStringLiteral("错数"),
         QStringLiteral("在大底"), QStringLiteral("结果"), QStringLiteral("错的条件")},
        this);
    yearsModel_ = new ValueTableModel({QStringLiteral("年份"), QStringLiteral("期数"), QStringLiteral("命中期数"),
                                       QStringLiteral("命中率"), QStringLiteral("随机期望"), QStringLiteral("p 值")},
                                      this);
    yearsModel_->setHeaderToolTips({QStringLiteral("期号所属的年份"),
                                    {},
                                    {},
                                    {},
                                    QStringLiteral("随机选同样注数时的期望命中期数：期数 × 随机命中率"),
                                    QStringLiteral("这一年的命中期数与随机期望之差的双侧精确二项检验")});
    curveModel_->setHeaderToolTips({QStringLiteral("容错 0-t：错的条件不超过 t 个"),
                                    QStringLiteral("开奖号码在大底中、错的条件不超过 t 个的期数"),
                                    {},
                                    QStringLiteral("大底（为空时是全部 1000 注）中错的条件不超过 t 个的注数"),
                                    QStringLiteral("随机选同样注数的命中率：结果注数 ÷ 1000")});
    drawsModel_->setHeaderToolTips({{},
                                    {},
                                    QStringLiteral("按所选位置取出的三位数"),
                                    QStringLiteral("错的条件个数"),
                                    QStringLiteral("三码是大底中的一注（大底为空时总是）"),
                                    QStringLiteral("在大底中且错数在容错范围内：会在缩水结果中；红色为不中")});
    curveTable_ = MakeTableView(curveModel_, false);
    curveTable_->horizontalHeader()->setDefaultSectionSize(
        fontMetrics().horizontalAdvance(QStringLiteral("随机命中率")) + 14);
    groupsTable_ = MakeTableView(groupsModel_, true);
    drawsTable_ = MakeTableView(drawsModel_, false);
    yearsTable_ = MakeTableView(yearsModel_, false);
    money_ = new MoneyPage(model_.platform(), settings);
    compare_ = new ComparePage(model_.platform(), model_.controls());

    tabs_ = new QTabWidget;
    tabs_->addTab(buildCurvePage(), QStringLiteral("容错曲线"));
    tabs_->addTab(buildGroupsPage(), QStringLiteral("条件"));
    tabs_->addTab(drawsTable_, QStringLiteral("逐期"));
    tabs_->addTab(buildYearsPage(), QStringLiteral("逐年"));
    tabs_->addTab(money_, QStringLiteral("盈亏"));
    tabs_->addTab(compare_, QStringLiteral("对比方案"));

    QHBoxLayout* buttons = DialogButtons(*this,
                                         {{QStringLiteral("复制表格"), [this] { copyTable(); }},
                                          {QStringLiteral("导出CSV…"), [this] { exportTable(); }},
                                          {QStringLiteral("对比方案…"), [this] { compare_->choose(); }}},
                                         "backtest");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rangeBar_);
    layout->addWidget(summary_);
    layout->addLayout(verdictRow);
    layout->addWidget(note_);
    layout->addLayout(lookupRow);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    rerun_.setSingleShot(true);
    rerun_.setInterval(150);
    connect(&rerun_, &QTimer::timeout, this, &BacktestDialog::recompute);
    connect(rangeBar_, &RangeBar::changed, this, &BacktestDialog::reload);
    connect(lookupButton, &QPushButton::clicked, this, [this] { explain(lookup_->text()); });
    connect(lookup_, &QLineEdit::returnPressed, this, [this] { explain(lookup_->text()); });
    connect(money_, &MoneyPage::pricesChanged, this, [this] {
        if (draws_) showMoneyAndComparison();
    });
    connect(compare_, &ComparePage::schemesChanged, this, [this] {
        tabs_->setCurrentWidget(compare_);
        if (draws_) showMoneyAndComparison();
    });
    observer_ = model_.controls().addObserver([this](std::size_t index) {
        if (AffectsConditions(model_.controls().table()[index])) rerun_.start();
    });
    resize(860, 640);
    followWindowChoices();
    reload();
}

BacktestDialog::~BacktestDialog() { model_.controls().removeObserver(observer_); }

QWidget* BacktestDialog::buildCurvePage() {
    chart_ = new QChartView;
    chart_->setRenderHint(QPainter::Antialiasing);
    noActiveGroup_ = new QLabel(QStringLiteral("没有生效的条件"));
    noActiveGroup_->setAlignment(Qt::AlignCenter);
    curveStack_ = new QStackedWidget;
    curveStack_->addWidget(chart_);
    curveStack_->addWidget(noActiveGroup_);
    curveStack_->setMinimumWidth(320);
    return SideBySide(curveTable_, curveStack_);
}

QWidget* BacktestDialog::buildGroupsPage() {
    groupsLegend_ = new QLabel;
    groupsLegend_->setWordWrap(true);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(groupsTable_, 1);
    layout->addWidget(groupsLegend_);
    return page;
}

QWidget* BacktestDialog::buildYearsPage() {
    yearChart_ = new QChartView;
    yearChart_->setRenderHint(QPainter::Antialiasing);
    yearChart_->setMinimumWidth(320);
    return SideBySide(yearsTable_, yearChart_);
}

void BacktestDialog::followWindowChoices() {
    QSignalBlocker block(rangeBar_);
    rangeBar_->follow(AnalysisChoiceFromControls(model_.controls()));
}

void BacktestDialog::reload() {
    draws_.reset();
    if (lookupFailed_) explanation_->clear();  // the error was about the range before; the text stays unread
    const auto selection = rangeBar_->selection();
    if (!selection) return showProblem(Q(selection.error()));
    if (selection->lottery != lottery_) {
        lottery_ = selection->lottery;
        money_->setLottery(*lottery_);
    }
    auto db = HeldHistory(db_, database_);
    if (!db) return showProblem(Q(db.error()));
    auto loaded = services::ReadAnalysisRange(**db, *selection);
    if (!loaded) return showProblem(Q(loaded.error()));
    draws_ = std::move(*loaded);
    recompute();
}

void BacktestDialog::recompute() {
    conditions_ = std::make_unique<Conditions>(Conditions::FromControls(model_.controls()));
    if (draws_) {
        backtest_ = RunBacktest(*conditions_, draws_->range());
        showResult();
    }
    if (!lookupFailed_ && !lookup_->text().trimmed().isEmpty()) explain(lookup_->text());
}

QString BacktestDialog::summaryText() const { return summary_->text(); }
QString BacktestDialog::verdictText() const { return verdict_->text(); }
QString BacktestDialog::groupsLegendText() const { return groupsLegend_->text(); }
QString BacktestDialog::explanationText() const { return explanation_->text(); }
QWidget* BacktestDialog::curveView() const { return curveStack_->currentWidget(); }

void BacktestDialog::showProblem(const QString& text) {
    backtest_ = {};
    years_.clear();
    summary_->setText(text);
    summary_->setStyleSheet(QStringLiteral("color: #b00000;"));
    for (QLabel* label : {verdict_, note_, groupsLegend_}) {
        label->clear();
        label->hide();
    }
    curveModel_->reset(0, {});
    groupsModel_->reset(0, {});
    drawsModel_->reset(0, {});
    yearsModel_->reset(0, {});
    ReplaceChart(*chart_, new QChart);
    ReplaceChart(*yearChart_, new QChart);
    curveStack_->setCurrentWidget(chart_);
    money_->clear();
    compare_->clear();
}

void BacktestDialog::showResult() {
    const Backtest& b = backtest_;
    showSummary();
    const double n = static_cast<double>(b.draws.size());
    curveModel_->reset(static_cast<int>(b.curve.size()), [&b, n](int row, int column) -> TableCell {
        const CurvePoint& p = b.curve[row];
        switch (column) {
            case 0: return {QStringLiteral("0-%1").arg(p.maxFailures), p.maxFailures};
            case 1: return {p.hits};
            case 2: return PercentCell(p.hits / n);
            case 3: return {p.resultSize};
            default: return PercentCell(p.chance);
        }
    });
    ReplaceChart(*chart_, MakeCurveChart(b, *conditions_));
    curveStack_->setCurrentWidget(b.groups.empty() ? static_cast<QWidget*>(noActiveGroup_) : chart_);
    showGroups();
    const Conditions& c = *conditions_;
    drawsModel_->reset(
        static_cast<int>(b.draws.size()),
        [&b, &c](int row, int column) -> TableCell {
            const DrawOutcome& d = b.draws[row];
            switch (column) {
                case 0: return {Q(d.issue)};
                case 1: return {Q(d.number)};
                case 2: return {Q(NumberText(d.value))};
                case 3: return {d.failures};
                case 4: return {d.inBase ? QStringLiteral("是") : QStringLiteral("否")};
                case 5: return {d.hit ? QStringLiteral("中") : QStringLiteral("不中")};
                default: return {GroupNames(c.failedGroups(d.failedMask))};
            }
        },
        [&b](int row) { return !b.draws[row].hit; });
    // Where the three digits are the whole number (a three-digit lottery), 三码 would repeat 号码.
    drawsTable_->setColumnHidden(2, lottery_->digits == 3);
    drawsTable_->scrollToBottom();
    showYears();
    showMoneyAndComparison();
}

void BacktestDialog::showSummary() {
    const Backtest& b = backtest_;
    const Conditions& c = *conditions_;
    summary_->setStyleSheet({});
    const QString groups = c.groupCount() == 0 ? QStringLiteral("（没有生效的条件，每期都通过）")
                                               : QStringLiteral("，%1 个条件生效").arg(c.groupCount());
    summary_->setText(
        QStringLiteral("%1 期（%2 至 %3）%4：容错 %5 命中 %6 期，命中率 %7；随机选同样的 %8 注，命中率约 %9")
            .arg(b.draws.size())
            .arg(Q(b.draws.front().issue), Q(b.draws.back().issue), groups, Q(c.toleranceText()))
            .arg(b.hits)
            .arg(Percent(b.hitRate()))
            .arg(b.resultSize)
            .arg(Percent(b.chance())));
    if (!draws_->historyEnd.empty()) summary_->setText(summary_->text() + QStringLiteral("\n") + Q(draws_->historyEnd));
    const Significance& s = b.significance;
    QString verdict = Q(Verdict(s));
    if (s.testable()) {
        verdict += QStringLiteral("（命中率的 95% 区间 %1–%2）").arg(Percent(s.interval.low), Percent(s.interval.high));
    }
    verdict_->setText(verdict);
    verdict_->show();
    note_->setText(Q(draws_->note));
    note_->setVisible(!draws_->note.empty());
}

void BacktestDialog::showGroups() {
    const Backtest& b = backtest_;
    groupsModel_->reset(
        static_cast<int>(b.groups.size()),
        [&b](int row, int column) -> TableCell {
            const GroupFigures& g = b.groups[row];
            switch (column) {
                case 0: return {g.group.row};
                case 1: return {Q(g.group.name)};
                case 2: return {g.passes};
                case 3: return {g.kills};
                case 4: return {QString::number(g.expectedKills, 'f', 2), g.expectedKills};
                case 5: return {g.sinceLastKill};
                case 6: return {g.longestKillRun};
                case 7: return {g.longestPassRun};
                default: return PValueCell(g.pValue);
            }
        },
        [&b](int row) { return b.groups[row].standsOut; });
    const auto count = static_cast<double>(b.groups.size());
    groupsLegend_->setText(
        QStringLiteral("红色：杀中期数与随机期望相差显著的条件，即 p 值小于 0.05 ÷ %1 个生效条件 = %2"
                       "（Bonferroni 校正：条件多时，总有几个会因运气偏离随机期望）。")
            .arg(b.groups.size())
            .arg(Q(PValueFigure(kSignificanceLevel / count))));
    groupsLegend_->setVisible(!b.groups.empty());
}

void BacktestDialog::showYears() {
    years_ = FiguresByYear(backtest_, *lottery_);
    const std::vector<YearFigures>& years = years_;
    yearsModel_->reset(static_cast<int>(years.size()), [&years](int row, int column) -> TableCell {
        const YearFigures& y = years[row];
        switch (column) {
            case 0: return {y.year == 0 ? QStringLiteral("未知") : QString::number(y.year), y.year};
            case 1: return {y.draws};
            case 2: return {y.hits};
            case 3: return PercentCell(static_cast<double>(y.hits) / y.draws);
            case 4: return {QString::number(y.expected, 'f', 2), y.expected};
            default: return PValueCell(y.pValue);
        }
    });
    yearsTable_->resizeColumnsToContents();
    ReplaceChart(*yearChart_, MakeYearChart(years, backtest_.chance()));
}

void BacktestDialog::showMoneyAndComparison() {
    money_->showFigures(backtest_);
    compare_->showFigures(backtest_, draws_->range(), money_->prices());
}

void BacktestDialog::explain(const QString& number) {
    lookup_->setText(number);
    if (!conditions_) conditions_ = std::make_unique<Conditions>(Conditions::FromControls(model_.controls()));
    const auto e = ExplainNumber(*conditions_, number.toStdString());
    if (!e) return showExplanation(Q(e.error()), true);
    showExplanation(ExplanationText(*e, *conditions_), false);
}

void BacktestDialog::showExplanation(const QString& text, bool failed) {
    lookupFailed_ = failed;
    explanation_->setStyleSheet(failed ? QStringLiteral("color: #b00000;") : QString());
    explanation_->setText(text);
}

QTableView* BacktestDialog::table(int tab) const {
    QTableView* const tables[] = {curveTable_, groupsTable_,    drawsTable_,
                                  yearsTable_, money_->table(), compare_->table()};
    return tables[std::clamp(tab, 0, static_cast<int>(std::size(tables)) - 1)];
}
void BacktestDialog::showTab(int tab) { tabs_->setCurrentIndex(tab); }
QTableView* BacktestDialog::currentTable() const { return table(tabs_->currentIndex()); }

void BacktestDialog::copyTable() {
    QApplication::clipboard()->setText(ModelText(*currentTable()->model(), '\t', false));
}

void BacktestDialog::exportTable() {
    const QString names[] = {QStringLiteral("容错曲线"), QStringLiteral("条件"), QStringLiteral("逐期"),
                             QStringLiteral("逐年"),     QStringLiteral("盈亏"), QStringLiteral("对比方案")};
    SaveModelAsCsv(model_.platform(), exports_, *currentTable()->model(),
                   QStringLiteral("历史验证_") + names[tabs_->currentIndex()]);
}

}  // namespace sanxing
