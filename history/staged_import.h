#pragma once
// The database side of importing a draw file: the file's draws are first staged in a
// temporary table of their own, keyed by issue, so that lines of the file that give one
// issue twice are known before anything is stored; staging holds no lock on the history,
// however long the input takes. finish() then takes the write lock, compares them with
// the history and stores them in one transaction. Memory stays the same whatever the
// file's size: the staged draws live in SQLite's temporary storage.

#include <atomic>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_db.h"
#include "history/lotteries.h"

namespace sanxing::history {

// A draw as a line of the file gives it.
struct FileDraw {
    std::size_t line = 0;
    std::string issue;  // stored form
    std::string number;
    std::string date;  // "YYYY-MM-DD" or empty
};

// What staging made of a line, against the lines before it.
struct Staged {
    enum class Kind { New, Repeat, Conflict };
    Kind kind = Kind::New;
    std::size_t firstLine = 0;       // Repeat, Conflict: the first line that gave the issue
    std::string firstNumber;         // Conflict: the number of that line
    bool firstTimeConflict = false;  // Conflict: the first line was not in conflict until now
};

// A file draw that differs from the stored draw of its issue.
struct StoredConflict {
    std::size_t line = 0;
    std::string issue;
    std::string stored;  // the number in the history before the import
    std::string file;
};

struct Finished {
    std::size_t stored = 0;
    std::size_t present = 0;
    std::vector<StoredConflict> conflicts;  // by line, at most the list limit given to finish()
    std::size_t conflictsNotListed = 0;
    bool replaced = false;  // the conflicts took the file's numbers
};

class StagedImport {
public:
    // Checks the history is sound and starts staging; takes no lock on the history.
    static Result<StagedImport> begin(HistoryDb& db, const Lottery& lottery);
    StagedImport(StagedImport&&) noexcept;
    StagedImport& operator=(StagedImport&&) noexcept;
    // Uncommitted, everything is rolled back.
    ~StagedImport();

    // Stages draws in file order: one outcome each, in their order.
    Result<std::vector<Staged>> stage(std::span<const FileDraw> draws);
    // Takes the write lock (waiting for another writer up to the busy timeout) and stores
    // the staged draws that no other line of the file contradicts: new issues are
    // added; with `replaceConflicts` a stored draw with another number takes the file's
    // number (and its date, when the file gives one), else it stays. Every draw written
    // carries `source` and `recorded`.
    Result<Finished> finish(std::string_view source, std::string_view recorded, bool replaceConflicts,
                            std::size_t listLimit);
    Result<void> commit();

    // How the staged draws stand beside the stored draws of `lottery` on the issues both
    // have: how many give the same number and how many another.
    struct Agreement {
        std::size_t same = 0, other = 0;
    };
    Result<Agreement> agreement(const Lottery& lottery);
    // From now on a statement stops soon after `cancel` is set, failing: storing many
    // draws ends at once when the window closes, and nothing is stored.
    void cancelWith(const std::atomic<bool>* cancel);

    // Draws are staged together in blocks of this many.
    static constexpr std::size_t kBlock = 64;

    struct State;

private:
    explicit StagedImport(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace sanxing::history
