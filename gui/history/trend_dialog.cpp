#include "gui/history/trend_dialog.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include "gui/history/analysis_views.h"
#include "gui/history/range_bar.h"
#include "gui/history/trend_grid_model.h"
#include "gui/history/value_table_model.h"

namespace sanxing {

namespace {

using namespace analysis;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// Paints a grid cell straight from the model's colours and text: the style's item
// machinery costs several times as much, and a 10,000-row grid is scrolled a lot.
class GridCellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QVariant background = index.data(Qt::BackgroundRole);
        if (background.isValid()) painter->fillRect(option.rect, background.value<QBrush>());
        const QVariant text = index.data(Qt::DisplayRole);
        if (!text.isValid()) return;
        const QVariant foreground = index.data(Qt::ForegroundRole);
        painter->setPen(foreground.isValid() ? foreground.value<QBrush>().color()
                                             : option.palette.color(QPalette::Text));
        QFont font = option.font;
        font.setBold(index.data(Qt::FontRole).value<QFont>().bold());
        painter->setFont(font);
        painter->drawText(option.rect, Qt::AlignCenter, text.toString());
    }
};

QChart* LineChart(const QString& title, const std::vector<AnalysedDraw>& draws, int (*value)(int), int top) {
    auto* chart = new QChart;
    chart->setTitle(title);
    auto* series = new QLineSeries;
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(draws.size()));
    for (std::size_t i = 0; i < draws.size(); ++i) points.append(QPointF(double(i + 1), value(draws[i].value)));
    series->replace(points);
    chart->addSeries(series);
    auto* x = new QValueAxis;
    x->setRange(1, std::max<double>(2, double(draws.size())));
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTitleText(QStringLiteral("期（从旧到新）"));
    auto* y = new QValueAxis;
    y->setRange(0, top);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

// One line of the figures export: kind, value and its figures.
struct CategoryRow {
    QString kind;
    QString value;
    CategoryFigures figures;
};

std::vector<CategoryRow> CategoryRows(const Trend& trend) {
    std::vector<CategoryRow> rows;
    auto add = [&](const QString& kind, const QString& value, int category) {
        rows.push_back({kind, value, trend.figures(category)});
    };
    for (int p = 0; p < 3; ++p) {
        for (int d = 0; d < 10; ++d) add(Q(kPositionDigitNames[p]), QString::number(d), kDigitCategories + p * 10 + d);
    }
    for (int s = 0; s <= 27; ++s) add(QStringLiteral("和值"), QString::number(s), kSumCategories + s);
    for (int s = 0; s <= 9; ++s) add(QStringLiteral("跨度"), QString::number(s), kSpanCategories + s);
    for (int s = 0; s < 3; ++s) add(QStringLiteral("形态"), Q(kShapeNames[s]), kShapeCategories + s);
    return rows;
}

}  // namespace

