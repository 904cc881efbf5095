#pragma once
// The line charts of the trend window: 和值 and 跨度 of each draw, on an x-axis of issues
// (labels thinned to fit), integer ticks, a marker per draw whose hover shows issue and
// value. They show the newest kWindow draws; a scroll bar under them reaches the rest.

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "analysis/analysed_draw.h"

class QCategoryAxis;
class QChart;
class QChartView;
class QScrollBar;

namespace sanxing {

class TrendCharts final : public QWidget {
public:
    static constexpr int kWindow = 100;
    // A picture of the charts holds at most this many draws, the newest.
    static constexpr int kMaxPictureDraws = 2000;

    explicit TrendCharts(QWidget* parent = nullptr);

    void setDraws(const std::vector<analysis::AnalysedDraw>& draws);
    // No draws: the charts say `text` instead of standing empty.
    void showProblem(const QString& text);

    QChartView* sumView() const { return sum_; }
    QChartView* spanView() const { return span_; }
    QScrollBar* scrollBar() const { return scroll_; }
    // What the hover over a draw's marker shows: "2024101期 和值 15".
    QString pointText(int chart, int draw) const;
    // Both charts over the whole range (up to kMaxPictureDraws, the newest), wide enough for
    // every draw, under `title`.
    QImage picture(const QString& title) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        QString name;
        int top = 0;       // the y-axis ends here
        int interval = 1;  // one tick every so many
        std::vector<int> values;
    };

    QChart* makeChart(const Line& line, int first, int count, int width) const;
    // Shows draws first…first + count − 1 on `axis`, labelled for `width` pixels.
    void showIssues(QCategoryAxis& axis, int first, int count, int width) const;
    void relabel(QChartView& view);
    // Shows chart 0 (和值) or 1 (跨度) in `view`, over draws first…first + count − 1.
    void showChart(QChartView& view, int chart, int first, int count);
    void rebuild();
    void showWindow();  // the scroll bar moved

    QChartView* sum_;
    QChartView* span_;
    QScrollBar* scroll_;
    QStringList issues_;
    std::vector<Line> lines_;
    QString problem_;
};

}  // namespace sanxing
