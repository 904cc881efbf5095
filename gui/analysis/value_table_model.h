#pragma once
// A read-only table model whose cells come from a function: the back-test and trend
// tables are views over Qt-free results, without a widget per row. Display text and a
// sort value (Qt::UserRole) per cell; a row may be marked to stand out.

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace sanxing {

struct TableCell {
    TableCell(QVariant shown, QVariant key = {}) : display(std::move(shown)), sortKey(std::move(key)) {}
    QVariant display;  // what is shown and copied
    QVariant sortKey;  // what sorting compares; the display value when null
};

class ValueTableModel final : public QAbstractTableModel {
public:
    using CellFunction = std::function<TableCell(int row, int column)>;
    using RowMarker = std::function<bool(int row)>;

    explicit ValueTableModel(QStringList headers, QObject* parent = nullptr);

    // Shows `rows` rows whose cells `cell` gives; rows for which `marked` holds stand out.
    void reset(int rows, CellFunction cell, RowMarker marked = {});
    void setHeaderToolTips(QStringList toolTips) { toolTips_ = std::move(toolTips); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : headers_.size(); }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headers_;
    QStringList toolTips_;
    int rows_ = 0;
    CellFunction cell_;
    RowMarker marked_;
};

// The model's rows as text: a header line, then one line per row, cells joined by
// `separator`. With `csv`, cells holding a comma, quote or line break are quoted.
QString ModelText(const QAbstractItemModel& model, QChar separator, bool csv);

}  // namespace sanxing