TrendDialog::TrendDialog(Platform& platform, std::filesystem::path database, QWidget* parent)
    : QDialog(parent), platform_(platform), database_(std::move(database)) {
    setWindowTitle(QStringLiteral("走势图"));
    rangeBar_ = new RangeBar({30, 50, 100, 500});
    status_ = new QLabel;
    status_->setWordWrap(true);
    omission_ = new QCheckBox(QStringLiteral("显示遗漏"));
    omission_->setChecked(true);
    auto* definitions = new QLabel(QStringLiteral("<a href=\"#\">口径说明</a>"));
    definitions->setToolTip(TrendDefinitions());
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(status_, 1);
    statusRow->addWidget(omission_);
    statusRow->addWidget(definitions);

    gridModel_ = new TrendGridModel(this);
    grid_ = new QTableView;
    grid_->setModel(gridModel_);
    grid_->setItemDelegate(new GridCellDelegate(grid_));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setWordWrap(false);
    grid_->setShowGrid(true);
    grid_->verticalHeader()->hide();
    // Fixed sizes: nothing is measured per row, so long ranges scroll smoothly.
    const QFontMetrics metrics = grid_->fontMetrics();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(8);
    header->setDefaultSectionSize(metrics.horizontalAdvance(QStringLiteral("88.8")) + 10);
    header->resizeSection(TrendGridModel::kIssueColumn, metrics.horizontalAdvance(QStringLiteral("出现次数88")) + 8);
    header->resizeSection(TrendGridModel::kNumberColumn, metrics.horizontalAdvance(QStringLiteral("88888")) + 8);
    header->resizeSection(TrendGridModel::kShapeColumn, metrics.horizontalAdvance(QStringLiteral("组六")) + 12);
    header->setToolTip(TrendDefinitions());

    sumChart_ = new QChartView;
    spanChart_ = new QChartView;
    for (QChartView* view : {sumChart_, spanChart_}) view->setRenderHint(QPainter::Antialiasing);
    auto* charts = new QWidget;
    auto* chartsLayout = new QVBoxLayout(charts);
    chartsLayout->setContentsMargins(0, 0, 0, 0);
    chartsLayout->addWidget(sumChart_);
    chartsLayout->addWidget(spanChart_);

    tabs_ = new QTabWidget;
    tabs_->addTab(grid_, QStringLiteral("走势图"));
    tabs_->addTab(charts, QStringLiteral("和值 / 跨度"));

    figures_ = new ValueTableModel({QStringLiteral("类别"), QStringLiteral("值"), QStringLiteral("出现次数"),
                                    QStringLiteral("当前遗漏"), QStringLiteral("最大遗漏"), QStringLiteral("平均遗漏")},
                                   this);
    QHBoxLayout* buttons = DialogButtons(*this, {{QStringLiteral("导出数据CSV…"), [this] { exportFigures(); }},
                                                 {QStringLiteral("导出图片PNG…"), [this] { exportPicture(); }}});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rangeBar_);
    layout->addLayout(statusRow);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    connect(rangeBar_, &RangeBar::changed, this, &TrendDialog::reload);
    connect(omission_, &QCheckBox::toggled, gridModel_, &TrendGridModel::setShowOmission);
    // Wide enough for the whole grid where the screen allows.
    int gridWidth = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < TrendGridModel::kColumns; ++column) gridWidth += header->sectionSize(column);
    const int wanted = std::max(720, gridWidth + 2 * layout->contentsMargins().left() + 8);
    resize(std::min(wanted, screen()->availableGeometry().width()), 680);
}

void TrendDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The newest draws and the figures under them are what a player looks at first.
    QTimer::singleShot(0, grid_, [grid = grid_] { grid->scrollToBottom(); });
}

QString TrendDialog::statusText() const { return status_->text(); }
void TrendDialog::showTab(int tab) { tabs_->setCurrentIndex(tab); }

void TrendDialog::reload() {
    const auto selection = rangeBar_->selection();
    if (!selection) return showProblem(Q(selection.error()));
    auto loaded = LoadAnalysedRange(db_, database_, *selection);
    if (!loaded) return showProblem(Q(loaded.error()));
    Trend trend = ComputeTrend(loaded->draws);
    fillFigures(trend);
    showCharts(loaded->draws);
    QString status = QStringLiteral("%1 期（%2 至 %3）")
                         .arg(loaded->draws.size())
                         .arg(Q(loaded->draws.front().issue), Q(loaded->draws.back().issue));
    if (!loaded->note.empty()) status += QStringLiteral("。") + Q(loaded->note);
    if (!loaded->historyEnd.empty()) status += QStringLiteral("。") + Q(loaded->historyEnd);
    status_->setText(status);
    status_->setStyleSheet(loaded->note.empty() ? QString() : QStringLiteral("color: #a05000;"));
    gridModel_->reset(std::move(loaded->draws), std::move(trend));
    grid_->scrollToBottom();
}

void TrendDialog::showProblem(const QString& text) {
    status_->setText(text);
    status_->setStyleSheet(QStringLiteral("color: #b00000;"));
    gridModel_->reset({}, {});
    figures_->reset(0, {});
    showCharts({});
}

void TrendDialog::showCharts(const std::vector<AnalysedDraw>& draws) {
    ReplaceChart(*sumChart_, LineChart(QStringLiteral("和值"), draws, DigitSum, 27));
    ReplaceChart(*spanChart_, LineChart(QStringLiteral("跨度"), draws, DigitSpan, 9));
}

void TrendDialog::fillFigures(const Trend& trend) {
    auto rows = std::make_shared<const std::vector<CategoryRow>>(CategoryRows(trend));
    figures_->reset(static_cast<int>(rows->size()), [rows](int r, int c) -> TableCell {
        const CategoryRow& row = (*rows)[r];
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

void TrendDialog::exportFigures() {
    if (figures_->rowCount() == 0) return;
    SaveModelAsCsv(platform_, *figures_, QStringLiteral("走势数据"));
}

void TrendDialog::exportPicture() { SaveWidgetAsPng(platform_, *tabs_->currentWidget(), QStringLiteral("走势图")); }

}  // namespace sanxing
