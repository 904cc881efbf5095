#include "gui/trend/trend_dialog.h"

#include <QCheckBox>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/analysis/analysis_views.h"
#include "gui/analysis/range_bar.h"
#include "gui/analysis/value_table_model.h"
#include "gui/help/help_window.h"
#include "gui/trend/trend_charts.h"
#include "gui/trend/trend_grid_model.h"
#include "gui/trend/trend_grid_view.h"
#include "gui/trend/trend_picture.h"
#include "history/lotteries.h"
#include "services/trend_report.h"

namespace sanxing {

namespace {

using namespace analysis;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

}  // namespace

TrendDialog::TrendDialog(Platform& platform, HistorySession& history, WindowSettings* settings, QWidget* parent)
    : QDialog(parent), platform_(platform), exports_(settings, kExportsFolder), history_(history) {
    setWindowTitle(QStringLiteral("走势图"));
    rangeBar_ = new RangeBar({30, 50, 100, 500});
    status_ = new QLabel;
    status_->setWordWrap(true);
    omission_ = new QCheckBox(QStringLiteral("显示遗漏"));
    omission_->setChecked(true);
    lines_ = new QCheckBox(QStringLiteral("连线"));
    lines_->setToolTip(QStringLiteral("把每一期开出的号码连起来，像纸上的走势图"));
    definitions_ = new QLabel(QStringLiteral("<a href=\"#\">口径说明</a>"));
    definitions_->setToolTip(TrendDefinitions());
    connect(definitions_, &QLabel::linkActivated, this, [this] { ShowHelpFor(*this, "trend"); });
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(status_, 1);
    statusRow->addWidget(omission_);
    statusRow->addWidget(lines_);
    statusRow->addWidget(definitions_);

    tabs_ = new QTabWidget;
    for (TrendGridLayout& layout : TrendGridLayouts()) {
        const QString name = layout.name;
        auto* model = new TrendGridModel(std::move(layout), this);
        auto* view = new TrendGridView(model);
        connect(omission_, &QCheckBox::toggled, model, [model](bool show) { model->setShowOmission(show); });
        connect(lines_, &QCheckBox::toggled, view, [view](bool joined) { view->setJoined(joined); });
        models_.push_back(model);
        grids_.push_back(view);
        tabs_->addTab(view, name);
    }
    charts_ = new TrendCharts;
    tabs_->addTab(charts_, QStringLiteral("折线图"));

    figures_ = new ValueTableModel({QStringLiteral("类别"), QStringLiteral("值"), QStringLiteral("出现次数"),
                                    QStringLiteral("当前遗漏"), QStringLiteral("最大遗漏"), QStringLiteral("平均遗漏")},
                                   this);
    QHBoxLayout* buttons = DialogButtons(*this,
                                         {{QStringLiteral("导出数据CSV…"), [this] { exportFigures(); }},
                                          {QStringLiteral("导出图片PNG…"), [this] { exportPicture(); }}},
                                         "trend");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rangeBar_);
    layout->addLayout(statusRow);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    connect(rangeBar_, &RangeBar::changed, this, &TrendDialog::reload);
    resize(width(), 680);
    fitWidth();
}

void TrendDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The newest draws and the figures under them are what a player looks at first.
    QTimer::singleShot(0, this, [this] {
        for (TrendGridView* view : grids_) view->scrollToBottom();
    });
}

QString TrendDialog::statusText() const { return status_->text(); }
void TrendDialog::showTab(int tab) { tabs_->setCurrentIndex(tab); }

