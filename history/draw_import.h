#pragma once
// Importing a players' file of draws into the history: read through the draw reader
// (columns detected or given, GBK or UTF-8, streamed), staged, then stored in one
// transaction: every good line is stored or none is. The same import takes text already
// in memory (the clipboard, a page, a file shipped with the program) and standard input.

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/column_map.h"
#include "history/draw_reader.h"
#include "history/history_db.h"
#include "history/lotteries.h"

namespace sanxing::history {

// A draw of the file that another number contradicts: the stored draw of its issue, or
// another line of the file.
struct ImportConflict {
    std::size_t line = 0;
    std::string issue;
    std::string stored;         // the number kept in the history; empty for a conflict within the file
    std::string file;           // the number this line gives
    std::size_t otherLine = 0;  // within the file: the earlier line that gives the issue another number
};

// A stored draw that took the file's number (以文件为准).
struct ImportReplacement {
    std::size_t line = 0;
    std::string issue;
    std::string before;  // the number the history held
    std::string after;   // the file's number, now stored
};

struct ImportRejection {
    std::size_t line = 0;
    std::string reason;
};

struct ImportReport {
    ColumnMap columns;          // what the lines were read with
    std::size_t lines = 0;      // lines of the input, blank and header lines included
    std::size_t drawLines = 0;  // lines that gave a draw
    std::size_t stored = 0;
    std::size_t present = 0;                // same issue, same number already stored
    std::size_t repeated = 0;               // lines that repeat an earlier line's draw
    std::size_t restoredIssues = 0;         // lines whose issue lost its leading zeros, put back by the date
    std::size_t headerLine = 0;             // the line skipped as the header, 0 when there was none
    std::string header;                     // its text, as shown
    std::size_t storedConflicts = 0;        // draws that differ from the stored draw, which stays
    std::size_t fileConflicts = 0;          // issues that lines of the file give different numbers: none stored
    std::vector<ImportConflict> conflicts;  // both kinds, by line
    std::vector<ImportReplacement> replaced;
    std::vector<ImportRejection> rejected;
    // Past kListLimit entries, a list is only counted.
    std::size_t conflictsNotListed = 0;
    std::size_t replacedNotListed = 0;
    std::size_t rejectedNotListed = 0;
    // Another lottery whose draws the first lines are, rather than the chosen one's (a
    // file of three-digit draws imported into a five-digit lottery); nullptr otherwise.
    const Lottery* better = nullptr;

    std::size_t draws() const { return drawLines; }
    std::size_t conflictCount() const { return storedConflicts + fileConflicts; }
    std::size_t replacedCount() const { return replaced.size() + replacedNotListed; }
    std::size_t rejectedCount() const { return rejected.size() + rejectedNotListed; }
};

inline constexpr std::size_t kListLimit = 10000;

struct ImportOptions {
    std::optional<ColumnMap> columns;  // detected from the first lines when not given
    bool replaceConflicts = false;     // a file draw that differs from a stored draw replaces it
    // Store the draws although most of them contradict the chosen lottery's history and
    // agree with another lottery's (the player confirmed the lottery).
    bool otherLotteryConfirmed = false;
    const std::atomic<bool>* cancel = nullptr;
};

// Imports `file` into `db` under `lottery`. Fails with a Chinese message naming the file
// when the file cannot be read or is not text, when no issue and number columns can be
// found, when the database cannot be written, or when `cancel` is set while it runs;
// nothing is changed then.
Result<ImportReport> ImportDrawFile(HistoryDb& db, const Lottery& lottery, const std::filesystem::path& file,
                                    const ImportOptions& options = {});
// The same for text in memory; `source` names it in messages and in the stored draws.
Result<ImportReport> ImportDrawText(HistoryDb& db, const Lottery& lottery, std::string_view text,
                                    std::string_view source, const ImportOptions& options = {});
// The same for an open stream read to its end (standard input).
Result<ImportReport> ImportDrawStream(HistoryDb& db, const Lottery& lottery, std::FILE* input, std::string_view source,
                                      const ImportOptions& options = {});

// Opens `file` for an import when it can be imported at all (it exists, is a readable
// regular file, not too large), with the Chinese message of ImportDrawFile when not:
// checked once, before a database is opened, so a refused file leaves no new database
// behind, and what is previewed is what is imported.
Result<DrawFile> OpenImportFile(const std::filesystem::path& file);
// Imports the draw file `input` (from OpenImportFile) from its start; messages name `file`.
Result<ImportReport> ImportDrawFile(HistoryDb& db, const Lottery& lottery, const std::filesystem::path& file,
                                    std::FILE* input, const ImportOptions& options);

// One sentence for the user: what was stored, present, in conflict, replaced and
// rejected, or that the input held no draw and nothing changed.
std::string ImportSummary(const ImportReport& report);

}  // namespace sanxing::history
