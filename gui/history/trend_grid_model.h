#pragma once
// The grid of the trend chart: one row per draw, oldest first, then the four summary rows
// (出现次数, 平均遗漏, 最大遗漏, 当前遗漏). Columns: issue, number, ten digits each for
// 百位, 十位, 个位 (the drawn digit filled and shown, the others showing their omission
// unless hidden), then 和值, 跨度 and 形态. Every cell is computed when asked for, so
// 10,000 rows scroll as quickly as 30.

#include <QAbstractTableModel>

#include "analysis/trend.h"

namespace sanxing {

class TrendGridModel final : public QAbstractTableModel {
public:
    static constexpr int kIssueColumn = 0;
    static constexpr int kNumberColumn = 1;
    static constexpr int kFirstDigitColumn = 2;
    static constexpr int kSumColumn = kFirstDigitColumn + 30;
    static constexpr int kSpanColumn = kSumColumn + 1;
    static constexpr int kShapeColumn = kSpanColumn + 1;
    static constexpr int kColumns = kShapeColumn + 1;
    static constexpr int kSummaryRows = 4;

    using QAbstractTableModel::QAbstractTableModel;

    void reset(std::vector<analysis::AnalysedDraw> draws, analysis::Trend trend);
    void setShowOmission(bool show);
    bool showOmission() const { return showOmission_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kColumns; }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant drawCell(int row, int column, int role) const;
    QVariant summaryCell(int summary, int column, int role) const;

    std::vector<analysis::AnalysedDraw> draws_;
    analysis::Trend trend_;
    bool showOmission_ = true;
};

// The definitions of the figures, shown as a tooltip.
QString TrendDefinitions();

}  // namespace sanxing
