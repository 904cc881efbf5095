#pragma once
// Importing a players' file of draws into the history: GBK or UTF-8 (with or without
// BOM), CR LF or LF, one draw per line, header lines skipped. The file is streamed, so
// memory does not grow with its size; every good line is stored in one transaction or
// none is.

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "history/history_db.h"
#include "history/lotteries.h"

namespace sanxing::history {

struct ImportConflict {
    std::size_t line = 0;
    std::string issue;
    std::string stored;  // the number kept in the history
    std::string file;    // the number the file gives
};

struct ImportRejection {
    std::size_t line = 0;
    std::string reason;
};

struct ImportReport {
    std::size_t stored = 0;
    std::size_t present = 0;
    std::vector<ImportConflict> conflicts;
    std::vector<ImportRejection> rejected;
    // Past kListLimit entries, conflicts and rejections are only counted.
    std::size_t conflictsNotListed = 0;
    std::size_t rejectedNotListed = 0;

    std::size_t draws() const { return stored + present + conflicts.size() + conflictsNotListed; }
};

inline constexpr std::size_t kListLimit = 10000;
// Larger files are refused: a century of draws every ten minutes stays far below.
inline constexpr std::uintmax_t kMaxImportBytes = 256ull * 1024 * 1024;
// A longer line cannot be a draw; it is rejected without being kept whole.
inline constexpr std::size_t kMaxLineBytes = 1024;

// Imports `file` into `db` under `lottery`. Fails with a Chinese message naming the file
// when the file cannot be read or is not text, when the database cannot be written, or
// when `cancel` is set while it runs; nothing is changed then.
Result<ImportReport> ImportDrawFile(HistoryDb& db, const Lottery& lottery, const std::filesystem::path& file,
                                    const std::atomic<bool>* cancel = nullptr);

// Whether `file` can be imported at all (it exists, is a readable regular file, not too
// large), with the Chinese message of ImportDrawFile when not: checked before a database
// is opened, so a refused file leaves no new database behind.
Result<void> CheckDrawFile(const std::filesystem::path& file);

// One sentence for the user: what was stored, present, in conflict and rejected, or
// that the file held no draw and nothing changed.
std::string ImportSummary(const ImportReport& report);

}  // namespace sanxing::history
