#include "gui/trend/trend_grid_model.h"

#include <QBrush>
#include <QFont>

namespace sanxing {

namespace {

using namespace analysis;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

const char* const kSummaryNames[] = {"出现次数", "平均遗漏", "最大遗漏", "当前遗漏"};

TrendColumnGroup Group(QString caption, int first, int count, bool joinable = true) {
    TrendColumnGroup group{std::move(caption), {}, joinable};
    for (int category = first; category < first + count; ++category) group.categories.push_back(category);
    return group;
}

TrendValueColumn SumColumn() {
    return {QStringLiteral("和值"), [](int value) { return QString::number(DigitSum(value)); }};
}
TrendValueColumn SpanColumn() {
    return {QStringLiteral("跨度"), [](int value) { return QString::number(DigitSpan(value)); }};
}
TrendValueColumn ShapeColumn() {
    return {QStringLiteral("形态"), [](int value) { return Q(kShapeNames[static_cast<std::size_t>(ShapeOf(value))]); }};
}

QFont BoldFont() {
    QFont bold;
    bold.setBold(true);
    return bold;
}

}  // namespace

std::vector<TrendGridLayout> TrendGridLayouts() {
    TrendGridLayout digits{QStringLiteral("号码走势"), {}, {SumColumn(), SpanColumn(), ShapeColumn()}};
    TrendGridLayout patterns{QStringLiteral("形态走势"), {}, {}};
    for (int p = 0; p < 3; ++p) {
        digits.groups.push_back(Group(Q(kPositionDigitNames[p]), DigitCategory(p, 0), 10));
        for (const Pattern pattern : kPatterns) {
            patterns.groups.push_back(Group(Q(kPositionDigitNames[p]) + Q(PatternName(pattern)),
                                            PatternCategory(p, pattern, 0),
                                            static_cast<int>(PatternValues(pattern).size())));
        }
    }
    TrendGridLayout group{QStringLiteral("组选分布"),
                          {Group(QStringLiteral("组选号码"), kGroupDigitCategories, 10, false)},
                          {ShapeColumn()}};
    TrendGridLayout sums{
        QStringLiteral("和值/跨度"),
        {Group(QStringLiteral("和值"), kSumCategories, 28), Group(QStringLiteral("和尾"), kSumTailCategories, 10),
         Group(QStringLiteral("跨度"), kSpanCategories, 10), Group(QStringLiteral("形态"), kShapeCategories, 3)},
        {}};
    return {std::move(digits), std::move(patterns), std::move(group), std::move(sums)};
}

QString TrendDefinitions() {
    return QStringLiteral(
        "口径（N 为所选期数）：\n"
        "遗漏：距上次出现的期数，往前数遍全部开奖历史，不只所选范围；"
        "这一期出现为 0，历史中从未出现过则为距第一期的期数加 1。\n"
        "出现次数：所选范围中出现这一项的期数。\n"
        "当前遗漏：所选范围最新一期的遗漏。\n"
        "最大遗漏：所选范围中各期遗漏的最大值（范围开始前就已开始的遗漏整段计入）。\n"
        "平均遗漏：(N − 出现次数) ÷ (出现次数 + 1)。\n"
        "大小：5-9 为大；质合：1 2 3 5 7 为质，0 4 6 8 9 为合；012路：号码除以 3 的余数；"
        "组选：一期开出的号码，重复的只算一次。\n"
        "图中每格：这一期出现时标色并显示这一项，否则显示遗漏。");
}

TrendGridModel::TrendGridModel(TrendGridLayout layout, QObject* parent)
    : QAbstractTableModel(parent), layout_(std::move(layout)) {
    columnGroup_ = {-1, -1};
    columnCategory_ = {-1, -1};
    for (std::size_t g = 0; g < layout_.groups.size(); ++g) {
        groupStarts_.push_back(static_cast<int>(columnGroup_.size()));
        for (const int category : layout_.groups[g].categories) {
            columnGroup_.push_back(static_cast<int>(g));
            columnCategory_.push_back(category);
        }
    }
    firstValueColumn_ = static_cast<int>(columnGroup_.size());
    columns_ = firstValueColumn_ + static_cast<int>(layout_.values.size());
    columnGroup_.resize(static_cast<std::size_t>(columns_), -1);
    columnCategory_.resize(static_cast<std::size_t>(columns_), -1);
}

void TrendGridModel::reset(std::shared_ptr<const TrendData> data) {
    beginResetModel();
    data_ = std::move(data);
    endResetModel();
}

void TrendGridModel::setShowOmission(bool show) {
    if (show == showOmission_) return;
    showOmission_ = show;
    if (drawCount() > 0)
        emit dataChanged(index(0, kFirstCategoryColumn), index(drawCount() - 1, firstValueColumn_ - 1));
}

int TrendGridModel::groupOfColumn(int column) const {
    return column >= 0 && column < columns_ ? columnGroup_[static_cast<std::size_t>(column)] : -1;
}

int TrendGridModel::categoryOfColumn(int column) const {
    return column >= 0 && column < columns_ ? columnCategory_[static_cast<std::size_t>(column)] : -1;
}

int TrendGridModel::hitColumn(int row, int group) const {
    const auto& categories = layout_.groups[static_cast<std::size_t>(group)].categories;
    for (std::size_t i = 0; i < categories.size(); ++i) {
        if (data_->trend.cell(static_cast<std::size_t>(row), categories[i]) == 0) return firstColumnOf(group) + int(i);
    }
    return -1;
}

bool TrendGridModel::isHit(int row, int column) const {
    const int category = categoryOfColumn(column);
    return category >= 0 && row >= 0 && row < drawCount() &&
           data_->trend.cell(static_cast<std::size_t>(row), category) == 0;
}

// Groups in alternating colours; a drawn value marked in a strong one.
QColor TrendGridModel::groupBackground(int group) const {
    return group % 2 == 1 ? QColor(255, 246, 228) : QColor(234, 242, 255);
}
QColor TrendGridModel::hitColour(int group) const { return group % 2 == 1 ? QColor(214, 96, 0) : QColor(200, 30, 40); }

int TrendGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || drawCount() == 0 ? 0 : drawCount() + kSummaryRows;
}

