#pragma once
// The draw history: one SQLite database holding the draws of every lottery, one row per
// (lottery, issue). Issues of one lottery all have one length, so their text order is
// their numeric order. SQLite stays behind this header: every read and write reports a
// failure with its reason, and a read that fails is never taken for "no draws".

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "history/stored_draw.h"
#include "runtime/result.h"

namespace sanxing::history {

// What a write did with the draws it was given.
struct RecordCounts {
    std::size_t stored = 0;     // new draws
    std::size_t present = 0;    // same issue, same number already there
    std::size_t conflicts = 0;  // same issue, another number: the stored draw stays
    std::size_t invalid = 0;    // no issue, or not the lottery's count of digits
};

// What offering draws did: the draws are ones the program brings itself (the shipped
// records), and each issue is offered to a database once only.
struct OfferReport {
    struct Conflict {
        std::string issue, stored, offered;
    };
    std::size_t added = 0;            // new draws
    std::size_t present = 0;          // the same draw was there
    std::size_t offeredBefore = 0;    // offered once already: left alone, even when deleted since
    std::vector<Conflict> conflicts;  // another number was there: it stays
    struct Correction {
        std::string issue, before, after;
    };
    std::vector<Correction> corrected;  // draws of an earlier edition that this one put right
};

// A draw that an earlier edition of the program's own records gave wrong: `before` is the
// number that edition gave; the draw offered now for the issue is the right one.
struct OfferCorrection {
    std::string_view issue;
    std::string_view before;
};

// How many draws a lottery has (in a range), and the first and last issue among them.
struct DrawSpan {
    std::size_t count = 0;
    std::string first, last;  // empty when count is 0
};

// $XDG_DATA_HOME/sanxing/history.sqlite, else ~/.local/share/sanxing/history.sqlite.
std::filesystem::path DefaultDatabasePath();

// The current time as ISO 8601 UTC ("2024-05-30T12:00:00Z").
std::string NowUtc();

class DrawWriter;
class StagedImport;

// What a history the user cannot write says: reading goes on, importing is off.
std::string ReadOnlyNotice(const std::filesystem::path& file);

// One connection to a history file. Its calls may come from several threads: they take
// turns on the connection.
class HistoryDb {
public:
    // Opens (creating folders, file and schema when missing; what it created goes again
    // when opening fails). A file the user may read but not write opens read-only. A file
    // that is not a history database of this program, or that cannot be read, is refused
    // with a Chinese reason naming it, and is left exactly as it was. Opening checks the header
    // and the schema only, so it takes the same time whatever the file's size; damage
    // further in is reported by the read that meets it.
    static Result<HistoryDb> open(const std::filesystem::path& file);
    // The one connection of this process to `file`, opened on first use and kept while
    // anyone holds it; a failed open is tried again on the next call.
    static Result<std::shared_ptr<HistoryDb>> shared(const std::filesystem::path& file);
    // How long connections opened from now on wait for another program's write before
    // they give up (15 s unless set).
    static void setWaitForWriters(std::chrono::milliseconds wait);

    HistoryDb(HistoryDb&&) noexcept;
    HistoryDb& operator=(HistoryDb&&) noexcept;
    ~HistoryDb();

    const std::filesystem::path& path() const;
    // The user may read this history but not write it: every write is refused with
    // ReadOnlyNotice().
    bool readOnly() const;

    Result<std::vector<StoredDraw>> newest(std::string_view lottery, std::size_t count) const;  // oldest first
    // Oldest first, both ends included; the ends compare numerically; an empty end is open.
    Result<std::vector<StoredDraw>> between(std::string_view lottery, std::string_view fromIssue,
                                            std::string_view toIssue) const;
    // Newest first, starting at `atOrBelow` (empty: the newest draw).
    Result<std::vector<StoredDraw>> descending(std::string_view lottery, std::string_view atOrBelow,
                                               std::size_t count) const;
    Result<std::vector<std::string>> issuesDescending(std::string_view lottery) const;
    // Count, first and last issue in one question; the ends as for between().
    Result<DrawSpan> span(std::string_view lottery, std::string_view fromIssue = {},
                          std::string_view toIssue = {}) const;
    Result<std::size_t> count(std::string_view lottery) const;

    // Records draws of one lottery in one transaction; a draw already present is left alone.
    Result<RecordCounts> record(std::string_view lottery, const std::vector<StoredDraw>& draws);
    // Offers draws of one lottery that the program brings itself, in one transaction: an
    // issue offered before is skipped, so a draw the user deleted or replaced never comes
    // back, and a conflict is reported the one time its issue is offered.
    Result<OfferReport> offer(std::string_view lottery, const std::vector<StoredDraw>& draws);
    // Corrections are offered once each as well: a stored draw that still holds the
    // earlier edition's number, with the offered draws' source, takes the right one; a draw
    // the user stored or changed stays and is reported as a conflict.
    struct Offer {
        std::string_view lottery;
        std::span<const StoredDraw> draws;
        std::span<const OfferCorrection> corrections = {};
    };
    // The same for several lotteries in one transaction, one report each: all are offered
    // or none is.
    Result<std::vector<OfferReport>> offer(std::span<const Offer> offers);
    // Whether the history may be written now, with the sentence a write would give: fails
    // with ErrorCode::ReadOnly for a history the user may only read, Damaged for a damaged
    // file (checked once per connection), so that nothing is fetched for a write that
    // cannot be made.
    Result<void> checkWritable();
    // Deletes the given issues in one transaction; gives how many rows went.
    Result<std::size_t> remove(std::string_view lottery, const std::vector<std::string>& issues);

    // Starts one write transaction (waits for another writer up to the busy timeout).
    Result<DrawWriter> startWriting();

    struct Impl;

private:
    friend class StagedImport;
    explicit HistoryDb(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// One open write transaction: draws are added one by one, then committed together;
// destroyed uncommitted, it rolls everything back.
class DrawWriter {
public:
    enum class Outcome { Stored, Present, Conflict };

    struct Added {
        Outcome outcome = Outcome::Stored;
        std::string storedNumber;  // on Conflict: the number already stored
    };

    DrawWriter(DrawWriter&&) noexcept;
    DrawWriter& operator=(DrawWriter&&) noexcept;
    ~DrawWriter();

    Result<Added> add(std::string_view lottery, const StoredDraw& draw);
    // The same for many draws, one outcome each in their order; the first draw that cannot
    // be added fails the whole call.
    Result<std::vector<Added>> addAll(std::string_view lottery, std::span<const StoredDraw> draws);
    Result<void> commit();

    // Draws go in together in blocks of this many when none of them is stored yet.
    static constexpr std::size_t kBlock = 64;

    struct State;

private:
    friend class HistoryDb;
    explicit DrawWriter(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace sanxing::history
