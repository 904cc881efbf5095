#pragma once
// The draw list of the main window: the full load on a kind change and at start-up, the
// update of every timer tick, and what follows a newly reported draw (speech and the hit
// or miss mark of row 0).
//
// One job at a time: jobs run on a serial worker. A tick while a job runs or waits is
// dropped; a kind change cancels the running job (its result is thrown away), empties the
// list at once and starts the new kind's load. Every job ends within its time budget. A
// job reads nothing of the window: what it needs is read on the UI thread when it is
// handed in, and it hands its rows back to the UI thread, which applies them to the list
// as the list is then. Every kind reports a newly inserted number, so kinds 1 to 3 are
// spoken and verified like kind 0.
//
// One line of status goes with the list whenever it shows something other than the live
// draws of the kind: that it is loading, that no sources are configured, that nothing
// came, that the rows come from the history.
//
// With a history (useHistory), every draw that a load or an update brings is recorded
// there under its kind, on the worker; a failure to write is said once and never
// disturbs the list. A load that brings nothing shows the kind's newest kHistoryRows
// draws from the history instead, and the ticks then take the history's newer draws;
// 福彩3D and 排列三, which have no live source, always show the history. A draw taken from
// the history is marked only once there is a result to verify it against.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "draws/announcer.h"
#include "draws/draw_hosts.h"
#include "draws/draw_record.h"
#include "draws/serial_worker.h"
#include "draws/source_page.h"
#include "runtime/controls.h"
#include "runtime/platform.h"
#include "runtime/session_state.h"

namespace sanxing {

class DrawHistory;

class DrawList {
public:
    // All references must outlive the draw list; `hosts` is read when a job is handed in.
    DrawList(Controls& controls, Platform& platform, SessionState& session, const DrawHosts& hosts);
    ~DrawList();

    // How many draws a list from the history shows.
    static constexpr std::size_t kHistoryRows = 100;

    // Records into, and falls back on, the history database `file` (opened on the worker
    // on first use). Without it the list has no history. With `shippedFrom` (the
    // program's folder) it is the user's own history, which gets the shipped draws.
    void useHistory(const std::filesystem::path& file, std::optional<std::filesystem::path> shippedFrom = {});

    // Kind change and start-up: reload the list for the selected kind.
    void reload();
    // Timer tick: RefreshDrawList. False when the tick was dropped.
    bool refresh();
    // The history of `kind` changed in this program (an import, a replacement, a delete):
    // a list that shows the history reads it again at once; a live list stays.
    void historyChanged(int kind);
    // An update from a draw-file address added draws of `kind`: a list that shows the
    // history reads it again, and a newest draw newer than the old row 0 is spoken and
    // marked as a live draw is.
    void historyGrew(int kind);

    // Closing: drop waiting work and cancel the running transfer (close), then wait a
    // bounded time for it (shutdown).
    void close();
    void shutdown();
    // Until no job runs or waits (their results may still wait for the UI thread).
    bool waitIdle(std::chrono::milliseconds limit) const { return worker_.waitIdle(limit); }
    bool idle() const { return worker_.idle(); }

    Announcer& announcer() { return announcer_; }
    // Bounds of the transfers; tests shorten them. Read when a job is handed in.
    DrawJobOptions& options() { return options_; }

    // The status line; empty while the list shows the live draws. The listener is told
    // every change, on the UI thread.
    const std::string& status() const { return status_; }
    void setStatusListener(std::function<void(const std::string&)> listener);
    // A note about the automatic updates of the history (why the last one failed), shown
    // before the list's own status; empty for none.
    void setUpdateNote(std::string note);

    // What a load brought to the UI thread.
    struct LoadResult {
        DrawRows rows;
        bool fromHistory = false;
        std::string historyError;  // why the history could not be written or read
        std::string historyNote;   // what the shipped draws brought that the user should know
    };

    // The UI-thread half of the jobs, exposed for tests that feed rows directly.
    void applyLoad(const LoadResult& load);
    void applyLoad(const DrawRows& rows);
    void applyUpdate(int kind, const std::optional<DrawRecord>& draw);

private:
    int selectedKind() const;
    std::string kindName(int kind) const;
    void setStatus(std::string status);
    void showStatus();
    // What follows a newly reported draw: speech and the mark of row 0.
    void handleNewDraw();
    // Tells the user, the first time only, that the history could not be written.
    void sayHistoryFailure(const std::string& error);
    // Taken when a job is handed in: its UI-thread tasks run only while this draw list
    // exists and no kind change came after it.
    struct Ticket {
        std::weak_ptr<int> alive;
        const unsigned* generation;
        unsigned value;
        SerialWorker::Task guard(SerialWorker::Task task) const;
    };
    Ticket ticket() const { return {alive_, &generation_, generation_}; }
    Controls& controls_;
    Platform& platform_;
    SessionState& session_;
    const DrawHosts& hosts_;
    DrawJobOptions options_;
    Announcer announcer_;
    std::string status_;      // what is shown: the list's own status and the update note
    std::string listStatus_;  // the list's own status
    std::string updateNote_;
    std::function<void(const std::string&)> statusListener_;
    unsigned generation_ = 0;               // counts kind changes
    std::shared_ptr<DrawHistory> history_;  // shared with the jobs that use it
    bool fromHistory_ = false;              // the list shows the history's draws
    bool historyFailureSaid_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    SerialWorker worker_;  // last: its thread ends before the rest goes
};

}  // namespace sanxing
