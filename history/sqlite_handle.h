#pragma once
// A small RAII layer over SQLite's C API: a connection, prepared statements and a
// transaction that rolls back unless committed. Failures are returned, never thrown.

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/result.h"

namespace sanxing::history::sqlite {

class Statement {
public:
    Statement() = default;
    // Prepares `sql`; a statement that failed to prepare reports it through ok().
    Statement(sqlite3* db, std::string_view sql);

    bool ok() const { return stmt_ != nullptr; }
    // Binds text that the caller keeps alive until the next reset() or step.
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, std::int64_t value);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    void reset();
    std::string text(int column) const;
    std::string_view textView(int column) const;
    std::int64_t integer(int column) const;

private:
    struct Finalize {
        void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
    };
    std::unique_ptr<sqlite3_stmt, Finalize> stmt_;
};

class Connection {
public:
    Connection() = default;
    struct OpenFailure {
        int code = 0;
        int systemErrno = 0;
        std::string message;
    };
    enum class Mode {
        Create,     // read-write (read-only when the system refuses writing), created when missing
        ReadOnly,   // an existing file, never written
        Immutable,  // an existing file read as it stands, without the lock files beside it
    };
    // Opens `file`; on failure fills `failure`.
    static std::optional<Connection> open(const std::string& file, Mode mode, OpenFailure& failure);

    sqlite3* get() const { return db_.get(); }
    // Runs statements without results; gives SQLite's message on failure.
    Result<void> exec(const std::string& sql) const;
    // The first column of the first row as an integer, or nothing on failure.
    std::optional<std::int64_t> intQuery(std::string_view sql) const;
    std::string lastError() const { return sqlite3_errmsg(db_.get()); }
    int lastErrorCode() const { return sqlite3_extended_errcode(db_.get()); }
    int lastSystemErrno() const { return sqlite3_system_errno(db_.get()); }

private:
    struct Close {
        void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
    };
    std::unique_ptr<sqlite3, Close> db_;
};

// BEGIN IMMEDIATE ... COMMIT: the write lock is taken at once (waiting through the busy
// timeout), so a read never has to be upgraded to a write inside the transaction. A
// deferred one takes no lock at its start: for work that writes only the temp schema,
// which never locks the database file.
class Transaction {
public:
    enum class Start { Immediate, Deferred };
    explicit Transaction(const Connection& connection, Start start = Start::Immediate);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Whether BEGIN succeeded, else its reason.
    const Result<void>& begun() const { return begun_; }
    Result<void> commit();

private:
    const Connection& connection_;
    Result<void> begun_;
    bool open_ = false;
};

}  // namespace sanxing::history::sqlite
