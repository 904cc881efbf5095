#include "history/history_db.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>

#include "history/history_db_impl.h"
#include "history/lotteries.h"
#include "history/schema.h"
#include "runtime/system_error_text.h"

namespace sanxing::history {

using detail::LotteryKey;
using detail::WriteProblem;

struct DrawWriter::State {
    HistoryDb::Impl* db;
    sqlite::Transaction transaction;
    int beginCode;  // why BEGIN failed, read before the statements below reset it
    sqlite::Statement insert, lookup, anyInRange, insertBlock;
    std::string error;

    explicit State(HistoryDb::Impl& owner);
    // Inserts a block in one statement when its issues are distinct and none is stored.
    bool tryInsertBlock(std::int64_t key, std::span<const StoredDraw> block, const std::string& recorded);
    Outcome add(std::int64_t key, const StoredDraw& draw, std::string_view recorded, std::string* storedNumber);
    Outcome fail();  // keeps SQLite's reason
};

namespace {

std::atomic<int> waitForWritersMs{15000};
constexpr const char* kColumns = "issue, number, date, source, recorded";

std::string Refusal(const std::filesystem::path& file, std::string_view reason) {
    return "开奖历史数据库“" + file.string() + "”无法使用：" + std::string(reason);
}

bool IsBusy(int code) { return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED; }

// The errno values that say why a file could not be opened (CANTOPEN) or read and
// written (IOERR). SQLite hands on the last errno of any call, which after an I/O error
// may be left over from an earlier, harmless one (a missing journal), so those count only
// when they can only come from the failing call.
bool SaysWhatFailed(int primary, int systemErrno) {
    switch (systemErrno) {
        case ENOSPC:
        case EDQUOT:
        case EIO:
        case EROFS:
        case EFBIG: return primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN || primary == SQLITE_FULL;
        case EACCES:
        case EPERM:
        case ENOENT:
        case ENOTDIR:
        case EISDIR: return primary == SQLITE_CANTOPEN;
        default: return false;
    }
}

// SQLite's failure in words a player understands, with SQLite's or the system's own text
// in parentheses for the record.
std::string DescribeSqliteError(int code, const std::string& message, int systemErrno) {
    const int primary = code & 0xff;
    if (SaysWhatFailed(primary, systemErrno)) return SystemErrorText(systemErrno);
    // The shared-memory file beside a WAL history could not grow: the disk is full.
    if (code == SQLITE_IOERR_SHMSIZE) return "磁盘空间不足（" + message + "）";
    std::string reason;
    switch (primary) {
        case SQLITE_NOTADB: reason = "文件不是数据库，或已损坏，文件未作改动"; break;
        case SQLITE_CORRUPT: reason = "数据库文件已损坏，文件未作改动"; break;
        case SQLITE_READONLY:
        case SQLITE_PERM: reason = "没有写入权限"; break;
        case SQLITE_BUSY:
        case SQLITE_LOCKED: reason = "数据库正被其他程序长时间占用"; break;
        case SQLITE_FULL: reason = "磁盘空间不足"; break;
        case SQLITE_IOERR: reason = "读写出错（磁盘或设备故障）"; break;
        case SQLITE_CANTOPEN: reason = "无法打开文件"; break;
        case SQLITE_NOMEM: reason = "内存不足"; break;
        case SQLITE_TOOBIG: reason = "数据过大"; break;
        default: reason = "数据库出错"; break;
    }
    return reason + "（" + message + "）";
}

// The whole message for a failed call on `file`: another program's long write gets its
// own plain sentence, everything else names the file and SQLite's reason.
std::string Problem(const std::filesystem::path& file, int code, const std::string& message, int systemErrno = 0) {
    if (IsBusy(code)) return "开奖历史正被其他程序占用，请稍后再试（" + file.string() + "）";
    return Refusal(file, DescribeSqliteError(code, message, systemErrno));
}

Failure LastProblem(const HistoryDb::Impl& db) {
    return Failure{
        Problem(db.path, db.connection.lastErrorCode(), db.connection.lastError(), db.connection.lastSystemErrno())};
}

// A failure of the disk itself (full, or an I/O error), as opposed to a busy or foreign file.
bool IsDiskProblem(int code, int systemErrno) {
    const int primary = code & 0xff;
    return primary == SQLITE_FULL || primary == SQLITE_IOERR || systemErrno == ENOSPC || systemErrno == EDQUOT;
}

// A write that failed changed nothing: its transaction is rolled back.
Failure WriteFailure(const HistoryDb::Impl& db, int code, const std::string& message) {
    if (IsBusy(code)) return Failure{Problem(db.path, code, message)};
    if (IsDiskProblem(code, db.connection.lastSystemErrno())) db.diskFailed = true;
    if (db.readOnly) return Failure{ReadOnlyNotice(db.path)};
    return Failure{"写入开奖历史数据库“" + db.path.string() + "”失败：" +
                   DescribeSqliteError(code, message, db.connection.lastSystemErrno()) + "；开奖历史未作改动"};
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
        if (error) return Failure{"无法建立所在文件夹：" + SystemErrorText(error.value())};
    }
    return {};
}

// Readers and one writer of two processes then work side by side.
bool SwitchToWal(const sqlite::Connection& connection) {
    sqlite::Statement wal(connection.get(), "PRAGMA journal_mode = WAL");
    return wal.step() == SQLITE_ROW && wal.textView(0) == "wal";
}

// What opening created: the folders go again when an open fails (only when still empty),
// the new file and its companions only when the disk failed, so a first start on a full
// disk leaves nothing behind, while a file that another program created at the same
// moment is never removed.
class CreatedFiles {
public:
    explicit CreatedFiles(const std::filesystem::path& file) : file_(file) {
        std::error_code error;
        existed_ = std::filesystem::exists(std::filesystem::symlink_status(file, error));
        for (auto folder = file.parent_path(); !folder.empty() && folder != folder.parent_path();
             folder = folder.parent_path()) {
            if (std::filesystem::exists(folder, error)) break;
            newFolders_.push_back(folder);
        }
    }
    ~CreatedFiles() {
        if (kept_) return;
        std::error_code error;
        if (diskFailed_ && !existed_) {
            for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
                std::filesystem::remove(file_.string() + suffix, error);
            }
        }
        for (const auto& folder : newFolders_) std::filesystem::remove(folder, error);  // only when empty
    }
    CreatedFiles(const CreatedFiles&) = delete;
    CreatedFiles& operator=(const CreatedFiles&) = delete;

