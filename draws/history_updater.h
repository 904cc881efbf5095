#pragma once
// The window's updates of the history from the draw-file addresses of sources.json: the
// one the user asks for (every address) and the automatic ones of 福彩3D and 排列三, at
// start when the newest stored draw is older than a day, and every 30 minutes while one
// of them is selected in 组合框_彩种. Updates run one at a time on a worker of their own,
// so that a hanging address holds up neither the window nor the draw list; closing
// cancels the running transfer. What an update brings goes to the draw list, which speaks
// and marks a draw newer than its row 0; a failed automatic update is said on the draw
// list's status line only. An address that failed at start is left out of the automatic
// updates until the user asks for every address: what it served may burden the window.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "draws/draw_hosts.h"
#include "draws/history_update.h"
#include "draws/serial_worker.h"
#include "history/lotteries.h"
#include "history/stored_draw.h"
#include "runtime/controls.h"
#include "runtime/platform.h"

namespace sanxing {

class DrawList;

// How often the selected 福彩3D or 排列三 is updated.
inline constexpr std::chrono::minutes kHistoryUpdateEvery{30};

// The lotteries updated automatically: the daily ones, which have no live source.
bool UpdatesAutomatically(const history::Lottery& lottery);
bool HasUpdateAddress(const DrawHosts& hosts, std::string_view lottery);
// Whether start-up updates a history whose newest draw is `newest`: none, one without a
// date, or one drawn more than a day before `today`.
bool OutdatedAtStart(const std::optional<history::StoredDraw>& newest, std::chrono::sys_days today);
// What the 30-minute tick updates: the lottery selected in 组合框_彩种 (its index) when it
// is updated automatically and has an address; else nullptr.
const history::Lottery* LotteryDueOnTick(const DrawHosts& hosts, int selectedKind);
// The status line after an automatic update: its first failure and how many more; empty
// when every address was read.
std::string AutomaticUpdateNote(const std::vector<HistoryUpdate>& updates);

// What 更新开奖数据 says without any address: where sources.json goes (`path`), what its
// "history" holds, an example, and what is wrong with the file when it cannot be used.
std::string NoUpdateAddressText(const DrawHosts& hosts, const std::string& path);

class HistoryUpdater {
public:
    // All references must outlive the updater; `hosts` is read when an update is handed in.
    HistoryUpdater(Controls& controls, Platform& platform, const DrawHosts& hosts, DrawList& drawList);
    ~HistoryUpdater();

    // The database the updates write (opened by each update on its worker). Without it
    // nothing is updated.
    void useHistory(std::filesystem::path file) { file_ = std::move(file); }
    // Whether sources.json names any draw-file address.
    bool configured() const { return !hosts_.historyFiles.empty(); }

    using Done = std::function<void(const std::vector<HistoryUpdate>&)>;
    // Every address (历史 → 更新开奖数据), after an update still running; `done` gets one
    // entry per address, on the UI thread. False without a database to update. The
    // addresses that failed at start are updated automatically again from then on.
    bool updateAll(Done done);
    // Start-up: the automatic lotteries with an address whose history is outdated. False
    // when there is nothing to update or an update is running. The addresses that fail
    // are not read by the automatic updates after it.
    bool updateOutdated(std::chrono::sys_days today);
    // The 30-minute tick: the selected lottery, when it is due. False when it is not, or
    // an update is running.
    bool tick();

    // Hears, on the UI thread, of each lottery an update added draws to.
    void onDrawsAdded(std::function<void(const history::Lottery&)> listener);

    // Bounds of the transfers; tests shorten them. Read when an update is handed in.
    HttpOptions& options() { return options_; }
    bool idle() const { return worker_.idle(); }
    bool waitIdle(std::chrono::milliseconds limit) const { return worker_.waitIdle(limit); }
    // Closing: drop a waiting update and cancel the running one (close), then wait a
    // bounded time for it (shutdown; whether it ended in time).
    void close() { worker_.close(); }
    bool shutdown(std::chrono::milliseconds limit = SerialWorker::kShutdownWait) { return worker_.shutdown(limit); }

private:
    // What an update covers: every address, or those of `lotteries`, only when outdated
    // on `outdatedBefore`'s day.
    struct Request {
        std::vector<std::string> lotteries;  // empty: every address
        std::optional<std::chrono::sys_days> onlyOutdated;
        bool automatic = false;
        bool atStart = false;
    };
    SerialWorker::Job job(Request request, DrawHosts hosts, Done done);
    // The addresses of sources.json less those that failed at start.
    DrawHosts automaticHosts() const;
    void holdFailed(const std::vector<HistoryUpdate>& updates);
    void apply(const std::vector<HistoryUpdate>& updates, bool automatic);

    Controls& controls_;
    const DrawHosts& hosts_;
    DrawList& drawList_;
    std::filesystem::path file_;
    HttpOptions options_;
    std::vector<std::function<void(const history::Lottery&)>> listeners_;
    std::set<std::pair<std::string, std::string>> failedAtStart_;  // (lottery, address), on the UI thread
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    SerialWorker worker_;  // last: its thread ends before the rest goes
};

}  // namespace sanxing