QVariant TrendGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !data_) return {};
    if (role == Qt::TextAlignmentRole) return Qt::AlignCenter;
    const int row = index.row();
    return row < drawCount() ? drawCell(row, index.column(), role)
                             : summaryCell(row - drawCount(), index.column(), role);
}

QVariant TrendGridModel::drawCell(int row, int column, int role) const {
    const AnalysedDraw& draw = data_->draws[static_cast<std::size_t>(row)];
    const int group = groupOfColumn(column);
    if (group < 0) {
        if (role != Qt::DisplayRole) return {};
        if (column == kIssueColumn) return Q(draw.issue);
        if (column == kNumberColumn) return Q(draw.number);
        return layout_.values[static_cast<std::size_t>(column - firstValueColumn_)].text(draw.value);
    }
    const int cell = data_->trend.cell(static_cast<std::size_t>(row), categoryOfColumn(column));
    const bool drawn = cell == 0;
    switch (role) {
        case Qt::DisplayRole:
            if (drawn) return Q(CategoryValueText(categoryOfColumn(column)));
            return showOmission_ ? QVariant(cell) : QVariant();
        case Qt::BackgroundRole: return QBrush(drawn ? hitColour(group) : groupBackground(group));
        case Qt::ForegroundRole: return QBrush(drawn ? QColor(Qt::white) : QColor(140, 140, 140));
        case Qt::FontRole: return drawn ? QVariant(BoldFont()) : QVariant();
        default: return {};
    }
}

QVariant TrendGridModel::summaryCell(int summary, int column, int role) const {
    const int group = groupOfColumn(column);
    if (role == Qt::BackgroundRole)
        return QBrush(group >= 0 ? groupBackground(group).darker(108) : QColor(236, 236, 236));
    if (role == Qt::ToolTipRole) return TrendDefinitions();
    if (role == Qt::FontRole) return column == kIssueColumn ? QVariant(BoldFont()) : QVariant();
    if (role != Qt::DisplayRole) return {};
    if (column == kIssueColumn) return QString::fromUtf8(kSummaryNames[summary]);
    if (group < 0) return {};
    const CategoryFigures& f = data_->trend.figures(categoryOfColumn(column));
    switch (summary) {
        case 0: return f.appearances;
        case 1: return QString::number(f.average, 'f', 1);
        case 2: return f.max;
        default: return f.current;
    }
}

QVariant TrendGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_) return {};
    if (role == Qt::ToolTipRole) return TrendDefinitions();
    const int group = groupOfColumn(section);
    if (group >= 0) {
        if (role == Qt::BackgroundRole) return QBrush(groupBackground(group).darker(110));
        if (role == kGroupCaptionRole) return layout_.groups[static_cast<std::size_t>(group)].caption;
        if (role == Qt::DisplayRole) return Q(CategoryValueText(categoryOfColumn(section)));
        return {};
    }
    if (role == Qt::BackgroundRole) return QBrush(QColor(236, 236, 236));
    if (role != Qt::DisplayRole) return {};
    if (section == kIssueColumn) return QStringLiteral("期号");
    if (section == kNumberColumn) return QStringLiteral("号码");
    return layout_.values[static_cast<std::size_t>(section - firstValueColumn_)].header;
}

}  // namespace sanxing
