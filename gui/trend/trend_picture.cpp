#include "gui/trend/trend_picture.h"

#include <QHeaderView>
#include <QPainter>

#include "gui/trend/trend_grid_model.h"
#include "gui/trend/trend_grid_view.h"

namespace sanxing {

namespace {

QFont TitleFont(const QFont& font) {
    QFont title = font;
    title.setBold(true);
    title.setPointSizeF(font.pointSizeF() > 0 ? font.pointSizeF() * 1.2 : 12);
    return title;
}

}  // namespace

int PictureTitleHeight(const QFont& font) { return QFontMetrics(TitleFont(font)).height() + 12; }

void PaintPictureTitle(QPainter& painter, int width, const QString& title, const QFont& font) {
    painter.setFont(TitleFont(font));
    painter.setPen(QColor(30, 30, 30));
    painter.drawText(QRect(8, 0, width - 16, PictureTitleHeight(font)), Qt::AlignLeft | Qt::AlignVCenter, title);
}

TrendPicture PaintGridPicture(const TrendGridView& view, const QString& title) {
    const TrendGridModel& model = view.trendModel();
    const QHeaderView& header = *view.horizontalHeader();
    const QFont font = view.font();
    TrendPicture picture;
    picture.rows = std::min(model.drawCount(), kMaxPictureRows);
    picture.skipped = model.drawCount() - picture.rows;
    const int firstRow = picture.skipped;  // the newest rows, when not all fit
    const int rowHeight = view.verticalHeader()->defaultSectionSize();
    const int headerHeight = header.sizeHint().height();
    const int titleHeight = PictureTitleHeight(font);
    const int gridTop = titleHeight + headerHeight;
    const int rows = picture.rows + (model.drawCount() > 0 ? TrendGridModel::kSummaryRows : 0);
    const int width = std::max(view.gridWidth() + 1, 320);
    picture.image = QImage(width, gridTop + rows * rowHeight + 1, QImage::Format_RGB32);
    picture.image.fill(Qt::white);

    QPainter painter(&picture.image);
    QString heading = title;
    if (picture.skipped > 0) {
        heading += QStringLiteral("（图中为最新 %1 期，共 %2 期）").arg(picture.rows).arg(model.drawCount());
    }
    PaintPictureTitle(painter, width, heading, font);
    std::vector<int> left(static_cast<std::size_t>(model.columnCount()) + 1, 0);
    for (int c = 0; c < model.columnCount(); ++c)
        left[std::size_t(c) + 1] = left[std::size_t(c)] + header.sectionSize(c);
    const auto cellRect = [&](int row, int column) {
        const int line = row < model.drawCount() ? row - firstRow : picture.rows + row - model.drawCount();
        return QRect(left[std::size_t(column)], gridTop + line * rowHeight, header.sectionSize(column), rowHeight);
    };

    for (int c = 0; c < model.columnCount(); ++c) {
        const QRect section(left[std::size_t(c)], titleHeight, header.sectionSize(c), headerHeight);
        QRect group;
        if (const int g = model.groupOfColumn(c); g >= 0) {
            int end = c;
            while (end < model.columnCount() && model.groupOfColumn(end) == g) ++end;
            const int start = model.firstColumnOf(g);
            group = QRect(left[std::size_t(start)], titleHeight, left[std::size_t(end)] - left[std::size_t(start)],
                          headerHeight);
        }
        PaintTrendHeader(painter, section, group, model, c, font);
    }
    const auto paintRow = [&](int row) {
        for (int c = 0; c < model.columnCount(); ++c) PaintTrendCell(painter, cellRect(row, c), model, row, c, font);
    };
    for (int row = firstRow; row < model.drawCount(); ++row) paintRow(row);
    if (model.drawCount() > 0) {
        for (int s = 0; s < TrendGridModel::kSummaryRows; ++s) paintRow(model.drawCount() + s);
    }
    // Grid lines under the header, as the view draws them, and the header's right edge.
    painter.setPen(QColor(208, 208, 208));
    const int bottom = picture.image.height() - 1;
    painter.drawLine(left.back() - 1, titleHeight, left.back() - 1, gridTop);
    for (int c = 1; c <= model.columnCount(); ++c)
        painter.drawLine(left[std::size_t(c)] - 1, gridTop, left[std::size_t(c)] - 1, bottom);
    for (int line = 1; line <= rows; ++line) {
        painter.drawLine(0, gridTop + line * rowHeight - 1, left.back() - 1, gridTop + line * rowHeight - 1);
    }
    if (view.joined()) PaintTrendLines(painter, model, firstRow, model.drawCount() - 1, cellRect, font);
    return picture;
}

}  // namespace sanxing
