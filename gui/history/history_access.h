#pragma once
// The window's way to the draw history: the database is opened on first use; when it
// cannot be opened, the user is told once what is wrong with which file, and the history
// stays off for the rest of the session. The file itself is never touched then.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "history/history_db.h"
#include "history/lotteries.h"

namespace sanxing {

class Platform;
class Controls;

class HistoryAccess {
public:
    HistoryAccess(Platform& platform, std::filesystem::path file = history::DefaultDatabasePath())
        : platform_(platform), path_(std::move(file)) {}

    const std::filesystem::path& path() const { return path_; }
    // The open database, or nullptr when it cannot be used (said once).
    history::HistoryDb* database();
    // The database for a write (an import): nullptr when it cannot be used or only read,
    // which is said (opening a read-only history says it by itself).
    history::HistoryDb* writable();
    // True once opening has failed; the history features stay off.
    bool off() const { return failure_.has_value(); }
    const std::optional<std::string>& failure() const { return failure_; }

private:
    Platform& platform_;
    std::filesystem::path path_;
    std::shared_ptr<history::HistoryDb> db_;
    std::optional<std::string> failure_;
};

inline constexpr const char* kHistoryCaption = "开奖历史";

}  // namespace sanxing
