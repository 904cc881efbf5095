#include <atomic>

#include "history/history_db_impl.h"
#include "history/schema.h"

namespace sanxing::history {

using detail::IsDiskProblem;
using detail::Problem;
using detail::Refusal;
using detail::Refused;

namespace {

std::atomic<int> waitForWritersMs{15000};

Result<void> CheckPath(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (std::filesystem::is_directory(status)) return Failure{"这是一个文件夹，不是数据库文件", ErrorCode::BadInput};
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return Failure{"这不是普通文件", ErrorCode::BadInput};
    }
    if (!std::filesystem::exists(status) && file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), error);
        if (error) {
            const Failure reason = detail::SystemFailure(error.value());
            return Failure{"无法建立所在文件夹：" + reason.error, reason.code};
        }
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
    Failure failed(Failure failure, int code, int systemErrno) {
        diskFailed_ = IsDiskProblem(code, systemErrno);
        return failure;
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
        return Problem(file, connection.lastErrorCode(), connection.lastError(), systemErrno);
    };
    // Reading the header first: a file that is not a database fails here, untouched.
    if (!connection.intQuery("PRAGMA user_version")) return problem(sqlite3_system_errno(connection.get()));
    if (auto fits = CheckSchema(connection); !fits) return Refused(file, fits.failure());
    if (!SwitchToWal(connection)) return problem();
    if (auto set = connection.exec("PRAGMA synchronous = NORMAL; PRAGMA cache_size = -4096"); !set) return problem();
    // Only an older file takes the write lock, so opening never waits for another
    // program's long import.
    if (connection.intQuery("PRAGMA user_version").value_or(0) >= kSchemaVersion) return {};
    if (auto migrated = MigrateSchema(connection); !migrated) {
        return Problem(file, connection.lastErrorCode(), migrated.error());
    }
    return {};
}

// A history this user may read but not write: opened read-only, and where the lock files
// beside it cannot be made (another user's folder), read as the file stands. Only a file
// of the current schema can be read so: an older one needs writing to be brought up.
Result<sqlite::Connection> OpenReadOnly(const std::filesystem::path& file) {
    Failure problem;
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
        if (auto fits = CheckSchema(*connection); !fits) return Refused(file, fits.failure());
        if (*version < kSchemaVersion)
            return Failure{Refusal(file, "没有写入权限，无法把旧版本的开奖历史升级"), ErrorCode::ReadOnly};
        return std::move(*connection);
    }
    return problem;
}

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

Result<HistoryDb> HistoryDb::open(const std::filesystem::path& file) {
    CreatedFiles created(file);
    if (auto usable = CheckPath(file); !usable) return Refused(file, usable.failure());
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
            return created.failed(prepared.failure(), connection->lastErrorCode(), connection->lastSystemErrno());
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
        if (!readable) return readable.failure();
        impl->connection = std::move(*readable);
        impl->readOnly = true;
    }
    created.keep();
    return HistoryDb(std::move(impl));
}

void HistoryDb::setWaitForWriters(std::chrono::milliseconds wait) { waitForWritersMs = static_cast<int>(wait.count()); }

}  // namespace sanxing::history
