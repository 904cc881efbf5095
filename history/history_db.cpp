#include "history/history_db.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "history/lotteries.h"
#include "history/schema.h"

namespace history {

namespace {

constexpr int kBusyTimeoutMs = 15000;
constexpr const char* kColumns = "issue, number, date, source, recorded";

std::string Refusal(const std::filesystem::path& file, std::string_view reason) {
    return "开奖历史数据库“" + file.string() + "”无法使用：" + std::string(reason);
}

// SQLite's failure in words a player understands, with SQLite's own text for the record.
std::string DescribeSqliteError(int code, const std::string& message, int systemErrno) {
    std::string reason;
    switch (code & 0xff) {
        case SQLITE_NOTADB: reason = "文件不是数据库，或已损坏，文件未作改动"; break;
        case SQLITE_CORRUPT: reason = "数据库文件已损坏，文件未作改动"; break;
        case SQLITE_READONLY:
        case SQLITE_PERM: reason = "没有写入权限"; break;
        case SQLITE_BUSY:
        case SQLITE_LOCKED: reason = "数据库正被其他程序长时间占用"; break;
        case SQLITE_FULL: reason = "磁盘已满"; break;
        case SQLITE_CANTOPEN:
            reason = systemErrno == EACCES || systemErrno == EPERM ? "没有读写权限" : "无法打开文件";
            break;
        default: reason = "数据库出错"; break;
    }
    return reason + "（" + message + "）";
}

Result<void> CheckPath(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (std::filesystem::is_directory(status)) return Failure{"这是一个文件夹，不是数据库文件"};
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return Failure{"这不是普通文件"};
    }
    if (!std::filesystem::exists(status) && file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), error);
        if (error) return Failure{"无法建立所在文件夹（" + error.message() + "）"};
    }
    return {};
}

// The page-level check finds a file cut short or damaged before anything is written to it.
bool PassesQuickCheck(const sqlite::Connection& connection) {
    sqlite::Statement check(connection.get(), "PRAGMA quick_check(1)");
    return check.Step() == SQLITE_ROW && check.TextView(0) == "ok";
}

// Readers and one writer of two processes then work side by side.
bool SwitchToWal(const sqlite::Connection& connection) {
    sqlite::Statement wal(connection.get(), "PRAGMA journal_mode = WAL");
    return wal.Step() == SQLITE_ROW && wal.TextView(0) == "wal";
}

Result<void> PrepareConnection(const sqlite::Connection& connection) {
    sqlite3_busy_timeout(connection.get(), kBusyTimeoutMs);
    // Reading the header first: a file that is not a database fails here, untouched.
    if (!connection.IntQuery("PRAGMA user_version")) {
        return Failure{DescribeSqliteError(connection.LastErrorCode(), connection.LastError(),
                                           sqlite3_system_errno(connection.get()))};
    }
    if (sqlite3_db_readonly(connection.get(), "main") == 1) return Failure{"没有写入权限"};
    if (auto fits = CheckSchema(connection); !fits) return fits;
    if (!PassesQuickCheck(connection)) return Failure{"数据库文件已损坏，文件未作改动"};
    if (!SwitchToWal(connection)) {
        return Failure{DescribeSqliteError(connection.LastErrorCode(), connection.LastError(), 0)};
    }
    if (auto set = connection.Exec("PRAGMA synchronous = NORMAL; PRAGMA cache_size = -4096"); !set) {
        return Failure{"数据库出错（" + set.error() + "）"};
    }
    // Only an older file takes the write lock, so opening never waits for another
    // program's long import.
    if (connection.IntQuery("PRAGMA user_version").value_or(0) >= kSchemaVersion) return {};
    if (auto migrated = MigrateSchema(connection); !migrated) {
        return Failure{DescribeSqliteError(connection.LastErrorCode(), migrated.error(), 0)};
    }
    return {};
}

StoredDraw ReadDraw(const sqlite::Statement& row) {
    return {row.Text(0), row.Text(1), row.Text(2), row.Text(3), row.Text(4)};
}

