#include <algorithm>
#include <array>
#include <mutex>
#include <optional>

#include "history/history_db_impl.h"

namespace sanxing::history {

using detail::LotteryKey;
using detail::WriteFailure;
using detail::WriteProblem;

struct DrawWriter::State {
    HistoryDb::Impl* db;
    sqlite::Transaction transaction;
    int beginCode;  // why BEGIN failed, read before the statements below reset it
    sqlite::Statement insert, lookup, anyInRange, insertBlock;
    std::optional<Failure> notStarted;  // why the transaction or its statements could not start

    explicit State(HistoryDb::Impl& owner);
    // Inserts a block in one statement when its issues are distinct and none is stored;
    // whether it did.
    Result<bool> tryInsertBlock(std::int64_t key, std::span<const StoredDraw> block, const std::string& recorded);
    Result<Added> add(std::int64_t key, const StoredDraw& draw, std::string_view recorded);
};

namespace {

std::string BlockInsertSql() {
    std::string sql = "INSERT INTO draws (lottery, issue, number, date, source, recorded) VALUES ";
    for (std::size_t i = 0; i < DrawWriter::kBlock; ++i) sql += i ? ",(?,?,?,?,?,?)" : "(?,?,?,?,?,?)";
    return sql;
}

}  // namespace

Result<DrawWriter> HistoryDb::startWriting() {
    if (impl_->readOnly) return detail::ReadOnlyFailure(impl_->path);
    std::lock_guard lock(impl_->turn);
    if (auto sound = detail::CheckBeforeWriting(*impl_); !sound) return sound.failure();
    auto state = std::make_unique<DrawWriter::State>(*impl_);
    if (state->notStarted) return *state->notStarted;
    return DrawWriter(std::move(state));
}

DrawWriter::State::State(HistoryDb::Impl& owner)
    : db(&owner),
      transaction(owner.connection),
      beginCode(transaction.begun() ? SQLITE_OK : owner.connection.lastErrorCode()),
      insert(owner.connection.get(),
             "INSERT INTO draws (lottery, issue, number, date, source, recorded) VALUES (?1, ?2, ?3, ?4, ?5, ?6)"
             " ON CONFLICT (lottery, issue) DO NOTHING"),
      lookup(owner.connection.get(), "SELECT number FROM draws WHERE lottery = ?1 AND issue = ?2"),
      anyInRange(owner.connection.get(), "SELECT 1 FROM draws WHERE lottery = ?1 AND issue BETWEEN ?2 AND ?3 LIMIT 1"),
      insertBlock(owner.connection.get(), BlockInsertSql()) {
    if (!transaction.begun()) {
        notStarted = WriteFailure(owner, beginCode, transaction.begun().error());
    } else if (!insert.ok() || !lookup.ok() || !anyInRange.ok() || !insertBlock.ok()) {
        notStarted = WriteProblem(owner);
    }
}

Result<DrawWriter::Added> DrawWriter::State::add(std::int64_t key, const StoredDraw& draw, std::string_view recorded) {
    insert.bind(1, key).bind(2, draw.issue).bind(3, draw.number).bind(4, draw.date).bind(5, draw.source);
    insert.bind(6, draw.recorded.empty() ? recorded : std::string_view(draw.recorded));
    const int step = insert.step();
    insert.reset();
    if (step != SQLITE_DONE) return WriteProblem(*db);
    if (sqlite3_changes(db->connection.get()) == 1) return Added{Outcome::Stored, {}};
    lookup.bind(1, key).bind(2, draw.issue);
    if (lookup.step() != SQLITE_ROW) {
        Failure failed = WriteProblem(*db);  // SQLite's reason, before the reset
        lookup.reset();
        return failed;
    }
    Added added;
    added.outcome = lookup.textView(0) == draw.number ? Outcome::Present : Outcome::Conflict;
    if (added.outcome == Outcome::Conflict) added.storedNumber = lookup.text(0);
    lookup.reset();
    return added;
}

Result<bool> DrawWriter::State::tryInsertBlock(std::int64_t key, std::span<const StoredDraw> block,
                                               const std::string& recorded) {
    std::array<std::string_view, kBlock> issues;
    for (std::size_t i = 0; i < kBlock; ++i) issues[i] = block[i].issue;
    std::sort(issues.begin(), issues.end());
    if (std::adjacent_find(issues.begin(), issues.end()) != issues.end()) return false;
    anyInRange.bind(1, key).bind(2, issues.front()).bind(3, issues.back());
    const int probe = anyInRange.step();
    std::optional<Failure> failed;
    if (probe != SQLITE_ROW && probe != SQLITE_DONE) failed = WriteProblem(*db);
    anyInRange.reset();
    if (failed) return *failed;
    if (probe != SQLITE_DONE) return false;
    for (std::size_t i = 0; i < kBlock; ++i) {
        const StoredDraw& draw = block[i];
        const int at = static_cast<int>(i) * 6;
        insertBlock.bind(at + 1, key).bind(at + 2, draw.issue).bind(at + 3, draw.number);
        insertBlock.bind(at + 4, draw.date).bind(at + 5, draw.source);
        insertBlock.bind(at + 6, draw.recorded.empty() ? std::string_view(recorded) : std::string_view(draw.recorded));
    }
    const int step = insertBlock.step();
    if (step != SQLITE_DONE) failed = WriteProblem(*db);
    insertBlock.reset();
    if (failed) return *failed;
    return true;
}

DrawWriter::DrawWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}
DrawWriter::DrawWriter(DrawWriter&&) noexcept = default;
DrawWriter& DrawWriter::operator=(DrawWriter&&) noexcept = default;

DrawWriter::~DrawWriter() {
    if (!state_) return;
    std::lock_guard lock(state_->db->turn);
    state_.reset();  // rolls back an uncommitted transaction
}

Result<DrawWriter::Added> DrawWriter::add(std::string_view lottery, const StoredDraw& draw) {
    const std::int64_t key = LotteryKey(lottery);
    if (key < 0) return detail::UnknownLottery(lottery);
    std::lock_guard lock(state_->db->turn);
    return state_->add(key, draw, draw.recorded.empty() ? NowUtc() : std::string());
}

Result<std::vector<DrawWriter::Added>> DrawWriter::addAll(std::string_view lottery, std::span<const StoredDraw> draws) {
    const std::int64_t key = LotteryKey(lottery);
    if (key < 0) return detail::UnknownLottery(lottery);
    std::vector<Added> added;
    added.reserve(draws.size());
    const std::string recorded = NowUtc();
    std::lock_guard lock(state_->db->turn);
    for (std::size_t start = 0; start < draws.size(); start += kBlock) {
        const auto block = draws.subspan(start, std::min(kBlock, draws.size() - start));
        if (block.size() == kBlock) {
            auto inserted = state_->tryInsertBlock(key, block, recorded);
            if (!inserted) return inserted.failure();
            if (*inserted) {
                added.resize(added.size() + kBlock, Added{Outcome::Stored, {}});
                continue;
            }
        }
        for (const StoredDraw& draw : block) {
            auto one = state_->add(key, draw, recorded);
            if (!one) return one.failure();
            added.push_back(std::move(*one));
        }
    }
    return added;
}

Result<void> DrawWriter::commit() {
    std::lock_guard lock(state_->db->turn);
    if (auto committed = state_->transaction.commit(); !committed) return WriteProblem(*state_->db);
    return {};
}

}  // namespace sanxing::history
