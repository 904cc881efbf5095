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
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "app/window_model.h"
#include "gui/history/analysis_views.h"
#include "gui/history/range_bar.h"
#include "gui/history/value_table_model.h"
#include "numbers/set_text.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

using namespace analysis;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }
QString Percent(double fraction) { return QString::number(fraction * 100, 'f', 1) + '%'; }

QString GroupNames(const std::vector<GroupName>& groups) {
    QStringList names;
    for (const GroupName& g : groups) names << QStringLiteral("%1 %2").arg(g.row).arg(Q(g.name));
    return names.join(QStringLiteral("、"));
}

// Changes of these controls never change the conditions: the shrink's own output and
// the report lists (the draw list updates every few seconds).
bool AffectsConditions(const ControlSpec& spec) {
    return spec.kind != ControlKind::ReportList && spec.name != ctl::kResult && spec.name != ctl::kResultCount;
}

}  // namespace

BacktestDialog::BacktestDialog(WindowModel& model, std::filesystem::path database, QWidget* parent)
    : QDialog(parent), model_(model), database_(std::move(database)) {
    setWindowTitle(QStringLiteral("历史验证"));
    rangeBar_ = new RangeBar({100, 300, 500, 1000});
    summary_ = new QLabel;
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);
    summary_->setWordWrap(true);
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
                             QStringLiteral("最长连杀"), QStringLiteral("最长连过")},
                            this);
    groupsModel_->setHeaderToolTips({QStringLiteral("条件在缩水中的次序"),
                                     {},
                                     QStringLiteral("1000 注中满足这个条件的注数"),
                                     QStringLiteral("开奖号码不满足这个条件的期数（这个条件把开奖号码杀掉了）"),
                                     QStringLiteral("随机情况下的杀中期数：期数 ×（1000 − 通过注数）÷ 1000；"
                                                    "红色的条件杀中比随机多"),
                                     QStringLiteral("最近一次杀中之后的期数；从未杀中时为期数"),
                                     QStringLiteral("连续杀中的最长期数"),
                                     QStringLiteral("连续没有杀中的最长期数")});
    drawsModel_ = new ValueTableModel(
        {QStringLiteral("期号"), QStringLiteral("号码"), QStringLiteral("三码"), QStringLiteral("错数"),
         QStringLiteral("在大底"), QStringLiteral("结果"), QStringLiteral("错的条件")},
        this);
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

    tabs_ = new QTabWidget;
    tabs_->addTab(buildCurvePage(), QStringLiteral("容错曲线"));
    tabs_->addTab(groupsTable_, QStringLiteral("条件"));
    tabs_->addTab(drawsTable_, QStringLiteral("逐期"));

    QHBoxLayout* buttons = DialogButtons(*this, {{QStringLiteral("复制表格"), [this] { copyTable(); }},
                                                 {QStringLiteral("导出CSV…"), [this] { exportTable(); }}});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rangeBar_);
    layout->addWidget(summary_);
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
    observer_ = model_.controls().addObserver([this](std::size_t index) {
        if (AffectsConditions(model_.controls().table()[index])) rerun_.start();
    });
    resize(860, 620);
    followWindowChoices();
    reload();
}

BacktestDialog::~BacktestDialog() { model_.controls().removeObserver(observer_); }

QWidget* BacktestDialog::buildCurvePage() {
    chart_ = new QChartView;
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumWidth(320);
    auto* splitter = new QSplitter;
    splitter->addWidget(curveTable_);
    splitter->addWidget(chart_);
    splitter->setStretchFactor(1, 1);
    // The table shows all its columns; the chart takes the rest.
    int tableWidth = 2 * curveTable_->frameWidth() + curveTable_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < curveModel_->columnCount(); ++column) {
        tableWidth += curveTable_->horizontalHeader()->sectionSize(column);
    }
    splitter->setSizes({tableWidth + 16, 1000});
    return splitter;
}

void BacktestDialog::followWindowChoices() {
    QSignalBlocker block(rangeBar_);
    rangeBar_->follow(AnalysisChoiceFromControls(model_.controls()));
}

void BacktestDialog::reload() {
    draws_.reset();
    const auto selection = rangeBar_->selection();
    if (!selection) return showProblem(Q(selection.error()));
    auto loaded = LoadAnalysedRange(db_, database_, *selection);
    if (!loaded) return showProblem(Q(loaded.error()));
    draws_ = std::move(*loaded);
    recompute();
}

void BacktestDialog::recompute() {
    conditions_ = std::make_unique<Conditions>(Conditions::FromControls(model_.controls()));
    if (draws_) {
        backtest_ = RunBacktest(*conditions_, draws_->draws);
        showResult();
    }
    if (!lookup_->text().trimmed().isEmpty()) explain(lookup_->text());
}

QString BacktestDialog::summaryText() const { return summary_->text(); }
QString BacktestDialog::explanationText() const { return explanation_->text(); }

void BacktestDialog::showProblem(const QString& text) {
    backtest_ = {};
    summary_->setText(text);
    summary_->setStyleSheet(QStringLiteral("color: #b00000;"));
    note_->clear();
    note_->hide();
    curveModel_->reset(0, {});
    groupsModel_->reset(0, {});
    drawsModel_->reset(0, {});
    ReplaceChart(*chart_, new QChart);
}

void BacktestDialog::showResult() {
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
    note_->setText(Q(draws_->note));
    note_->setVisible(!draws_->note.empty());

    const double n = static_cast<double>(b.draws.size());
    curveModel_->reset(static_cast<int>(b.curve.size()), [&b, n](int row, int column) -> TableCell {
        const CurvePoint& p = b.curve[row];
        switch (column) {
            case 0: return {QStringLiteral("0-%1").arg(p.maxFailures), p.maxFailures};
            case 1: return {p.hits};
            case 2: return {Percent(p.hits / n), p.hits / n};
            case 3: return {p.resultSize};
            default: return {Percent(p.chance), p.chance};
        }
    });
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
                default: return {g.longestPassRun};
            }
        },
        [&b](int row) { return b.groups[row].killsMoreThanChance(); });
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
    drawsTable_->scrollToBottom();
    ReplaceChart(*chart_, MakeCurveChart(b));
}

void BacktestDialog::explain(const QString& number) {
    lookup_->setText(number);
    if (!conditions_) conditions_ = std::make_unique<Conditions>(Conditions::FromControls(model_.controls()));
    const auto e = ExplainNumber(*conditions_, number.toStdString());
    if (!e) {
        explanation_->setStyleSheet(QStringLiteral("color: #b00000;"));
        explanation_->setText(Q(e.error()));
        return;
    }
    explanation_->setStyleSheet({});
    explanation_->setText(ExplanationText(*e, *conditions_));
}

QTableView* BacktestDialog::table(int tab) const {
    return tab == 0 ? curveTable_ : tab == 1 ? groupsTable_ : drawsTable_;
}
void BacktestDialog::showTab(int tab) { tabs_->setCurrentIndex(tab); }
QTableView* BacktestDialog::currentTable() const { return table(tabs_->currentIndex()); }

void BacktestDialog::copyTable() {
    QApplication::clipboard()->setText(ModelText(*currentTable()->model(), '\t', false));
}

void BacktestDialog::exportTable() {
    const QString names[] = {QStringLiteral("容错曲线"), QStringLiteral("条件"), QStringLiteral("逐期")};
    SaveModelAsCsv(model_.platform(), *currentTable()->model(),
                   QStringLiteral("历史验证_") + names[tabs_->currentIndex()]);
}

}  // namespace sanxing
