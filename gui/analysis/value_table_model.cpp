#include "gui/analysis/value_table_model.h"

#include <QFont>
#include <QRegularExpression>

namespace sanxing {

ValueTableModel::ValueTableModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), headers_(std::move(headers)) {}

void ValueTableModel::reset(int rows, CellFunction cell, RowMarker marked) {
    beginResetModel();
    rows_ = rows;
    cell_ = std::move(cell);
    marked_ = std::move(marked);
    endResetModel();
}

QVariant ValueTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !cell_) return {};
    const bool marked = marked_ && marked_(index.row());
    switch (role) {
        case Qt::DisplayRole: return cell_(index.row(), index.column()).display;
        case Qt::UserRole: {
            TableCell cell = cell_(index.row(), index.column());
            return cell.sortKey.isNull() ? cell.display : cell.sortKey;
        }
        case Qt::TextAlignmentRole: {
            const TableCell cell = cell_(index.row(), index.column());
            auto numeric = [](const QVariant& v) {
                return v.typeId() == QMetaType::Int || v.typeId() == QMetaType::Double;
            };
            const bool number = numeric(cell.display) || numeric(cell.sortKey);
            return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
        }
        case Qt::BackgroundRole: return marked ? QVariant(QColor(255, 228, 225)) : QVariant();
        case Qt::FontRole: {
            if (!marked) return {};
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        default: return {};
    }
}

QVariant ValueTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size()) return {};
    if (role == Qt::DisplayRole) return headers_[section];
    if (role == Qt::ToolTipRole && section < toolTips_.size()) return toolTips_[section];
    return {};
}

namespace {

QString CellText(const QVariant& value, bool csv) {
    QString text = value.toString();
    if (!csv || !text.contains(QRegularExpression(QStringLiteral("[,\"\r\n]")))) return text;
    return '"' + text.replace('"', QStringLiteral("\"\"")) + '"';
}

}  // namespace

QString ModelText(const QAbstractItemModel& model, QChar separator, bool csv) {
    QString text;
    const int columns = model.columnCount();
    for (int c = 0; c < columns; ++c) {
        if (c > 0) text += separator;
        text += CellText(model.headerData(c, Qt::Horizontal, Qt::DisplayRole), csv);
    }
    text += '\n';
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0) text += separator;
            text += CellText(model.data(model.index(r, c), Qt::DisplayRole), csv);
        }
        text += '\n';
    }
    return text;
}

}  // namespace sanxing
