#include "gui/trend/trend_grid_view.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <cmath>

#include "gui/trend/trend_grid_model.h"

namespace sanxing {

namespace {

const QColor kGridLine(208, 208, 208);
const QColor kGroupEdge(150, 150, 150);

// The ball of a marked cell: a circle, or a pill where the label is wider than that.
QRectF BallRect(const QRect& cell, int labelWidth) {
    const QRectF inner = QRectF(cell).adjusted(1.5, 1.5, -1.5, -1.5);
    const double width = std::min(inner.width(), std::max<double>(inner.height(), labelWidth + 6));
    const double height = std::min(inner.height(), width);
    return QRectF(inner.center().x() - width / 2, inner.center().y() - height / 2, width, height);
}

// The width of a marked cell's label in the grid's bold font.
int LabelWidth(const TrendGridModel& model, int row, int column, const QFontMetrics& bold) {
    return bold.horizontalAdvance(model.index(row, column).data(Qt::DisplayRole).toString());
}

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

// How far from the ball's centre a line towards (dx, dy) leaves it.
double BallReach(const QRectF& ball, double dx, double dy) {
    const double length = std::hypot(dx, dy);
    if (length == 0) return 0;
    if (ball.width() == ball.height()) return ball.width() / 2;
    // A pill: where the line crosses its bounding box (never inside the pill).
    const double tx = dx == 0 ? 1e9 : ball.width() / 2 / std::abs(dx);
    const double ty = dy == 0 ? 1e9 : ball.height() / 2 / std::abs(dy);
    return std::min(tx, ty) * length;
}

// Paints cells straight from the model: the style's item machinery costs several times as
// much, and a 10,000-row grid is scrolled a lot.
class TrendCellDelegate final : public QStyledItemDelegate {
public:
    TrendCellDelegate(const TrendGridModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        PaintTrendCell(*painter, option.rect, model_, index.row(), index.column(), option.font);
    }

private:
    const TrendGridModel& model_;
};

// Two lines: the group caption spanning its columns, then each column's label.
class TrendHeaderView final : public QHeaderView {
public:
    TrendHeaderView(const TrendGridModel& model, QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent), model_(model) {}

    QSize sizeHint() const override {
        QSize size = QHeaderView::sizeHint();
        size.setHeight(2 * fontMetrics().height() + 8);
        return size;
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        QRect group;
        const int g = model_.groupOfColumn(logicalIndex);
        if (g >= 0) {
            const int first = model_.firstColumnOf(g);
            int width = 0;
            for (int c = first; c < model_.columnCount() && model_.groupOfColumn(c) == g; ++c) width += sectionSize(c);
            group = QRect(rect.x() + sectionPosition(first) - sectionPosition(logicalIndex), rect.y(), width,
                          rect.height());
        }
        painter->save();
        PaintTrendHeader(*painter, rect, group, model_, logicalIndex, font());
        painter->restore();
    }

private:
    const TrendGridModel& model_;
};

}  // namespace

void PaintTrendCell(QPainter& painter, const QRect& rect, const TrendGridModel& model, int row, int column,
                    const QFont& font) {
    const QModelIndex index = model.index(row, column);
    const int group = model.groupOfColumn(column);
    const bool hit = model.isHit(row, column);
    const QVariant background = hit ? QVariant(QBrush(model.groupBackground(group))) : index.data(Qt::BackgroundRole);
    if (background.isValid()) painter.fillRect(rect, background.value<QBrush>());
    if (group >= 0 && model.firstColumnOf(group) == column) {
        painter.setPen(kGroupEdge);
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
    }
    if (hit) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(model.hitColour(group));
        const QRectF ball = BallRect(rect, LabelWidth(model, row, column, QFontMetrics(Bold(font))));
        painter.drawRoundedRect(ball, ball.height() / 2, ball.height() / 2);
        painter.restore();
    }
    const QVariant text = index.data(Qt::DisplayRole);
    if (!text.isValid()) return;
    const QVariant foreground = index.data(Qt::ForegroundRole);
    painter.setPen(foreground.isValid() ? foreground.value<QBrush>().color() : QColor(Qt::black));
    QFont cellFont = font;
    cellFont.setBold(index.data(Qt::FontRole).value<QFont>().bold());
    painter.setFont(cellFont);
    painter.drawText(rect, Qt::AlignCenter, text.toString());
}

void PaintTrendHeader(QPainter& painter, const QRect& section, const QRect& groupRect, const TrendGridModel& model,
                      int column, const QFont& font) {
    painter.setClipRect(section);
    painter.fillRect(section, model.headerData(column, Qt::Horizontal, Qt::BackgroundRole).value<QBrush>());
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 40));
    const QString label = model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    if (groupRect.isNull()) {
        painter.drawText(section, Qt::AlignCenter, label);
    } else {
        const int half = section.height() / 2;
        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(QRect(groupRect.x(), section.y(), groupRect.width(), half), Qt::AlignCenter,
                         model.headerData(column, Qt::Horizontal, TrendGridModel::kGroupCaptionRole).toString());
        painter.setFont(font);
        painter.drawText(QRect(section.x(), section.y() + half, section.width(), section.height() - half),
                         Qt::AlignCenter, label);
        painter.setPen(kGridLine.darker(115));
        painter.drawLine(section.left(), section.y() + half, section.right(), section.y() + half);
    }
    const bool groupStart =
        model.groupOfColumn(column) >= 0 && model.firstColumnOf(model.groupOfColumn(column)) == column;
    painter.setPen(groupStart ? kGroupEdge : kGridLine.darker(115));
    if (groupStart || groupRect.isNull()) {
        painter.drawLine(section.topLeft(), section.bottomLeft());
    } else {
        painter.drawLine(section.left(), section.y() + section.height() / 2, section.left(), section.bottom());
    }
    painter.setPen(kGridLine.darker(115));
    painter.drawLine(section.bottomLeft(), section.bottomRight());
    painter.setClipping(false);
}

