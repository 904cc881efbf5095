#include "gui/trend/trend_charts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QEvent>
#include <QLineSeries>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include "analysis/trend.h"
#include "gui/analysis/analysis_views.h"
#include "gui/trend/trend_picture.h"

namespace sanxing {

namespace {

// 1, 2, 5, 10, 20, 50, … : the least of them that is at least `step`.
int NiceStep(int step) {
    for (int scale = 1;; scale *= 10) {
        for (const int nice : {1, 2, 5}) {
            if (nice * scale >= step) return nice * scale;
        }
    }
}

constexpr int kChartHeight = 320;  // of each chart in a picture

}  // namespace

TrendCharts::TrendCharts(QWidget* parent) : QWidget(parent) {
    sum_ = new QChartView;
    span_ = new QChartView;
    scroll_ = new QScrollBar(Qt::Horizontal);
    scroll_->setToolTip(QStringLiteral("图中显示最近 %1 期，拖动查看更早的开奖").arg(kWindow));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QChartView* view : {sum_, span_}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->installEventFilter(this);
        layout->addWidget(view, 1);
    }
    layout->addWidget(scroll_);
    connect(scroll_, &QScrollBar::valueChanged, this, &TrendCharts::showWindow);
    lines_ = {{QStringLiteral("和值"), 27, 3, {}}, {QStringLiteral("跨度"), 9, 1, {}}};
    showProblem(QString());
}

void TrendCharts::setDraws(const std::vector<analysis::AnalysedDraw>& draws) {
    problem_.clear();
    issues_.clear();
    for (Line& line : lines_) line.values.clear();
    for (const analysis::AnalysedDraw& draw : draws) {
        issues_ << QString::fromStdString(draw.issue);
        lines_[0].values.push_back(analysis::DigitSum(draw.value));
        lines_[1].values.push_back(analysis::DigitSpan(draw.value));
    }
    rebuild();
}

void TrendCharts::showProblem(const QString& text) {
    problem_ = text.isEmpty() ? QStringLiteral("没有可显示的开奖号码") : text;
    issues_.clear();
    for (Line& line : lines_) line.values.clear();
    rebuild();
}

QString TrendCharts::pointText(int chart, int draw) const {
    if (draw < 0 || draw >= issues_.size()) return {};
    const Line& line = lines_[static_cast<std::size_t>(chart)];
    return QStringLiteral("%1期 %2 %3").arg(issues_[draw], line.name).arg(line.values[static_cast<std::size_t>(draw)]);
}

QChart* TrendCharts::makeChart(const Line& line, int first, int count, int width) const {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    if (issues_.isEmpty()) {
        chart->setTitle(QStringLiteral("%1：%2").arg(line.name, problem_));
        return chart;
    }
    chart->setTitle(line.name);
    // Room on the right for half of the newest issue's label, which sits on the last draw.
    chart->setMargins(QMargins(4, 4, QFontMetrics(font()).horizontalAdvance(issues_.back()) / 2, 4));
    auto* series = new QLineSeries;
    QList<QPointF> points;
    points.reserve(issues_.size());
    for (std::size_t i = 0; i < line.values.size(); ++i) points.append(QPointF(double(i), line.values[i]));
    series->replace(points);
    series->setPointsVisible(true);
    series->setMarkerSize(5);
    chart->addSeries(series);

    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    showIssues(*x, first, count, width);
    x->setTitleText(QStringLiteral("期号"));
    auto* y = new QValueAxis;
    y->setRange(-0.5, line.top + 0.5);  // markers at 0 and at the top stay whole
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(line.interval);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    return chart;
}

void TrendCharts::showIssues(QCategoryAxis& axis, int first, int count, int width) const {
    // Every step-th issue of the draws in view, as many as fit side by side, the newest
    // draw always among them. Only labels in view: the axis gives each label an equal
    // share of its width, out-of-view ones included.
    for (const QString& label : axis.categoriesLabels()) axis.remove(label);
    const int labelWidth = QFontMetrics(axis.labelsFont()).horizontalAdvance(issues_.back()) + 16;
    const int room = std::max(1, (width - 90) / labelWidth);
    const int step = NiceStep((count + room - 1) / room);
    const int last = static_cast<int>(issues_.size()) - 1;
    axis.setStartValue(first - 1);
    for (int i = first + (last - first) % step; i < first + count; i += step) axis.append(issues_[i], i);
    axis.setRange(first - 0.5, first + count - 0.5);
}

void TrendCharts::relabel(QChartView& view) {
    const auto axes = view.chart()->axes(Qt::Horizontal);
    if (issues_.isEmpty() || axes.isEmpty()) return;
    showIssues(*static_cast<QCategoryAxis*>(axes.front()), scroll_->value(), std::min(int(issues_.size()), kWindow),
               view.width());
}

void TrendCharts::showChart(QChartView& view, int chart, int first, int count) {
    QChart* shown = makeChart(lines_[static_cast<std::size_t>(chart)], first, count, view.width());
    for (QAbstractSeries* series : shown->series()) {
        connect(static_cast<QXYSeries*>(series), &QXYSeries::hovered, this,
                [this, chart](const QPointF& point, bool inside) {
                    if (inside) {
                        QToolTip::showText(QCursor::pos(), pointText(chart, qRound(point.x())));
                    } else {
                        QToolTip::hideText();
                    }
                });
    }
    ReplaceChart(view, shown);
}

void TrendCharts::rebuild() {
    const int count = std::min(static_cast<int>(issues_.size()), kWindow);
    const int first = static_cast<int>(issues_.size()) - count;
    const QSignalBlocker quiet(scroll_);
    scroll_->setRange(0, first);
    scroll_->setPageStep(std::max(count, 1));
    scroll_->setValue(first);
    scroll_->setVisible(first > 0);
    showChart(*sum_, 0, first, count);
    showChart(*span_, 1, first, count);
}

void TrendCharts::showWindow() {
    for (QChartView* view : {sum_, span_}) relabel(*view);
}

bool TrendCharts::eventFilter(QObject* watched, QEvent* event) {
    // Labels are thinned for the width the charts have; a new width thins them anew.
    if (event->type() == QEvent::Resize) relabel(*static_cast<QChartView*>(watched));
    return QWidget::eventFilter(watched, event);
}

QImage TrendCharts::picture(const QString& title) const {
    const int total = static_cast<int>(issues_.size());
    const int count = std::min(total, kMaxPictureDraws);
    const int width = std::max(900, count * 8);
    QString heading = title;
    if (count < total) heading += QStringLiteral("（图中为最新 %1 期，共 %2 期）").arg(count).arg(total);
    const int titleHeight = PictureTitleHeight(font());
    QImage image(width, titleHeight + 2 * kChartHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPictureTitle(painter, width, heading, font());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        // Painted by a view that is never on screen: a chart lays itself out in one.
        QChartView view(makeChart(lines_[i], total - count, std::max(count, 1), width));
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.setRenderHint(QPainter::Antialiasing);
        view.setFrameShape(QFrame::NoFrame);
        view.resize(width, kChartHeight);
        view.show();
        static_cast<QWidget&>(view).render(&painter, QPoint(0, titleHeight + static_cast<int>(i) * kChartHeight));
    }
    return image;
}

}  // namespace sanxing