void TrendDialog::reload() {
    const auto selection = rangeBar_->selection();
    if (!selection) return showProblem(Q(selection.error()));
    auto held = history_.database();
    if (!held) return showProblem(Q(held.error()));
    auto report = services::ReadTrendReport(**held, *selection);
    if (!report) return showProblem(Q(report.error()));
    auto data = std::make_shared<TrendData>(TrendData{std::move(report->draws), std::move(report->trend)});

    fillFigures(data->trend);
    charts_->setDraws(data->draws);
    shown_ = *selection;
    range_ = QStringLiteral("%1 至 %2，%3 期")
                 .arg(Q(data->draws.front().issue), Q(data->draws.back().issue))
                 .arg(data->draws.size());
    QString status = QStringLiteral("%1 期（%2 至 %3）；遗漏往前数遍历史中的 %4 期")
                         .arg(data->draws.size())
                         .arg(Q(data->draws.front().issue), Q(data->draws.back().issue))
                         .arg(report->countedBack);
    if (!report->note.empty()) status += QStringLiteral("。") + Q(report->note);
    if (!report->historyEnd.empty()) status += QStringLiteral("。") + Q(report->historyEnd);
    rangeStatus_ = status;
    showStatus(status, report->note.empty() ? nullptr : "#a05000");
    std::shared_ptr<const TrendData> shared = std::move(data);
    for (TrendGridModel* model : models_) model->reset(shared);
    for (TrendGridView* view : grids_) view->scrollToBottom();
    if (!isVisible()) fitWidth();
}

void TrendDialog::fitWidth() {
    TrendGridView* first = grids_.front();
    const int gridWidth = first->gridWidth() + 2 * first->frameWidth() + first->verticalScrollBar()->sizeHint().width();
    const int wanted = std::max(720, gridWidth + 2 * layout()->contentsMargins().left() + 8);
    resize(std::min(wanted, screen()->availableGeometry().width()), height());
}

void TrendDialog::showStatus(const QString& text, const char* colour) {
    status_->setText(text);
    status_->setStyleSheet(colour ? QStringLiteral("color: %1;").arg(QLatin1String(colour)) : QString());
}

void TrendDialog::showProblem(const QString& text) {
    showStatus(text, "#b00000");
    for (TrendGridModel* model : models_) model->reset({});
    figures_->reset(0, {});
    charts_->showProblem(text);
    range_.clear();
}

void TrendDialog::fillFigures(const Trend& trend) {
    struct Row {
        QString kind, value;
        CategoryFigures figures;
    };
    auto rows = std::make_shared<std::vector<Row>>();
    for (const CategoryBlock& block : CategoryBlocks()) {
        for (int category = block.first; category < block.first + block.count; ++category) {
            rows->push_back({Q(block.kind), Q(CategoryValueText(category)), trend.figures(category)});
        }
    }
    figures_->reset(static_cast<int>(rows->size()), [rows](int r, int c) -> TableCell {
        const Row& row = (*rows)[static_cast<std::size_t>(r)];
        const CategoryFigures& f = row.figures;
        switch (c) {
            case 0: return {row.kind};
            case 1: return {row.value};
            case 2: return {f.appearances};
            case 3: return {f.current};
            case 4: return {f.max};
            default: return {QString::number(f.average, 'f', 2), f.average};
        }
    });
}

QString TrendDialog::pictureTitle() const {
    QString lottery = shown_.lottery ? Q(shown_.lottery->name) : QString();
    if (shown_.lottery && shown_.lottery->digits > 3) lottery += QLatin1Char(' ') + Q(PositionName(shown_.position));
    return QStringLiteral("%1 %2  %3  ·  导出于 %4")
        .arg(lottery, tabs_->tabText(tabs_->currentIndex()), range_,
             QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

void TrendDialog::exportFigures() {
    if (figures_->rowCount() == 0) return;
    SaveModelAsCsv(platform_, exports_, *figures_, QStringLiteral("走势数据"));
}

void TrendDialog::exportPicture() {
    if (range_.isEmpty()) return;
    const int tab = tabs_->currentIndex();
    const QString name = QStringLiteral("走势图-") + tabs_->tabText(tab).replace(QLatin1Char('/'), QLatin1Char('-'));
    if (tab == kChartsTab) {
        SaveImageAsPng(platform_, exports_, charts_->picture(pictureTitle()), name);
        return;
    }
    const TrendPicture picture = PaintGridPicture(*grid(tab), pictureTitle());
    if (SaveImageAsPng(platform_, exports_, picture.image, name) && picture.skipped > 0) {
        showStatus(rangeStatus_ + QStringLiteral("。图片只含最新 %1 期（共 %2 期），更早的 %3 期未画入。")
                                      .arg(picture.rows)
                                      .arg(picture.rows + picture.skipped)
                                      .arg(picture.skipped),
                   "#a05000");
    }
}

}  // namespace sanxing