void PaintTrendLines(QPainter& painter, const TrendGridModel& model, int first, int last,
                     const std::function<QRect(int row, int column)>& cellRect, const QFont& font) {
    const QFontMetrics bold(Bold(font));
    first = std::max(first, 0);
    last = std::min(last, model.drawCount() - 1);
    if (first >= last) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const auto& groups = model.layout().groups;
    for (int g = 0; g < static_cast<int>(groups.size()); ++g) {
        if (!groups[static_cast<std::size_t>(g)].joinable) continue;
        painter.setPen(QPen(model.hitColour(g), 1.2));
        QRectF previous;
        for (int row = first; row <= last; ++row) {
            const int column = model.hitColumn(row, g);
            if (column < 0) continue;
            const QRectF cell = BallRect(cellRect(row, column), LabelWidth(model, row, column, bold));
            const QPointF from = previous.center(), to = cell.center();
            const double dx = to.x() - from.x(), dy = to.y() - from.y();
            const double length = std::hypot(dx, dy);
            if (!previous.isNull() && length > 0) {
                const double start = BallReach(previous, dx, dy);
                const double end = length - BallReach(cell, dx, dy);
                if (end > start) {
                    painter.drawLine(QPointF(from.x() + dx * start / length, from.y() + dy * start / length),
                                     QPointF(from.x() + dx * end / length, from.y() + dy * end / length));
                }
            }
            previous = cell;
        }
    }
    painter.restore();
}

TrendGridView::TrendGridView(TrendGridModel* model, QWidget* parent) : QTableView(parent), model_(model) {
    setHorizontalHeader(new TrendHeaderView(*model, this));
    setModel(model);
    setItemDelegate(new TrendCellDelegate(*model, this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setWordWrap(false);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    verticalHeader()->hide();
    // Fixed sizes: nothing is measured per row, so long ranges scroll smoothly.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setToolTip(TrendDefinitions());
    connect(model, &QAbstractItemModel::modelReset, this, &TrendGridView::fitColumns);
    fitColumns();
}

void TrendGridView::setJoined(bool joined) {
    if (joined == joined_) return;
    joined_ = joined;
    viewport()->update();
}

void TrendGridView::fitColumns() {
    const QFontMetrics metrics = fontMetrics();
    const QFontMetrics boldMetrics(Bold(font()));
    const auto width = [&](const QString& text) { return boldMetrics.horizontalAdvance(text); };
    const TrendData* data = model_->data();
    const int pad = metrics.horizontalAdvance(QLatin1Char('0')) + 6;
    QString issue = QStringLiteral("出现次数"), number = QStringLiteral("号码");
    if (data && !data->draws.empty()) {
        if (data->draws.back().issue.size() > 8) issue = QString::fromStdString(data->draws.back().issue);
        number = QString::fromStdString(data->draws.back().number);
    }
    QHeaderView* header = horizontalHeader();
    header->resizeSection(TrendGridModel::kIssueColumn,
                          std::max(width(issue), width(QStringLiteral("出现次数"))) + pad);
    header->resizeSection(TrendGridModel::kNumberColumn, std::max(width(number), width(QStringLiteral("号码"))) + pad);
    const auto& groups = model_->layout().groups;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        // One width for the whole group: the widest of its labels and figures, at least
        // two digits, so that balls stay round.
        int widest = width(QStringLiteral("88"));
        for (const int category : groups[g].categories) {
            widest = std::max(widest, width(QString::fromStdString(analysis::CategoryValueText(category))));
            if (!data) continue;
            const analysis::CategoryFigures& f = data->trend.figures(category);
            widest = std::max({widest, metrics.horizontalAdvance(QString::number(std::max(f.max, f.appearances))),
                               metrics.horizontalAdvance(QString::number(f.average, 'f', 1))});
        }
        const int first = model_->firstColumnOf(static_cast<int>(g));
        const int captionShare = width(groups[g].caption) / static_cast<int>(groups[g].categories.size());
        for (std::size_t i = 0; i < groups[g].categories.size(); ++i) {
            header->resizeSection(first + static_cast<int>(i), std::max(widest + 8, captionShare + 4));
        }
    }
    for (int column = model_->columnCount() - static_cast<int>(model_->layout().values.size());
         column < model_->columnCount(); ++column) {
        header->resizeSection(column, std::max(width(QStringLiteral("组六")), width(QStringLiteral("88"))) + pad);
    }
}

int TrendGridView::gridWidth() const {
    int total = 0;
    for (int column = 0; column < model_->columnCount(); ++column) total += horizontalHeader()->sectionSize(column);
    return total;
}

void TrendGridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (!joined_ || model_->drawCount() < 2) return;
    // One row beyond each edge, so that lines enter the view from the rows outside it.
    const int first = rowAt(0) - 1;
    int last = rowAt(viewport()->height() - 1);
    last = last < 0 ? model_->drawCount() - 1 : last + 1;
    QPainter painter(viewport());
    PaintTrendLines(
        painter, *model_, first, last,
        [this](int row, int column) {
            return QRect(columnViewportPosition(column), rowViewportPosition(row), columnWidth(column), rowHeight(row));
        },
        font());
}

}  // namespace sanxing