// Rows carry the lottery's kindIndex: a small integer keeps keys short and compares fast.
// An unknown name gets a key no row has.
std::int64_t LotteryKey(std::string_view lottery) {
    const Lottery* known = FindLottery(lottery);
    return known ? known->kindIndex : -1;
}

bool IsValidDraw(std::string_view lottery, const StoredDraw& draw) {
    const Lottery* known = FindLottery(lottery);
    if (!known) return false;
    const bool digitsOnly =
        std::all_of(draw.number.begin(), draw.number.end(), [](char c) { return c >= '0' && c <= '9'; });
    return !draw.issue.empty() && digitsOnly && draw.number.size() == static_cast<std::size_t>(known->digits);
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

}  // namespace

std::filesystem::path DefaultDatabasePath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::filesystem::path base;
    if (data && *data && std::filesystem::path(data).is_absolute()) {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : ".") / ".local" / "share";
    }
    return base / "sanxing" / "history.sqlite";
}

std::string NowUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

HistoryDb::HistoryDb(std::filesystem::path path, sqlite::Connection connection)
    : path_(std::move(path)), connection_(std::move(connection)) {}

Result<HistoryDb> HistoryDb::Open(const std::filesystem::path& file) {
    if (auto usable = CheckPath(file); !usable) return Failure{Refusal(file, usable.error())};
    sqlite::Connection::OpenFailure failure;
    auto connection = sqlite::Connection::Open(file.string(), true, failure);
    if (!connection) {
        return Failure{Refusal(file, DescribeSqliteError(failure.code, failure.message, failure.systemErrno))};
    }
    if (auto prepared = PrepareConnection(*connection); !prepared) return Failure{Refusal(file, prepared.error())};
    return HistoryDb(file, std::move(*connection));
}

std::vector<StoredDraw> HistoryDb::Query(std::string_view sql, std::string_view lottery, std::string_view a,
                                         std::string_view b, std::size_t limit) const {
    sqlite::Statement statement(connection_.get(), sql);
    statement.Bind(1, LotteryKey(lottery)).Bind(2, a).Bind(3, b).Bind(4, static_cast<std::int64_t>(limit));
    std::vector<StoredDraw> draws;
    if (limit <= (1 << 16)) draws.reserve(limit);  // a page or the newest N, not an open range
    while (statement.Step() == SQLITE_ROW) draws.push_back(ReadDraw(statement));
    return draws;
}

std::vector<StoredDraw> HistoryDb::Newest(std::string_view lottery, std::size_t count) const {
    auto draws = Descending(lottery, {}, count);
    std::reverse(draws.begin(), draws.end());
    return draws;
}

std::vector<StoredDraw> HistoryDb::Descending(std::string_view lottery, std::string_view atOrBelow,
                                              std::size_t count) const {
    if (count == 0) return {};
    const std::string sql = std::string("SELECT ") + kColumns + " FROM draws WHERE lottery = ?1" +
                            (atOrBelow.empty() ? "" : " AND issue <= ?2") + " ORDER BY issue DESC LIMIT ?4";
    return Query(sql, lottery, atOrBelow, {}, count);
}

std::vector<StoredDraw> HistoryDb::Between(std::string_view lottery, std::string_view fromIssue,
                                           std::string_view toIssue) const {
    const BoundPlace from = PlaceBound(lottery, fromIssue, BoundPlace::Below);
    const BoundPlace to = PlaceBound(lottery, toIssue, BoundPlace::Above);
    if (from == BoundPlace::Above || to == BoundPlace::Below) return {};
    const std::string sql = std::string("SELECT ") + kColumns + " FROM draws WHERE lottery = ?1" +
                            (from == BoundPlace::Below ? "" : " AND issue >= ?2") +
                            (to == BoundPlace::Above ? "" : " AND issue <= ?3") + " ORDER BY issue LIMIT ?4";
    return Query(sql, lottery, fromIssue, toIssue, static_cast<std::size_t>(INT64_MAX));
}

std::vector<std::string> HistoryDb::IssuesDescending(std::string_view lottery) const {
    sqlite::Statement statement(connection_.get(), "SELECT issue FROM draws WHERE lottery = ?1 ORDER BY issue DESC");
    statement.Bind(1, LotteryKey(lottery));
    std::vector<std::string> issues;
    while (statement.Step() == SQLITE_ROW) issues.push_back(statement.Text(0));
    return issues;
}

