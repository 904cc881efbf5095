#pragma once
// Bringing the history up to date from the draw-file addresses of sources.json
// ("history"): each file is fetched with the program's HTTP client and its bounds, and
// imported through the same reader as a file the player picks, so only the draws the
// history lacks are added and a differing draw is reported, never replaced. A history
// that cannot be written is not fetched for, and the whole update has a time limit.

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "draws/draw_hosts.h"
#include "history/history_db.h"
#include "net/http_fetch.h"

namespace sanxing {

// What one address brought.
struct HistoryUpdate {
    std::string lottery;
    std::string url;
    std::size_t added = 0;
    std::size_t present = 0;
    std::size_t conflicts = 0;
    std::size_t rejected = 0;  // lines of the file that gave no draw
    std::string error;         // why nothing was stored from it; empty when it was read
};

// The longest a whole update takes, however many addresses it reads; the addresses not
// reached by then fail with kNotReached.
inline constexpr std::chrono::seconds kUpdateTimeLimit{60};
inline constexpr std::string_view kNotReached = "未读取：更新已超过总时限";

// `options` with its deadline no later than kUpdateTimeLimit from now: the budget of one
// update, set once before its first address.
HttpOptions WithinUpdateLimit(HttpOptions options);

// Every address of `hosts.historyFiles` in order (only those of `lottery` when given); an
// address that fails does not stop the others. Each fails with ReadOnlyNotice() without
// being fetched when `db` cannot be written. Transfers end by `options.deadline`, bounded
// by WithinUpdateLimit().
std::vector<HistoryUpdate> UpdateHistory(history::HistoryDb& db, const DrawHosts& hosts, const HttpOptions& options,
                                         std::string_view lottery = {});

// One line for the user: "福彩3D http://…：新增 2 期，已有 100 期，冲突 0 期，拒绝 0 行" or its
// failure.
std::string UpdateLine(const HistoryUpdate& update);

}  // namespace sanxing
