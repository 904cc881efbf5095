#include "gui/history/trend_grid_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "numbers/set_text.h"

namespace sanxing {

namespace {

using namespace analysis;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

const char* const kSummaryNames[] = {"出现次数", "平均遗漏", "最大遗漏", "当前遗漏"};

// Position groups in alternating colours; the drawn digit's cell filled in a strong one.
QColor GroupBackground(int position) { return position == 1 ? QColor(255, 246, 228) : QColor(234, 242, 255); }
QColor DrawnBackground(int position) { return position == 1 ? QColor(214, 96, 0) : QColor(200, 30, 40); }

int PositionOfColumn(int column) { return (column - TrendGridModel::kFirstDigitColumn) / 10; }
bool IsDigitColumn(int column) {
    return column >= TrendGridModel::kFirstDigitColumn && column < TrendGridModel::kSumColumn;
}

}  // namespace

QString TrendDefinitions() {
    return QStringLiteral(
        "口径（N 为所选期数，按开奖先后）：\n"
        "出现次数：出现这一项的期数。\n"
        "当前遗漏：最近一次出现之后的期数（最新一期出现为 0，从未出现为 N）。\n"
        "最大遗漏：连续不出现的最长期数，第一次出现之前和最后一次出现之后的也算。\n"
        "平均遗漏：(N − 出现次数) ÷ (出现次数 + 1)，即这些不出现段的平均长度。\n"
        "图中每格：这一期出现为 0（标色并显示号码），否则为上次出现以来的期数；"
        "范围内还没出现过时从范围开头数起（第 i 行为 i）。");
}

void TrendGridModel::reset(std::vector<AnalysedDraw> draws, Trend trend) {
    beginResetModel();
    draws_ = std::move(draws);
    trend_ = std::move(trend);
    endResetModel();
}

void TrendGridModel::setShowOmission(bool show) {
    if (show == showOmission_) return;
    showOmission_ = show;
    if (!draws_.empty()) emit dataChanged(index(0, kFirstDigitColumn), index(int(draws_.size()) - 1, kSumColumn - 1));
}

int TrendGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || draws_.empty() ? 0 : static_cast<int>(draws_.size()) + kSummaryRows;
}

QVariant TrendGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return Qt::AlignCenter;
    const int row = index.row();
    const int draws = static_cast<int>(draws_.size());
    return row < draws ? drawCell(row, index.column(), role) : summaryCell(row - draws, index.column(), role);
}

QVariant TrendGridModel::drawCell(int row, int column, int role) const {
    const AnalysedDraw& draw = draws_[row];
    if (!IsDigitColumn(column)) {
        if (role != Qt::DisplayRole) return {};
        switch (column) {
            case kIssueColumn: return Q(draw.issue);
            case kNumberColumn: return Q(draw.number);
            case kSumColumn: return DigitSum(draw.value);
            case kSpanColumn: return DigitSpan(draw.value);
            default: return Q(kShapeNames[static_cast<int>(ShapeOf(draw.value))]);
        }
    }
    const int position = PositionOfColumn(column);
    const int digit = (column - kFirstDigitColumn) % 10;
    const int cell = trend_.cell(static_cast<std::size_t>(row), kDigitCategories + position * 10 + digit);
    const bool drawn = cell == 0;
    switch (role) {
        case Qt::DisplayRole:
            if (drawn) return digit;
            return showOmission_ ? QVariant(cell) : QVariant();
        case Qt::BackgroundRole: return QBrush(drawn ? DrawnBackground(position) : GroupBackground(position));
        case Qt::ForegroundRole: return QBrush(drawn ? QColor(Qt::white) : QColor(140, 140, 140));
        case Qt::FontRole: {
            if (!drawn) return {};
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        default: return {};
    }
}

QVariant TrendGridModel::summaryCell(int summary, int column, int role) const {
    if (role == Qt::BackgroundRole) {
        return QBrush(IsDigitColumn(column) ? GroupBackground(PositionOfColumn(column)).darker(108)
                                            : QColor(236, 236, 236));
    }
    if (role == Qt::ToolTipRole) return TrendDefinitions();
    if (role == Qt::FontRole) {
        QFont bold;
        bold.setBold(column == kIssueColumn);
        return bold;
    }
    if (role != Qt::DisplayRole) return {};
    if (column == kIssueColumn) return QString::fromUtf8(kSummaryNames[summary]);
    if (!IsDigitColumn(column)) return {};
    const CategoryFigures& f = trend_.figures(kDigitCategories + column - kFirstDigitColumn);
    switch (summary) {
        case 0: return f.appearances;
        case 1: return QString::number(f.average, 'f', 1);
        case 2: return f.max;
        default: return f.current;
    }
}

QVariant TrendGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::ToolTipRole) return TrendDefinitions();
    if (IsDigitColumn(section)) {
        const int position = PositionOfColumn(section);
        if (role == Qt::BackgroundRole) return QBrush(GroupBackground(position).darker(110));
        if (role == Qt::DisplayRole) {
            return Q(kPositionDigitNames[position]).left(1) + '\n' +
                   QString::number((section - kFirstDigitColumn) % 10);
        }
        return {};
    }
    if (role != Qt::DisplayRole) return {};
    switch (section) {
        case kIssueColumn: return QStringLiteral("期号");
        case kNumberColumn: return QStringLiteral("号码");
        case kSumColumn: return QStringLiteral("和值");
        case kSpanColumn: return QStringLiteral("跨度");
        default: return QStringLiteral("形态");
    }
}

}  // namespace sanxing
