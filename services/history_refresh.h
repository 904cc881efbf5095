#pragma once
// Bringing the history up to date from the draw-file addresses of sources.json
// ("history"), for the window and the CLI alike: what every address brought, and the
// report the user reads.

#include <string>
#include <vector>

#include "draws/draw_hosts.h"
#include "draws/history_update.h"
#include "runtime/result.h"
#include "services/history_session.h"

namespace sanxing {

// What an update brought, one entry per address, in the order of sources.json.
struct UpdateReport {
    std::vector<HistoryUpdate> updates;

    bool anyFailed() const;
    // True when there were addresses and every one failed.
    bool allFailed() const;
    // "更新开奖数据：" and one line per address.
    std::string text() const;
};

inline constexpr const char* kUpdateCaption = "更新开奖数据";

// Reads every address of `hosts` into the session's history, now, on this thread.
Result<UpdateReport> UpdateDraws(HistorySession& session, const DrawHosts& hosts);

}  // namespace sanxing