    bool existed() const { return existed_; }
    const std::vector<std::filesystem::path>& newFolders() const { return newFolders_; }
    void keep() { kept_ = true; }
    // The open failed with SQLite's `code`: a new file goes when the disk failed.
    Failure failed(std::string message, int code, int systemErrno) {
        diskFailed_ = IsDiskProblem(code, systemErrno);
        return Failure{std::move(message)};
    }

private:
    std::filesystem::path file_;
    bool existed_ = false;
    bool kept_ = false;
    bool diskFailed_ = false;
    std::vector<std::filesystem::path> newFolders_;  // deepest first
};

// Checks the header and the schema, never the whole file: opening takes the same time at
// a thousand draws as at ten million.
Result<void> PrepareConnection(const std::filesystem::path& file, const sqlite::Connection& connection) {
    sqlite3_busy_timeout(connection.get(), waitForWritersMs.load());
    const auto problem = [&](int systemErrno = 0) {
        return Failure{Problem(file, connection.lastErrorCode(), connection.lastError(), systemErrno)};
    };
    // Reading the header first: a file that is not a database fails here, untouched.
    if (!connection.intQuery("PRAGMA user_version")) return problem(sqlite3_system_errno(connection.get()));
    if (auto fits = CheckSchema(connection); !fits) return Failure{Refusal(file, fits.error())};
    if (!SwitchToWal(connection)) return problem();
    if (auto set = connection.exec("PRAGMA synchronous = NORMAL; PRAGMA cache_size = -4096"); !set) return problem();
    // Only an older file takes the write lock, so opening never waits for another
    // program's long import.
    if (connection.intQuery("PRAGMA user_version").value_or(0) >= kSchemaVersion) return {};
    if (auto migrated = MigrateSchema(connection); !migrated) {
        return Failure{Problem(file, connection.lastErrorCode(), migrated.error())};
    }
    return {};
}

