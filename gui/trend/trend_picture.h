#pragma once
// The pictures that 导出图片PNG… writes: a whole trend grid (not the part on screen) under a
// title line, or the line charts. A picture is painted for itself, so its size does not
// depend on the window, the screen or the scroll position.

#include <QImage>
#include <QString>

namespace sanxing {

class TrendGridView;

// A grid picture holds at most this many draws, the newest: 1,000 rows are about 20,000
// pixels high, as much as image programs open comfortably.
inline constexpr int kMaxPictureRows = 1000;

struct TrendPicture {
    QImage image;
    int rows = 0;     // draws shown
    int skipped = 0;  // older draws of the range left out (beyond kMaxPictureRows)
};

// The grid of `view` with every draw row (up to kMaxPictureRows, the newest), the header
// and the summary rows, under `title`; columns as wide as the view has them, 连线 as the
// view shows it. A picture that leaves draws out says so in its title line.
TrendPicture PaintGridPicture(const TrendGridView& view, const QString& title);

// The row of the picture's title: what it shows and when it was made.
int PictureTitleHeight(const QFont& font);
void PaintPictureTitle(QPainter& painter, int width, const QString& title, const QFont& font);

}  // namespace sanxing
