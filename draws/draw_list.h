#pragma once
// The draw list of the main window: the full load on a kind change and at start-up, the
// update of every timer tick, and what follows a newly reported draw (speech and the hit
// or miss mark of row 0).
//
// One job at a time: jobs run on a serial worker. A tick while a job runs or waits is
// dropped; a kind change waits behind a running job, replacing any job that waited. A job
// reads nothing of the window: what it needs is read on the UI thread when it is handed
// in, and it hands its rows back to the UI thread, which applies them to the list as the
// list is then. Every kind reports a newly inserted number, so kinds 1 to 3 are spoken and
// verified like kind 0.

#include <chrono>
#include <memory>
#include <optional>

#include "draws/announcer.h"
#include "draws/draw_hosts.h"
#include "draws/draw_record.h"
#include "draws/serial_worker.h"
#include "draws/source_page.h"
#include "runtime/controls.h"
#include "runtime/platform.h"
#include "runtime/session_state.h"

namespace sanxing {

class DrawList {
public:
    // All references must outlive the draw list; `hosts` is read when a job is handed in.
    DrawList(Controls& controls, Platform& platform, SessionState& session, const DrawHosts& hosts);
    ~DrawList();

    // Kind change and start-up: reload the list for the selected kind.
    void reload();
    // Timer tick: RefreshDrawList. False when the tick was dropped.
    bool refresh();

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

    // The UI-thread half of the jobs, exposed for tests that feed rows directly.
    void applyLoad(const DrawRows& rows);
    void applyUpdate(int kind, const std::optional<DrawRecord>& draw);

private:
    int selectedKind() const;
    // A task for the UI thread that runs only while this draw list exists.
    SerialWorker::Task whileAlive(SerialWorker::Task task) const;

    Controls& controls_;
    SessionState& session_;
    const DrawHosts& hosts_;
    DrawJobOptions options_;
    Announcer announcer_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    SerialWorker worker_;  // last: its thread ends before the rest goes
};

}  // namespace sanxing
