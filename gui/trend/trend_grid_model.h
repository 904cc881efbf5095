#pragma once
// The grids of the trend window: one row per draw of the range, oldest first, then the
// four summary rows (出现次数, 平均遗漏, 最大遗漏, 当前遗漏). Columns: issue, number, then
// groups of category columns under one caption ("百位" 0-9, "百位大小" 大 小, "和值" 0-27,
// …), whose cell shows the value when the draw has it (marked) and its omission otherwise,
// then plain value columns (和值, 跨度, 形态 of the draw). Every cell is computed when asked
// for, so 10,000 rows scroll as quickly as 30.

#include <QAbstractTableModel>
#include <QColor>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/trend.h"

namespace sanxing {

// The range's draws and their figures, shared by every grid of the window.
struct TrendData {
    std::vector<analysis::AnalysedDraw> draws;  // the range, oldest first
    analysis::Trend trend;
};

// Category columns under one caption.
struct TrendColumnGroup {
    QString caption;
    std::vector<int> categories;  // one column each
    bool joinable = true;         // each draw has exactly one of them, so 连线 can join them
};

// A column that shows something of the draw itself (its sum, span, shape).
struct TrendValueColumn {
    QString header;
    std::function<QString(int value)> text;  // from the three analysed digits
};

struct TrendGridLayout {
    QString name;  // the tab's title
    std::vector<TrendColumnGroup> groups;
    std::vector<TrendValueColumn> values;
};

// 号码走势, 形态走势, 组选分布, 和值/跨度.
std::vector<TrendGridLayout> TrendGridLayouts();

class TrendGridModel final : public QAbstractTableModel {
public:
    static constexpr int kIssueColumn = 0;
    static constexpr int kNumberColumn = 1;
    static constexpr int kFirstCategoryColumn = 2;
    static constexpr int kSummaryRows = 4;
    // Header data: the caption of a category column's group (above its value).
    static constexpr int kGroupCaptionRole = Qt::UserRole + 1;

    explicit TrendGridModel(TrendGridLayout layout, QObject* parent = nullptr);

    const TrendGridLayout& layout() const { return layout_; }
    void reset(std::shared_ptr<const TrendData> data);
    void setShowOmission(bool show);
    bool showOmission() const { return showOmission_; }
    int drawCount() const { return data_ ? static_cast<int>(data_->draws.size()) : 0; }
    const TrendData* data() const { return data_.get(); }

    // The group of a category column and its category; -1 for the other columns.
    int groupOfColumn(int column) const;
    int categoryOfColumn(int column) const;
    int firstColumnOf(int group) const { return groupStarts_[static_cast<std::size_t>(group)]; }
    // The column of a joinable group that the draw of `row` has.
    int hitColumn(int row, int group) const;
    bool isHit(int row, int column) const;
    // Background of a category column's cells, and the colour of its marked cells.
    QColor groupBackground(int group) const;
    QColor hitColour(int group) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columns_; }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant drawCell(int row, int column, int role) const;
    QVariant summaryCell(int summary, int column, int role) const;

    TrendGridLayout layout_;
    std::vector<int> groupStarts_;  // first column of each group
    std::vector<int> columnGroup_;  // per column: its group or -1
    std::vector<int> columnCategory_;
    int firstValueColumn_ = 0;
    int columns_ = 0;
    std::shared_ptr<const TrendData> data_;
    bool showOmission_ = true;
};

// The definitions of the figures, shown as a tooltip.
QString TrendDefinitions();

}  // namespace sanxing