// A history this user may read but not write: opened read-only, and where the lock files
// beside it cannot be made (another user's folder), read as the file stands. Only a file
// of the current schema can be read so: an older one needs writing to be brought up.
Result<sqlite::Connection> OpenReadOnly(const std::filesystem::path& file) {
    std::string problem;
    for (const auto mode : {sqlite::Connection::Mode::ReadOnly, sqlite::Connection::Mode::Immutable}) {
        sqlite::Connection::OpenFailure failure;
        auto connection = sqlite::Connection::open(file.string(), mode, failure);
        if (!connection) {
            problem = Problem(file, failure.code, failure.message, failure.systemErrno);
            continue;
        }
        sqlite3_busy_timeout(connection->get(), waitForWritersMs.load());
        const auto version = connection->intQuery("PRAGMA user_version");
        if (!version) {
            problem =
                Problem(file, connection->lastErrorCode(), connection->lastError(), connection->lastSystemErrno());
            if ((connection->lastErrorCode() & 0xff) == SQLITE_NOTADB) break;
            continue;
        }
        if (auto fits = CheckSchema(*connection); !fits) return Failure{Refusal(file, fits.error())};
        if (*version < kSchemaVersion) return Failure{Refusal(file, "没有写入权限，无法把旧版本的开奖历史升级")};
        return std::move(*connection);
    }
    return Failure{problem};
}

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
        return Failure{read.error()};
    }
    return draws;
}

// One connection per file in this process; entries of closed connections are replaced.
struct SharedHistories {
    std::mutex lock;
    std::map<std::filesystem::path, std::weak_ptr<HistoryDb>> open;
};

SharedHistories& Shared() {
    static SharedHistories* histories = new SharedHistories;  // outlives every static holder
    return *histories;
}

std::filesystem::path SharedKey(const std::filesystem::path& file) {
    std::error_code error;
    auto key = std::filesystem::weakly_canonical(std::filesystem::absolute(file, error), error);
    return error ? file.lexically_normal() : key;
}

}  // namespace

// Rows carry the lottery's kindIndex: a small integer keeps keys short and compares fast.
std::int64_t detail::LotteryKey(std::string_view lottery) {
    const Lottery* known = FindLottery(lottery);
    return known ? known->kindIndex : -1;
}

// A write meets only the pages it touches, so damage elsewhere would go unnoticed and be
// built upon. The whole file is checked once per connection, before its first write and
// outside any transaction: quick_check reads every page once (some 10 ms for the shipped
// draws, 0.15 s at a million draws).
Result<void> detail::CheckBeforeWriting(HistoryDb::Impl& db) {
    if (db.checkedWhole) return {};
    sqlite::Statement check(db.connection.get(), "PRAGMA quick_check(1)");
    const int step = check.step();
    if (step != SQLITE_ROW) return LastProblem(db);
    if (check.textView(0) != "ok") return Failure{Problem(db.path, SQLITE_CORRUPT, sqlite3_errstr(SQLITE_CORRUPT))};
    db.checkedWhole = true;
    return {};
}

Failure detail::WriteProblem(const HistoryDb::Impl& db) {
    return WriteFailure(db, db.connection.lastErrorCode(), db.connection.lastError());
}

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

namespace {

// Nothing but the empty draws table: the file holds nobody's data.
bool HoldsNothing(const sqlite::Connection& connection) {
    return connection.intQuery(
               "SELECT (SELECT count(*) FROM draws) + (SELECT count(*) FROM sqlite_master"
               " WHERE name <> 'draws')") == 0;
}

}  // namespace