std::size_t HistoryDb::Count(std::string_view lottery) const {
    sqlite::Statement statement(connection_.get(), "SELECT count(*) FROM draws WHERE lottery = ?1");
    statement.Bind(1, LotteryKey(lottery));
    return statement.Step() == SQLITE_ROW ? static_cast<std::size_t>(statement.Int(0)) : 0;
}

Result<DrawWriter> HistoryDb::StartWriting() {
    DrawWriter writer(connection_);
    if (!writer.error().empty()) return Failure{Refusal(path_, writer.error())};
    return writer;
}

Result<RecordCounts> HistoryDb::Record(std::string_view lottery, const std::vector<StoredDraw>& draws) {
    if (!FindLottery(lottery)) return Failure{"未知彩种“" + std::string(lottery) + "”"};
    auto writer = StartWriting();
    if (!writer) return Failure{writer.error()};
    RecordCounts counts;
    std::vector<StoredDraw> valid;
    for (const StoredDraw& draw : draws) {
        if (IsValidDraw(lottery, draw)) {
            valid.push_back(draw);
        } else {
            ++counts.invalid;
        }
    }
    for (const DrawWriter::Added& added : writer->AddAll(lottery, valid)) {
        switch (added.outcome) {
            case DrawWriter::Outcome::Stored: ++counts.stored; break;
            case DrawWriter::Outcome::Present: ++counts.present; break;
            case DrawWriter::Outcome::Conflict: ++counts.conflicts; break;
            case DrawWriter::Outcome::Failed: return Failure{Refusal(path_, writer->error())};
        }
    }
    if (auto committed = writer->Commit(); !committed) return Failure{Refusal(path_, committed.error())};
    return counts;
}

Result<std::size_t> HistoryDb::Delete(std::string_view lottery, const std::vector<std::string>& issues) {
    sqlite::Transaction transaction(connection_);
    if (!transaction.begun()) return Failure{Refusal(path_, transaction.begun().error())};
    sqlite::Statement remove(connection_.get(), "DELETE FROM draws WHERE lottery = ?1 AND issue = ?2");
    std::size_t deleted = 0;
    for (const std::string& issue : issues) {
        remove.Bind(1, LotteryKey(lottery)).Bind(2, issue);
        if (remove.Step() != SQLITE_DONE) return Failure{Refusal(path_, connection_.LastError())};
        deleted += static_cast<std::size_t>(sqlite3_changes(connection_.get()));
        remove.Reset();
    }
    if (auto committed = transaction.Commit(); !committed) return Failure{Refusal(path_, committed.error())};
    return deleted;
}

namespace {

std::string BlockInsertSql() {
    std::string sql = "INSERT INTO draws (lottery, issue, number, date, source, recorded) VALUES ";
    for (std::size_t i = 0; i < DrawWriter::kBlock; ++i) sql += i ? ",(?,?,?,?,?,?)" : "(?,?,?,?,?,?)";
    return sql;
}

}  // namespace

DrawWriter::DrawWriter(const sqlite::Connection& connection)
    : connection_(&connection),
      transaction_(std::make_unique<sqlite::Transaction>(connection)),
      insert_(connection.get(),
              "INSERT INTO draws (lottery, issue, number, date, source, recorded) VALUES (?1, ?2, ?3, ?4, ?5, ?6)"
              " ON CONFLICT (lottery, issue) DO NOTHING"),
      lookup_(connection.get(), "SELECT number FROM draws WHERE lottery = ?1 AND issue = ?2"),
      anyInRange_(connection.get(), "SELECT 1 FROM draws WHERE lottery = ?1 AND issue BETWEEN ?2 AND ?3 LIMIT 1"),
      insertBlock_(connection.get(), BlockInsertSql()) {
    if (!transaction_->begun()) {
        error_ = DescribeSqliteError(connection.LastErrorCode(), transaction_->begun().error(), 0);
    } else if (!insert_.ok() || !lookup_.ok() || !anyInRange_.ok() || !insertBlock_.ok()) {
        error_ = DescribeSqliteError(connection.LastErrorCode(), connection.LastError(), 0);
    }
}

