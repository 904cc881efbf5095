#include "gui/history/draw_table_model.h"

namespace sanxing {

namespace {

constexpr const char* kHeaders[] = {"期号", "号码", "开奖日期", "来源"};

}  // namespace

Result<void> DrawTableModel::show(const history::HistoryDb* db, std::string lottery) {
    beginResetModel();
    db_ = db;
    lottery_ = std::move(lottery);
    auto issues = db_ ? db_->issuesDescending(lottery_) : std::vector<std::string>();
    issues_ = issues ? std::move(*issues) : std::vector<std::string>();
    blocks_.clear();
    blockOrder_.clear();
    readError_ = issues.error();
    endResetModel();
    if (!issues) return Failure{issues.error()};
    return {};
}

int DrawTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(issues_.size());
}

int DrawTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::size(kHeaders));
}

const history::StoredDraw* DrawTableModel::drawAt(std::size_t row) const {
    const std::size_t block = row / kBlock;
    auto found = blocks_.find(block);
    if (found == blocks_.end()) {
        if (blocks_.size() >= kBlocksKept) {
            blocks_.erase(blockOrder_.front());
            blockOrder_.pop_front();
        }
        auto rows = db_->descending(lottery_, issues_[block * kBlock], kBlock);
        if (!rows) {
            readError_ = rows.error();
            return nullptr;
        }
        found = blocks_.emplace(block, std::move(*rows)).first;
        blockOrder_.push_back(block);
    }
    const std::size_t offset = row % kBlock;
    // A row deleted by another program since the issues were read shifts the block.
    if (offset >= found->second.size() || found->second[offset].issue != issues_[row]) return nullptr;
    return &found->second[offset];
}

QVariant DrawTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !db_ || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= issues_.size()) return {};
    if (index.column() == 0) return QString::fromStdString(issues_[row]);
    const history::StoredDraw* draw = drawAt(row);
    if (!draw) return {};
    switch (index.column()) {
        case 1: return QString::fromStdString(draw->number);
        case 2: return QString::fromStdString(draw->date);
        default: return QString::fromStdString(draw->source);
    }
}

QVariant DrawTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section >= 0 && section < columnCount() ? QString::fromUtf8(kHeaders[section]) : QVariant();
}

}  // namespace sanxing
