#pragma once
// Inside the history database, for the history's own sources only: the connection behind
// a HistoryDb and the helpers that name its failures.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string_view>

#include "history/history_db.h"
#include "history/sqlite_handle.h"

namespace sanxing::history {

struct HistoryDb::Impl {
    std::filesystem::path path;
    sqlite::Connection connection;
    bool readOnly = false;      // the user may read this file but not write it
    bool checkedWhole = false;  // the whole file was found sound before a write
    // Calls from several threads take turns: a connection serves one call at a time.
    mutable std::mutex turn;
};

namespace detail {

// Rows carry the lottery's kindIndex; an unknown name gets a key no row has.
std::int64_t LotteryKey(std::string_view lottery);

// Before a write: the whole file is sound, else the reason reads give for a damaged file.
// The caller holds the connection's turn.
Result<void> CheckBeforeWriting(HistoryDb::Impl& db);

// The last call failed while writing: its transaction is rolled back and changed nothing.
Failure WriteProblem(const HistoryDb::Impl& db);

}  // namespace detail

}  // namespace sanxing::history
