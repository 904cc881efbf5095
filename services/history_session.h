#pragma once
// The process's way to the draw history: which file, opened on first use over the
// process's one connection to it (HistoryDb::shared), and whether it may be written. A
// file that cannot be opened is said once and the history stays off until another file is
// chosen; the file itself is never touched then. A file held by another program (busy) is
// said and tried again on the next use. A long write off the UI thread (an import) takes
// a connection of its own, so reads on the shared one never wait for it.
//
// The window and the CLI each keep one session; what opening has to tell the user goes to
// the notice listener, which each front end shows its own way. Used from one thread; the
// connection it hands out may go to a background job.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "history/history_db.h"
#include "runtime/result.h"

namespace sanxing {

// What opening the history tells the user.
struct HistoryNotice {
    enum class Kind {
        Off,           // the file cannot be opened: the history is off (text: the reason)
        Busy,          // another program holds the file; tried again on the next use
        ReadOnly,      // the file may only be read (text: history::ReadOnlyNotice)
        ShippedDraws,  // what the shipped draws brought (text: history::ShippedSummary)
    };
    Kind kind;
    std::string text;
};

class HistorySession {
public:
    explicit HistorySession(std::filesystem::path file = history::DefaultDatabasePath());

    // From now on `file` (the CLI's --history): the old connection is let go, a failure
    // forgotten, and the shipped draws are no longer offered.
    void chooseFile(std::filesystem::path file);
    const std::filesystem::path& path() const { return path_; }

    // The user's own history: the shipped draws of the program in `programDirectory` that
    // the database was never offered are added when it is opened.
    void offerShippedDraws(std::filesystem::path programDirectory);
    // Where notices go; without a listener nothing is said.
    void onNotice(std::function<void(const HistoryNotice&)> listener) { listener_ = std::move(listener); }

    // The open database, opened on first use (see above). A failure keeps its code
    // (ErrorCode::Busy for a file held by another program).
    Result<std::shared_ptr<history::HistoryDb>> database();
    // The database for a write: fails with ErrorCode::ReadOnly (and ReadOnlyNotice as its
    // text) when it may only be read; that is said unless opening it just said so.
    Result<std::shared_ptr<history::HistoryDb>> writable();
    // A connection of its own to the same file, for a long job off the UI thread.
    Result<history::HistoryDb> ownConnection() const;
    // Offers the shipped draws of the program in `programDirectory` now (--add-shipped-draws);
    // what they brought is said.
    Result<void> addShippedDraws(const std::filesystem::path& programDirectory);

    // Lets go of the history when this session created its file and it holds no draw, and
    // removes the file, its -wal and -shm and the folders made for it, so that a refused
    // import leaves nothing behind. A file another connection holds is left alone.
    void forgetIfCreatedEmpty();

    // True once the file could not be opened; the history features stay off.
    bool off() const { return failure_.has_value(); }
    // True when open and only readable.
    bool readOnly() const { return db_ && db_->readOnly(); }

private:
    void tell(HistoryNotice::Kind kind, std::string text) const;

    std::filesystem::path path_;
    std::optional<std::filesystem::path> shippedFrom_;
    std::function<void(const HistoryNotice&)> listener_;
    std::shared_ptr<history::HistoryDb> db_;
    std::optional<Failure> failure_;
    std::vector<std::filesystem::path> created_;  // the file and the folders opening made, deepest first
};

}  // namespace sanxing
