#pragma once
// Inside the history database, for the history's own sources only: the connection behind
// a HistoryDb and the helpers that name its failures.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_db.h"
#include "history/sqlite_handle.h"

namespace sanxing::history {

struct HistoryDb::Impl {
    std::filesystem::path path;
    sqlite::Connection connection;
    bool readOnly = false;      // the user may read this file but not write it
    bool checkedWhole = false;  // the whole file was found sound before a write
    bool createdHere = false;   // the file did not exist before this connection opened it
    // A write failed on the disk (full, I/O error): a file created here that still holds
    // nothing goes when the connection closes, so a full disk stays as it was.
    mutable bool diskFailed = false;
    std::vector<std::filesystem::path> newFolders;  // made for the file, deepest first

    Impl() = default;
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    // Calls from several threads take turns: a connection serves one call at a time.
    mutable std::mutex turn;
};

namespace detail {

// Rows carry the lottery's kindIndex; an unknown name gets a key no row has.
std::int64_t LotteryKey(std::string_view lottery);

// Before a write: the whole file is sound, else the reason reads give for a damaged file.
// The caller holds the connection's turn.
Result<void> CheckBeforeWriting(HistoryDb::Impl& db);

// The words for the history's failures, each with its code: the one place where SQLite's
// result codes become ErrorCodes (history_errors.cpp).

// "The history `file` cannot be used", with the reason.
std::string Refusal(const std::filesystem::path& file, std::string_view reason);
// The same with the reason's code.
Failure Refused(const std::filesystem::path& file, const Failure& reason);
// A system error (errno) in words, with its code.
Failure SystemFailure(int systemErrno);
// Another connection holds the lock SQLite's `code` waited for.
bool IsBusy(int code);
// A failure of the disk itself (full, or an I/O error), as opposed to a busy or foreign file.
bool IsDiskProblem(int code, int systemErrno);
// The whole message for a failed call on `file`: another program's long write gets its
// own plain sentence, everything else names the file and SQLite's reason.
Failure Problem(const std::filesystem::path& file, int code, const std::string& message, int systemErrno = 0);
// The connection's last failure.
Failure LastProblem(const HistoryDb::Impl& db);
// A write that failed with SQLite's `code` changed nothing: its transaction is rolled back.
Failure WriteFailure(const HistoryDb::Impl& db, int code, const std::string& message);
// The last call failed while writing: its transaction is rolled back and changed nothing.
Failure WriteProblem(const HistoryDb::Impl& db);
// A write to a history the user may only read: ReadOnlyNotice().
Failure ReadOnlyFailure(const std::filesystem::path& file);
// A lottery name the history does not know.
Failure UnknownLottery(std::string_view lottery);

}  // namespace detail

}  // namespace sanxing::history