DrawWriter::Outcome DrawWriter::Fail() {
    error_ = DescribeSqliteError(connection_->LastErrorCode(), connection_->LastError(), 0);
    return Outcome::Failed;
}

DrawWriter::Outcome DrawWriter::Add(std::string_view lottery, const StoredDraw& draw, std::string* storedNumber) {
    const std::int64_t key = LotteryKey(lottery);
    if (key < 0) {
        error_ = "未知彩种“" + std::string(lottery) + "”";
        return Outcome::Failed;
    }
    const std::string recorded = draw.recorded.empty() ? NowUtc() : std::string();
    insert_.Bind(1, key).Bind(2, draw.issue).Bind(3, draw.number).Bind(4, draw.date).Bind(5, draw.source);
    insert_.Bind(6, draw.recorded.empty() ? std::string_view(recorded) : std::string_view(draw.recorded));
    const int step = insert_.Step();
    insert_.Reset();
    if (step != SQLITE_DONE) return Fail();
    if (sqlite3_changes(connection_->get()) == 1) return Outcome::Stored;
    lookup_.Bind(1, key).Bind(2, draw.issue);
    const bool found = lookup_.Step() == SQLITE_ROW;
    const bool same = found && lookup_.TextView(0) == draw.number;
    if (found && !same && storedNumber) *storedNumber = lookup_.Text(0);
    lookup_.Reset();
    if (!found) return Fail();
    return same ? Outcome::Present : Outcome::Conflict;
}

bool DrawWriter::TryInsertBlock(std::int64_t key, std::span<const StoredDraw> block, const std::string& recorded) {
    std::array<std::string_view, kBlock> issues;
    for (std::size_t i = 0; i < kBlock; ++i) issues[i] = block[i].issue;
    std::sort(issues.begin(), issues.end());
    if (std::adjacent_find(issues.begin(), issues.end()) != issues.end()) return false;
    anyInRange_.Bind(1, key).Bind(2, issues.front()).Bind(3, issues.back());
    const bool anyStored = anyInRange_.Step() == SQLITE_ROW;
    anyInRange_.Reset();
    if (anyStored) return false;
    for (std::size_t i = 0; i < kBlock; ++i) {
        const StoredDraw& draw = block[i];
        const int at = static_cast<int>(i) * 6;
        insertBlock_.Bind(at + 1, key).Bind(at + 2, draw.issue).Bind(at + 3, draw.number);
        insertBlock_.Bind(at + 4, draw.date).Bind(at + 5, draw.source);
        insertBlock_.Bind(at + 6, draw.recorded.empty() ? std::string_view(recorded) : std::string_view(draw.recorded));
    }
    const int step = insertBlock_.Step();
    insertBlock_.Reset();
    if (step == SQLITE_DONE) return true;
    Fail();
    return false;
}

std::vector<DrawWriter::Added> DrawWriter::AddAll(std::string_view lottery, std::span<const StoredDraw> draws) {
    std::vector<Added> added;
    added.reserve(draws.size());
    const std::int64_t key = LotteryKey(lottery);
    const std::string recorded = NowUtc();
    for (std::size_t start = 0; start < draws.size(); start += kBlock) {
        const auto block = draws.subspan(start, std::min(kBlock, draws.size() - start));
        if (key >= 0 && block.size() == kBlock && TryInsertBlock(key, block, recorded)) {
            added.resize(added.size() + kBlock, Added{Outcome::Stored, {}});
            continue;
        }
        if (!error_.empty()) {
            added.push_back({});
            return added;
        }
        for (const StoredDraw& draw : block) {
            Added one;
            one.outcome = Add(lottery, draw, &one.storedNumber);
            added.push_back(std::move(one));
            if (added.back().outcome == Outcome::Failed) return added;
        }
    }
    return added;
}

Result<void> DrawWriter::Commit() {
    auto committed = transaction_->Commit();
    if (!committed) return Failure{DescribeSqliteError(connection_->LastErrorCode(), committed.error(), 0)};
    return {};
}

}  // namespace history
