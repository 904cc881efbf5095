#include "gui/backtest/backtest_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/window_model.h"
#include "gui/analysis/analysis_views.h"
#include "gui/analysis/range_bar.h"
#include "gui/analysis/value_table_model.h"
#include "gui/backtest/backtest_cells.h"
#include "gui/backtest/backtest_compare_page.h"
#include "gui/backtest/backtest_money_page.h"
#include "gui/backtest/backtest_pages.h"
#include "gui/help/help_window.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

using namespace analysis;

QString Q(std::string_view text) { return Utf8(text); }

// Changes of these controls never change the conditions: the shrink's own output and
// the report lists (the draw list updates every few seconds).
bool AffectsConditions(const ControlRow& spec) {
    return spec.kind != ControlKind::ReportList && spec.name != ctl::kResult && spec.name != ctl::kResultCount;
}

}  // namespace

BacktestDialog::BacktestDialog(WindowModel& model, HistorySession& history, WindowSettings* settings, QWidget* parent)
    : QDialog(parent), model_(model), exports_(settings, kExportsFolder), history_(history) {
    setWindowTitle(QStringLiteral("历史验证"));
    rangeBar_ = new RangeBar({100, 300, 500, 1000});
    curve_ = new CurvePage;
    groups_ = new GroupsPage;
    draws_ = new DrawsPage;
    years_ = new YearsPage;
    money_ = new MoneyPage(model_.platform(), settings);
    compare_ = new ComparePage(model_.platform(), model_.controls());

    tabs_ = new QTabWidget;
    tabs_->addTab(curve_, QStringLiteral("容错曲线"));
    tabs_->addTab(groups_, QStringLiteral("条件"));
    tabs_->addTab(draws_, QStringLiteral("逐期"));
    tabs_->addTab(years_, QStringLiteral("逐年"));
    tabs_->addTab(money_, QStringLiteral("盈亏"));
    tabs_->addTab(compare_, QStringLiteral("对比方案"));

    QHBoxLayout* buttons = DialogButtons(*this,
                                         {{QStringLiteral("复制表格"), [this] { copyTable(); }},
                                          {QStringLiteral("导出CSV…"), [this] { exportTable(); }},
                                          {QStringLiteral("对比方案…"), [this] { compare_->choose(); }}},
                                         "backtest");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rangeBar_);
    layout->addLayout(makeSummary());
    layout->addLayout(makeLookupRow());
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    rerun_.setSingleShot(true);
    rerun_.setInterval(150);
    connect(&rerun_, &QTimer::timeout, this, &BacktestDialog::recompute);
    connect(rangeBar_, &RangeBar::changed, this, &BacktestDialog::reload);
    connect(money_, &MoneyPage::pricesChanged, this, &BacktestDialog::reprice);
    connect(compare_, &ComparePage::schemesChanged, this, [this] {
        tabs_->setCurrentWidget(compare_);
        reprice();
    });
    observer_ = model_.controls().addObserver([this](std::size_t index) {
        if (AffectsConditions(model_.controls().table()[index])) rerun_.start();
    });
    resize(860, 640);
    followWindowChoices();
    reload();
}

QVBoxLayout* BacktestDialog::makeSummary() {
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

    auto* summary = new QVBoxLayout;
    summary->addWidget(summary_);
    summary->addLayout(verdictRow);
    summary->addWidget(note_);
    return summary;
}

QHBoxLayout* BacktestDialog::makeLookupRow() {
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

    connect(lookupButton, &QPushButton::clicked, this, [this] { explain(lookup_->text()); });
    connect(lookup_, &QLineEdit::returnPressed, this, [this] { explain(lookup_->text()); });
    return lookupRow;
}

BacktestDialog::~BacktestDialog() { model_.controls().removeObserver(observer_); }

void BacktestDialog::followWindowChoices() {
    QSignalBlocker block(rangeBar_);
    rangeBar_->follow(AnalysisChoiceFromControls(model_.controls()));
}

void BacktestDialog::reload() {
    range_.reset();
    if (lookupFailed_) explanation_->clear();  // the error was about the range before; the text stays unread
    const auto selection = rangeBar_->selection();
    if (!selection) return showProblem(Q(selection.error()));
    if (selection->lottery != lottery_) {
        lottery_ = selection->lottery;
        money_->setLottery(*lottery_);
    }
    auto db = history_.database();
    if (!db) return showProblem(Q(db.error()));
    auto read = services::ReadAnalysisRange(**db, *selection);
    if (!read) return showProblem(Q(read.error()));
    range_ = std::move(*read);
    recompute();
}

services::Pricing BacktestDialog::pricing() const { return {money_->prices(), model_.controls(), compare_->schemes()}; }

void BacktestDialog::recompute() {
    conditions_ = std::make_unique<Conditions>(Conditions::FromControls(model_.controls()));
    if (range_) {
        report_ = services::MakeBacktestReport(*range_, *conditions_, pricing());
        showResult();
    }
    if (!lookupFailed_ && !lookup_->text().trimmed().isEmpty()) explain(lookup_->text());
}

void BacktestDialog::reprice() {
    if (!range_) return;
    report_.priced = services::FigureMoney(*range_, report_.backtest, pricing());
    money_->showFigures(report_.priced);
    compare_->showFigures(report_.priced.comparison, static_cast<int>(report_.backtest.draws.size()));
}

QString BacktestDialog::summaryText() const { return summary_->text(); }
QString BacktestDialog::verdictText() const { return verdict_->text(); }
QString BacktestDialog::groupsLegendText() const { return groups_->legendText(); }
QString BacktestDialog::explanationText() const { return explanation_->text(); }
QWidget* BacktestDialog::curveView() const { return curve_->view(); }

void BacktestDialog::showProblem(const QString& text) {
    report_ = {};
    summary_->setText(text);
    summary_->setStyleSheet(QStringLiteral("color: #b00000;"));
    for (QLabel* label : {verdict_, note_}) {
        label->clear();
        label->hide();
    }
    curve_->clear();
    groups_->clear();
    draws_->clear();
    years_->clear();
    money_->clear();
    compare_->clear();
}

void BacktestDialog::showResult() {
    const analysis::Backtest& b = report_.backtest;
    showSummary();
    curve_->showFigures(b, *conditions_);
    groups_->showFigures(b);
    // Where the three digits are the whole number (a three-digit lottery), 三码 would repeat 号码.
    draws_->showFigures(b, *conditions_, lottery_->digits == 3);
    years_->showFigures(report_.years, b.chance());
    money_->showFigures(report_.priced);
    compare_->showFigures(report_.priced.comparison, static_cast<int>(b.draws.size()));
}

void BacktestDialog::showSummary() {
    const Backtest& b = report_.backtest;
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
    if (!range_->historyEnd.empty()) summary_->setText(summary_->text() + QStringLiteral("\n") + Q(range_->historyEnd));
    const Significance& s = b.significance;
    QString verdict = Q(Verdict(s));
    if (s.testable()) {
        verdict += QStringLiteral("（命中率的 95% 区间 %1–%2）").arg(Percent(s.interval.low), Percent(s.interval.high));
    }
    verdict_->setText(verdict);
    verdict_->show();
    note_->setText(Q(range_->note));
    note_->setVisible(!range_->note.empty());
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
    QTableView* const tables[] = {curve_->table(), groups_->table(), draws_->table(),
                                  years_->table(), money_->table(),  compare_->table()};
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