// A new history that a full disk kept from being filled goes with its companions. SQLite
// removes the -wal and -shm files on closing only when no other connection, of this
// process or another, has the file open and everything in the log is in the file: only
// then is the file taken away.
HistoryDb::Impl::~Impl() {
    if (!createdHere || !diskFailed || readOnly || !HoldsNothing(connection)) return;
    connection = sqlite::Connection();
    std::error_code error;
    if (std::filesystem::exists(path.string() + "-wal", error) || error) return;
    std::filesystem::remove(path, error);
    std::filesystem::remove(path.string() + "-shm", error);
    for (const auto& folder : newFolders) std::filesystem::remove(folder, error);  // only when empty
}

HistoryDb::HistoryDb(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
HistoryDb::HistoryDb(HistoryDb&&) noexcept = default;
HistoryDb& HistoryDb::operator=(HistoryDb&&) noexcept = default;
HistoryDb::~HistoryDb() = default;

const std::filesystem::path& HistoryDb::path() const { return impl_->path; }

Result<HistoryDb> HistoryDb::open(const std::filesystem::path& file) {
    CreatedFiles created(file);
    if (auto usable = CheckPath(file); !usable) return Failure{Refusal(file, usable.error())};
    auto impl = std::make_unique<Impl>();
    impl->path = file;
    sqlite::Connection::OpenFailure failure;
    auto connection = sqlite::Connection::open(file.string(), sqlite::Connection::Mode::Create, failure);
    if (!connection) {
        return created.failed(Problem(file, failure.code, failure.message, failure.systemErrno), failure.code,
                              failure.systemErrno);
    }
    // SQLite opens a file the system will not let it write read-only.
    bool writable = sqlite3_db_readonly(connection->get(), "main") == 0;
    if (writable) {
        auto prepared = PrepareConnection(file, *connection);
        const int code = connection->lastErrorCode() & 0xff;
        // A writable file in a folder that is not: no journal can be made beside it.
        const bool folderRefuses = code == SQLITE_CANTOPEN || code == SQLITE_READONLY || code == SQLITE_PERM;
        if (!prepared && !(created.existed() && folderRefuses)) {
            return created.failed(prepared.error(), connection->lastErrorCode(), connection->lastSystemErrno());
        }
        writable = static_cast<bool>(prepared);
    }
    // A new history's schema goes from the log into the file at once: the log holds only
    // what later writes add, so a write the disk refuses leaves nothing to keep the log.
    if (writable && !created.existed()) {
        if (auto moved = connection->exec("PRAGMA wal_checkpoint(TRUNCATE)"); !moved) {
            return created.failed(
                Problem(file, connection->lastErrorCode(), moved.error(), connection->lastSystemErrno()),
                connection->lastErrorCode(), connection->lastSystemErrno());
        }
    }
    if (writable) {
        impl->connection = std::move(*connection);
        impl->createdHere = !created.existed();
        impl->newFolders = created.newFolders();
    } else {
        connection.reset();
        auto readable = OpenReadOnly(file);
        if (!readable) return Failure{readable.error()};
        impl->connection = std::move(*readable);
        impl->readOnly = true;
    }
    created.keep();
    return HistoryDb(std::move(impl));
}

bool HistoryDb::readOnly() const { return impl_->readOnly; }

std::string ReadOnlyNotice(const std::filesystem::path& file) {
    return "开奖历史“" + file.string() +
           "”只能读取（没有写入权限）：历史验证、走势图和导出照常，导入、更新和删除已关闭。";
}

void HistoryDb::setWaitForWriters(std::chrono::milliseconds wait) { waitForWritersMs = static_cast<int>(wait.count()); }

Result<std::shared_ptr<HistoryDb>> HistoryDb::shared(const std::filesystem::path& file) {
    SharedHistories& histories = Shared();
    std::lock_guard lock(histories.lock);
    std::weak_ptr<HistoryDb>& entry = histories.open[SharedKey(file)];
    if (auto held = entry.lock()) return held;
    auto opened = open(file);
    if (!opened) return Failure{opened.error()};
    auto held = std::make_shared<HistoryDb>(std::move(*opened));
    entry = held;
    return held;
}

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
        return Failure{read.error()};
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
        return Failure{read.error()};
    }
    return span;
}

