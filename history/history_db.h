#pragma once
// The draw history: one SQLite database holding the draws of every lottery, one row per
// (lottery, issue). Issues of one lottery all have one length, so their text order is
// their numeric order.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "history/sqlite_handle.h"

namespace history {

struct StoredDraw {
    std::string issue;     // the lottery's issue form (9 digits for the four kinds, YYYYNNN for 3D/排列三)
    std::string number;    // the digits as drawn, no separators ("81621" or "816")
    std::string date;      // "YYYY-MM-DD" or empty
    std::string source;    // file name or site letter
    std::string recorded;  // time recorded, ISO 8601 UTC

    bool operator==(const StoredDraw&) const = default;
};

// What a write did with the draws it was given.
struct RecordCounts {
    std::size_t stored = 0;     // new draws
    std::size_t present = 0;    // same issue, same number already there
    std::size_t conflicts = 0;  // same issue, another number: the stored draw stays
    std::size_t invalid = 0;    // no issue, or not the lottery's count of digits
};

// $XDG_DATA_HOME/sanxing/history.sqlite, else ~/.local/share/sanxing/history.sqlite.
std::filesystem::path DefaultDatabasePath();

// The current time as ISO 8601 UTC ("2024-05-30T12:00:00Z").
std::string NowUtc();

// The schema version this program writes; a database with a larger one is refused.
inline constexpr int kSchemaVersion = 1;

class DrawWriter;

class HistoryDb {
public:
    // Opens (creating folders, file and schema when missing). A file that is not a
    // history database of this program, or that cannot be written, is refused with a
    // Chinese reason naming it, and is left exactly as it was.
    static Result<HistoryDb> Open(const std::filesystem::path& file);

    const std::filesystem::path& path() const { return path_; }

    std::vector<StoredDraw> Newest(std::string_view lottery, std::size_t count) const;  // oldest first
    // Oldest first, both ends included; the ends compare numerically; an empty end is open.
    std::vector<StoredDraw> Between(std::string_view lottery, std::string_view fromIssue,
                                    std::string_view toIssue) const;
    // Newest first, starting at `atOrBelow` (empty: the newest draw).
    std::vector<StoredDraw> Descending(std::string_view lottery, std::string_view atOrBelow, std::size_t count) const;
    std::vector<std::string> IssuesDescending(std::string_view lottery) const;
    std::size_t Count(std::string_view lottery) const;

    // Records draws of one lottery in one transaction; a draw already present is left alone.
    Result<RecordCounts> Record(std::string_view lottery, const std::vector<StoredDraw>& draws);
    // Deletes the given issues in one transaction; gives how many rows went.
    Result<std::size_t> Delete(std::string_view lottery, const std::vector<std::string>& issues);

    // Starts one write transaction (waits for another writer up to the busy timeout).
    Result<DrawWriter> StartWriting();

private:
    HistoryDb(std::filesystem::path path, sqlite::Connection connection);
    std::vector<StoredDraw> Query(std::string_view sql, std::string_view lottery, std::string_view a,
                                  std::string_view b, std::size_t limit) const;

    std::filesystem::path path_;
    sqlite::Connection connection_;
};

// One open write transaction: draws are added one by one, then committed together;
// destroyed uncommitted, it rolls everything back.
class DrawWriter {
public:
    enum class Outcome { Stored, Present, Conflict, Failed };

    struct Added {
        Outcome outcome = Outcome::Failed;
        std::string storedNumber;  // on Conflict: the number already stored
    };

    // On Conflict, `storedNumber` receives the number already stored.
    Outcome Add(std::string_view lottery, const StoredDraw& draw, std::string* storedNumber = nullptr);
    // The same for many draws, one outcome each in their order; stops at the first failure
    // (the outcomes then end with Failed).
    std::vector<Added> AddAll(std::string_view lottery, std::span<const StoredDraw> draws);
    const std::string& error() const { return error_; }
    Result<void> Commit();

    // Draws go in together in blocks of this many when none of them is stored yet.
    static constexpr std::size_t kBlock = 64;

private:
    friend class HistoryDb;
    explicit DrawWriter(const sqlite::Connection& connection);
    // Inserts a block in one statement when its issues are distinct and none is stored.
    bool TryInsertBlock(std::int64_t key, std::span<const StoredDraw> block, const std::string& recorded);
    Outcome Fail();  // keeps SQLite's reason

    const sqlite::Connection* connection_;
    std::unique_ptr<sqlite::Transaction> transaction_;
    sqlite::Statement insert_, lookup_, anyInRange_, insertBlock_;
    std::string error_;
};

}  // namespace history
