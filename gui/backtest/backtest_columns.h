#pragma once
// A table of 历史验证 as its columns: each column's title, header tooltip and cell side by
// side, so a column is added or changed in one place.

#include <QStringList>
#include <span>
#include <vector>

#include "gui/analysis/value_table_model.h"

namespace sanxing {

// `Context` holds what a cell needs beside its row (the draw count, the conditions, …).
template <typename Row, typename Context>
struct Column {
    QString title;
    QString toolTip;  // empty: none
    TableCell (*cell)(const Row& row, const Context& context);
};

template <typename Row, typename Context>
using Columns = std::vector<Column<Row, Context>>;

// A model with the columns' titles and tooltips.
template <typename Row, typename Context>
ValueTableModel* ModelOf(const Columns<Row, Context>& columns, QObject* parent) {
    QStringList titles, toolTips;
    for (const auto& column : columns) {
        titles << column.title;
        toolTips << column.toolTip;
    }
    auto* model = new ValueTableModel(titles, parent);
    model->setHeaderToolTips(toolTips);
    return model;
}

// Shows `rows` in `model`; the rows and the context must live as long as it shows them.
template <typename Row, typename Context>
void ShowRows(ValueTableModel& model, const Columns<Row, Context>& columns, std::span<const Row> rows,
              const Context& context, ValueTableModel::RowMarker marked = {}) {
    model.reset(
        static_cast<int>(rows.size()),
        [&columns, rows, &context](int row, int column) {
            return columns[static_cast<std::size_t>(column)].cell(rows[static_cast<std::size_t>(row)], context);
        },
        std::move(marked));
}

}  // namespace sanxing
