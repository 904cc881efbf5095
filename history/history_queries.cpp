#include <algorithm>
#include <mutex>
#include <optional>

#include "history/history_db_impl.h"
#include "history/lotteries.h"

namespace sanxing::history {

using detail::LastProblem;
using detail::LotteryKey;

namespace {

constexpr const char* kColumns = "issue, number, date, source, recorded";

StoredDraw ReadDraw(const sqlite::Statement& row) {
    return {row.text(0), row.text(1), row.text(2), row.text(3), row.text(4)};
}

// Steps through every row; a step that ends in an error is the read's failure, never
// the end of the rows.
template <typename OnRow>
Result<void> ReadRows(const HistoryDb::Impl& db, sqlite::Statement& statement, OnRow onRow) {
    if (!statement.ok()) return LastProblem(db);
    int step;
    while ((step = statement.step()) == SQLITE_ROW) onRow(statement);
    if (step != SQLITE_DONE) return LastProblem(db);
    return {};
}

// Issue bounds compare by (length, text): against issues of length L, a shorter bound
// lies below every issue and a longer one above every issue.
enum class BoundPlace { Below, Inside, Above };
// An empty bound leaves that end open.
BoundPlace PlaceBound(std::string_view lottery, std::string_view bound, BoundPlace whenEmpty) {
    if (bound.empty()) return whenEmpty;
    const Lottery* known = FindLottery(lottery);
    if (!known) return BoundPlace::Inside;
    const auto length = static_cast<std::size_t>(known->issueLength);
    if (bound.size() < length) return BoundPlace::Below;
    return bound.size() > length ? BoundPlace::Above : BoundPlace::Inside;
}

// The WHERE clause of a range over ?1 (lottery), ?2 (from) and ?3 (to); nothing when the
// range cannot hold a draw.
std::optional<std::string> RangeCondition(std::string_view lottery, std::string_view fromIssue,
                                          std::string_view toIssue) {
    const BoundPlace from = PlaceBound(lottery, fromIssue, BoundPlace::Below);
    const BoundPlace to = PlaceBound(lottery, toIssue, BoundPlace::Above);
    if (from == BoundPlace::Above || to == BoundPlace::Below) return std::nullopt;
    return std::string(" WHERE lottery = ?1") + (from == BoundPlace::Below ? "" : " AND issue >= ?2") +
           (to == BoundPlace::Above ? "" : " AND issue <= ?3");
}

Result<std::vector<StoredDraw>> Query(const HistoryDb::Impl& db, std::string_view sql, std::string_view lottery,
                                      std::string_view a, std::string_view b, std::size_t limit) {
    std::lock_guard lock(db.turn);
    sqlite::Statement statement(db.connection.get(), sql);
    statement.bind(1, LotteryKey(lottery)).bind(2, a).bind(3, b).bind(4, static_cast<std::int64_t>(limit));
    std::vector<StoredDraw> draws;
    if (limit <= (1 << 16)) draws.reserve(limit);  // a page or the newest N, not an open range
    if (auto read = ReadRows(db, statement, [&](const sqlite::Statement& row) { draws.push_back(ReadDraw(row)); });
        !read) {
        return read.failure();
    }
    return draws;
}

}  // namespace

Result<std::vector<StoredDraw>> HistoryDb::newest(std::string_view lottery, std::size_t count) const {
    auto draws = descending(lottery, {}, count);
    if (draws) std::reverse(draws->begin(), draws->end());
    return draws;
}

Result<std::vector<StoredDraw>> HistoryDb::descending(std::string_view lottery, std::string_view atOrBelow,
                                                      std::size_t count) const {
    if (count == 0) return std::vector<StoredDraw>{};
    const std::string sql = std::string("SELECT ") + kColumns + " FROM draws WHERE lottery = ?1" +
                            (atOrBelow.empty() ? "" : " AND issue <= ?2") + " ORDER BY issue DESC LIMIT ?4";
    return Query(*impl_, sql, lottery, atOrBelow, {}, count);
}

Result<std::vector<StoredDraw>> HistoryDb::between(std::string_view lottery, std::string_view fromIssue,
                                                   std::string_view toIssue) const {
    const auto where = RangeCondition(lottery, fromIssue, toIssue);
    if (!where) return std::vector<StoredDraw>{};
    const std::string sql = std::string("SELECT ") + kColumns + " FROM draws" + *where + " ORDER BY issue LIMIT ?4";
    return Query(*impl_, sql, lottery, fromIssue, toIssue, static_cast<std::size_t>(INT64_MAX));
}

Result<std::vector<std::string>> HistoryDb::issuesDescending(std::string_view lottery) const {
    std::lock_guard lock(impl_->turn);
    sqlite::Statement statement(impl_->connection.get(),
                                "SELECT issue FROM draws WHERE lottery = ?1 ORDER BY issue DESC");
    statement.bind(1, LotteryKey(lottery));
    std::vector<std::string> issues;
    if (auto read = ReadRows(*impl_, statement, [&](const sqlite::Statement& row) { issues.push_back(row.text(0)); });
        !read) {
        return read.failure();
    }
    return issues;
}

Result<DrawSpan> HistoryDb::span(std::string_view lottery, std::string_view fromIssue, std::string_view toIssue) const {
    const auto where = RangeCondition(lottery, fromIssue, toIssue);
    if (!where) return DrawSpan{};
    std::lock_guard lock(impl_->turn);
    sqlite::Statement statement(impl_->connection.get(), "SELECT count(*), min(issue), max(issue) FROM draws" + *where);
    statement.bind(1, LotteryKey(lottery)).bind(2, fromIssue).bind(3, toIssue);
    DrawSpan span;
    if (auto read = ReadRows(*impl_, statement,
                             [&](const sqlite::Statement& row) {
                                 span = {static_cast<std::size_t>(row.integer(0)), row.text(1), row.text(2)};
                             });
        !read) {
        return read.failure();
    }
    return span;
}

Result<std::size_t> HistoryDb::count(std::string_view lottery) const {
    auto whole = span(lottery);
    if (!whole) return whole.failure();
    return whole->count;
}

}  // namespace sanxing::history
