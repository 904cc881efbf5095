#pragma once
// A view of one trend grid: cells painted straight from the model (a drawn value as a
// coloured ball), a two-line header whose group captions span their columns, column widths
// fitted to what the columns hold, and 连线, which joins the balls of a group from draw to
// draw as paper trend charts do. The same painting makes the exported picture.

#include <QTableView>
#include <functional>

class QPainter;

namespace sanxing {

class TrendGridModel;

class TrendGridView final : public QTableView {
public:
    explicit TrendGridView(TrendGridModel* model, QWidget* parent = nullptr);

    TrendGridModel& trendModel() const { return *model_; }
    void setJoined(bool joined);
    bool joined() const { return joined_; }
    // Widths from the texts the columns hold (issues, omissions, averages, labels).
    void fitColumns();
    // The width of every column together, as the header lays them out.
    int gridWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TrendGridModel* model_;
    bool joined_ = false;
};

// One cell as the view paints it (background, ball, text); `font` is the grid's font.
void PaintTrendCell(QPainter& painter, const QRect& rect, const TrendGridModel& model, int row, int column,
                    const QFont& font);
// One header section: the group caption centred over `groupRect` (clipped to the section)
// above the column's label, or the label alone for a column outside any group.
void PaintTrendHeader(QPainter& painter, const QRect& section, const QRect& groupRect, const TrendGridModel& model,
                      int column, const QFont& font);
// Joins the balls of each joinable group from row to row over rows first..last; the lines
// stop at the balls' edges (`font`: the grid's font, which sizes the balls).
void PaintTrendLines(QPainter& painter, const TrendGridModel& model, int first, int last,
                     const std::function<QRect(int row, int column)>& cellRect, const QFont& font);

}  // namespace sanxing