Result<std::size_t> HistoryDb::count(std::string_view lottery) const {
    auto whole = span(lottery);
    if (!whole) return Failure{whole.error()};
    return whole->count;
}

Result<DrawWriter> HistoryDb::startWriting() {
    if (impl_->readOnly) return Failure{ReadOnlyNotice(impl_->path)};
    std::lock_guard lock(impl_->turn);
    if (auto sound = detail::CheckBeforeWriting(*impl_); !sound) return Failure{sound.error()};
    auto state = std::make_unique<DrawWriter::State>(*impl_);
    if (!state->error.empty()) return Failure{state->error};
    return DrawWriter(std::move(state));
}

Result<RecordCounts> HistoryDb::record(std::string_view lottery, const std::vector<StoredDraw>& draws) {
    if (!FindLottery(lottery)) return Failure{"未知彩种“" + std::string(lottery) + "”"};
    auto writer = startWriting();
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
    for (const DrawWriter::Added& added : writer->addAll(lottery, valid)) {
        switch (added.outcome) {
            case DrawWriter::Outcome::Stored: ++counts.stored; break;
            case DrawWriter::Outcome::Present: ++counts.present; break;
            case DrawWriter::Outcome::Conflict: ++counts.conflicts; break;
            case DrawWriter::Outcome::Failed: return Failure{writer->error()};
        }
    }
    if (auto committed = writer->commit(); !committed) return Failure{committed.error()};
    return counts;
}

Result<std::size_t> HistoryDb::remove(std::string_view lottery, const std::vector<std::string>& issues) {
    if (impl_->readOnly) return Failure{ReadOnlyNotice(impl_->path)};
    std::lock_guard lock(impl_->turn);
    if (auto sound = detail::CheckBeforeWriting(*impl_); !sound) return Failure{sound.error()};
    const sqlite::Connection& connection = impl_->connection;
    sqlite::Transaction transaction(connection);
    if (!transaction.begun()) return WriteProblem(*impl_);
    sqlite::Statement remove(connection.get(), "DELETE FROM draws WHERE lottery = ?1 AND issue = ?2");
    std::size_t deleted = 0;
    for (const std::string& issue : issues) {
        remove.bind(1, LotteryKey(lottery)).bind(2, issue);
        if (remove.step() != SQLITE_DONE) return WriteProblem(*impl_);
        deleted += static_cast<std::size_t>(sqlite3_changes(connection.get()));
        remove.reset();
    }
    if (auto committed = transaction.commit(); !committed) return WriteProblem(*impl_);
    return deleted;
}

Result<OfferReport> HistoryDb::offer(std::string_view lottery, const std::vector<StoredDraw>& draws) {
    const Offer one{lottery, draws};
    auto reports = offer({&one, 1});
    if (!reports) return Failure{reports.error()};
    return std::move(reports->front());
}

namespace {

// Whether every draw of an offer of `count` was offered before (the table may not exist).
bool AllOfferedBefore(const sqlite::Connection& connection, std::int64_t key, std::size_t count) {
    sqlite::Statement offered(connection.get(), "SELECT count(*) FROM offered WHERE lottery = ?1");
    offered.bind(1, key);
    return offered.ok() && offered.step() == SQLITE_ROW && static_cast<std::size_t>(offered.integer(0)) >= count;
}

}  // namespace

