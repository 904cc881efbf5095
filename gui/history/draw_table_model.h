#pragma once
// The draws of one lottery as a table, newest first: 期号, 号码, 开奖日期, 来源. Only the
// issues are held; the rows are read from the database in blocks as they are shown, so a
// history of 100,000 draws opens and scrolls at once.

#include <QAbstractTableModel>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "history/history_db.h"

namespace sanxing {

class DrawTableModel final : public QAbstractTableModel {
public:
    explicit DrawTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Shows `lottery` of `db` (nullptr: nothing) and reads its issues anew; a failed read
    // shows nothing and gives the reason.
    Result<void> show(const history::HistoryDb* db, std::string lottery);
    // The reason of the last failed read of rows, or empty (rows that cannot be read stay blank).
    const std::string& readError() const { return readError_; }

    const std::vector<std::string>& issues() const { return issues_; }  // newest first

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    static constexpr std::size_t kBlock = 256;
    static constexpr std::size_t kBlocksKept = 64;
    const history::StoredDraw* drawAt(std::size_t row) const;

    const history::HistoryDb* db_ = nullptr;
    std::string lottery_;
    std::vector<std::string> issues_;
    mutable std::unordered_map<std::size_t, std::vector<history::StoredDraw>> blocks_;
    mutable std::list<std::size_t> blockOrder_;  // oldest read first
    mutable std::string readError_;
};

}  // namespace sanxing