Result<std::vector<OfferReport>> HistoryDb::offer(std::span<const Offer> offers) {
    for (const Offer& o : offers) {
        if (LotteryKey(o.lottery) < 0) return Failure{"未知彩种“" + std::string(o.lottery) + "”"};
    }
    if (impl_->readOnly) return Failure{ReadOnlyNotice(impl_->path)};
    std::lock_guard lock(impl_->turn);
    const sqlite::Connection& connection = impl_->connection;
    // The usual case costs one read a lottery: everything was offered before.
    std::vector<OfferReport> reports(offers.size());
    bool allOffered = true;
    for (std::size_t i = 0; i < offers.size(); ++i) {
        reports[i].offeredBefore = offers[i].draws.size();
        allOffered = allOffered && AllOfferedBefore(connection, LotteryKey(offers[i].lottery), offers[i].draws.size());
    }
    if (allOffered) return reports;
    if (auto sound = detail::CheckBeforeWriting(*impl_); !sound) return Failure{sound.error()};
    sqlite::Transaction transaction(connection);
    if (!transaction.begun()) return WriteProblem(*impl_);
    // Kept beside the draws, without a new schema version, so an older sanxing still
    // opens the file.
    if (!connection.exec("CREATE TABLE IF NOT EXISTS offered (lottery INTEGER NOT NULL, issue TEXT NOT NULL,"
                         " PRIMARY KEY (lottery, issue)) WITHOUT ROWID")) {
        return WriteProblem(*impl_);
    }
    sqlite::Statement mark(connection.get(),
                           "INSERT INTO offered (lottery, issue) VALUES (?1, ?2) ON CONFLICT DO NOTHING");
    sqlite::Statement insert(connection.get(),
                             "INSERT INTO draws (lottery, issue, number, date, source, recorded)"
                             " VALUES (?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT (lottery, issue) DO NOTHING");
    sqlite::Statement lookup(connection.get(), "SELECT number FROM draws WHERE lottery = ?1 AND issue = ?2");
    if (!mark.ok() || !insert.ok() || !lookup.ok()) return WriteProblem(*impl_);
    const std::string recorded = NowUtc();
    for (std::size_t i = 0; i < offers.size(); ++i) {
        const std::int64_t key = LotteryKey(offers[i].lottery);
        OfferReport& report = reports[i];
        report = {};
        for (const StoredDraw& draw : offers[i].draws) {
            if (!IsValidDraw(offers[i].lottery, draw)) continue;
            mark.bind(1, key).bind(2, draw.issue);
            if (mark.step() != SQLITE_DONE) return WriteProblem(*impl_);
            mark.reset();
            if (sqlite3_changes(connection.get()) == 0) {
                ++report.offeredBefore;
                continue;
            }
            insert.bind(1, key).bind(2, draw.issue).bind(3, draw.number).bind(4, draw.date).bind(5, draw.source);
            insert.bind(6, draw.recorded.empty() ? std::string_view(recorded) : std::string_view(draw.recorded));
            if (insert.step() != SQLITE_DONE) return WriteProblem(*impl_);
            insert.reset();
            if (sqlite3_changes(connection.get()) == 1) {
                ++report.added;
                continue;
            }
            lookup.bind(1, key).bind(2, draw.issue);
            if (lookup.step() != SQLITE_ROW) return WriteProblem(*impl_);
            if (lookup.textView(0) == draw.number) {
                ++report.present;
            } else {
                report.conflicts.push_back({draw.issue, lookup.text(0), draw.number});
            }
            lookup.reset();
        }
    }
    if (auto committed = transaction.commit(); !committed) return WriteProblem(*impl_);
    return reports;
}

namespace {

std::string BlockInsertSql() {
    std::string sql = "INSERT INTO draws (lottery, issue, number, date, source, recorded) VALUES ";
    for (std::size_t i = 0; i < DrawWriter::kBlock; ++i) sql += i ? ",(?,?,?,?,?,?)" : "(?,?,?,?,?,?)";
    return sql;
}

}  // namespace

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
        error = WriteFailure(owner, beginCode, transaction.begun().error()).error;
    } else if (!insert.ok() || !lookup.ok() || !anyInRange.ok() || !insertBlock.ok()) {
        fail();
    }
}

DrawWriter::Outcome DrawWriter::State::fail() {
    error = WriteProblem(*db).error;
    return Outcome::Failed;
}

DrawWriter::Outcome DrawWriter::State::add(std::int64_t key, const StoredDraw& draw, std::string_view recorded,
                                           std::string* storedNumber) {
    insert.bind(1, key).bind(2, draw.issue).bind(3, draw.number).bind(4, draw.date).bind(5, draw.source);
    insert.bind(6, draw.recorded.empty() ? recorded : std::string_view(draw.recorded));
    const int step = insert.step();
    insert.reset();
    if (step != SQLITE_DONE) return fail();
    if (sqlite3_changes(db->connection.get()) == 1) return Outcome::Stored;
    lookup.bind(1, key).bind(2, draw.issue);
    const int found = lookup.step();
    const bool same = found == SQLITE_ROW && lookup.textView(0) == draw.number;
    if (found == SQLITE_ROW && !same && storedNumber) *storedNumber = lookup.text(0);
    if (found != SQLITE_ROW) fail();
    lookup.reset();
    if (found != SQLITE_ROW) return Outcome::Failed;
    return same ? Outcome::Present : Outcome::Conflict;
}

bool DrawWriter::State::tryInsertBlock(std::int64_t key, std::span<const StoredDraw> block,
                                       const std::string& recorded) {
    std::array<std::string_view, kBlock> issues;
    for (std::size_t i = 0; i < kBlock; ++i) issues[i] = block[i].issue;
    std::sort(issues.begin(), issues.end());
    if (std::adjacent_find(issues.begin(), issues.end()) != issues.end()) return false;
    anyInRange.bind(1, key).bind(2, issues.front()).bind(3, issues.back());
    const int probe = anyInRange.step();
    if (probe != SQLITE_ROW && probe != SQLITE_DONE) fail();
    anyInRange.reset();
    if (probe != SQLITE_DONE) return false;
    for (std::size_t i = 0; i < kBlock; ++i) {
        const StoredDraw& draw = block[i];
        const int at = static_cast<int>(i) * 6;
        insertBlock.bind(at + 1, key).bind(at + 2, draw.issue).bind(at + 3, draw.number);
        insertBlock.bind(at + 4, draw.date).bind(at + 5, draw.source);
        insertBlock.bind(at + 6, draw.recorded.empty() ? std::string_view(recorded) : std::string_view(draw.recorded));
    }
    const int step = insertBlock.step();
    if (step != SQLITE_DONE) fail();
    insertBlock.reset();
    return step == SQLITE_DONE;
}

DrawWriter::DrawWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}
DrawWriter::DrawWriter(DrawWriter&&) noexcept = default;
DrawWriter& DrawWriter::operator=(DrawWriter&&) noexcept = default;

DrawWriter::~DrawWriter() {
    if (!state_) return;
    std::lock_guard lock(state_->db->turn);
    state_.reset();  // rolls back an uncommitted transaction
}

const std::string& DrawWriter::error() const { return state_->error; }

DrawWriter::Outcome DrawWriter::add(std::string_view lottery, const StoredDraw& draw, std::string* storedNumber) {
    const std::int64_t key = LotteryKey(lottery);
    if (key < 0) {
        state_->error = "未知彩种“" + std::string(lottery) + "”";
        return Outcome::Failed;
    }
    std::lock_guard lock(state_->db->turn);
    return state_->add(key, draw, draw.recorded.empty() ? NowUtc() : std::string(), storedNumber);
}

std::vector<DrawWriter::Added> DrawWriter::addAll(std::string_view lottery, std::span<const StoredDraw> draws) {
    std::vector<Added> added;
    added.reserve(draws.size());
    const std::int64_t key = LotteryKey(lottery);
    if (key < 0) {
        state_->error = "未知彩种“" + std::string(lottery) + "”";
        added.push_back({});
        return added;
    }
    const std::string recorded = NowUtc();
    std::lock_guard lock(state_->db->turn);
    for (std::size_t start = 0; start < draws.size(); start += kBlock) {
        const auto block = draws.subspan(start, std::min(kBlock, draws.size() - start));
        if (block.size() == kBlock && state_->tryInsertBlock(key, block, recorded)) {
            added.resize(added.size() + kBlock, Added{Outcome::Stored, {}});
            continue;
        }
        if (!state_->error.empty()) {
            added.push_back({});
            return added;
        }
        for (const StoredDraw& draw : block) {
            Added one;
            one.outcome = state_->add(key, draw, recorded, &one.storedNumber);
            added.push_back(std::move(one));
            if (added.back().outcome == Outcome::Failed) return added;
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
