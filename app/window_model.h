#pragma once
// The headless main window: the control store built from the control table, the failure
// table of the last shrink run, the process-wide values, the event bindings, and the draw
// list, history updater and announcement page with their workers. The Qt window and
// sanxing-cli both work the controls through it; their history and analysis steps do
// not go through it.

#include <string_view>

#include "draws/announcement_page.h"
#include "draws/draw_hosts.h"
#include "draws/draw_list.h"
#include "draws/history_updater.h"
#include "numbers/failure_table.h"
#include "runtime/control_store.h"
#include "runtime/platform.h"
#include "runtime/session_state.h"

namespace sanxing {

enum class ControlEvent { Click, ItemSelected, FocusIn, FocusOut, Tick };

class WindowModel {
public:
    explicit WindowModel(Platform& platform);
    ~WindowModel();

    ControlStore& controls() { return controls_; }
    const ControlStore& controls() const { return controls_; }
    FailureTable& failures() { return failures_; }
    const FailureTable& failures() const { return failures_; }
    SessionState& session() { return session_; }
    // Where the draw sources live (sources.json); empty until configured.
    DrawHosts& drawHosts() { return drawHosts_; }
    Platform& platform() { return platform_; }
    // The draw list's jobs and speech, and the announcement page.
    DrawList& drawList() { return drawList_; }
    AnnouncementPage& announcement() { return announcement_; }
    // Updates of the history from the draw-file addresses of sources.json.
    HistoryUpdater& historyUpdater() { return historyUpdater_; }

    // What a user does to a control: its own change first (a check box toggles, a combo
    // selects the item), then the bound handler, if any.
    void click(std::string_view name);
    void selectItem(std::string_view name, int index);
    void focusIn(std::string_view name) { fire(name, ControlEvent::FocusIn); }
    void focusOut(std::string_view name) { fire(name, ControlEvent::FocusOut); }
    void tick(std::string_view name) { fire(name, ControlEvent::Tick); }

    // Runs the handler bound to (name, event); false when there is none (yet).
    bool fire(std::string_view name, ControlEvent event);

    // The window's creation-complete event: the start-up handler. Starts the first load
    // of the draw list and the announcement page.
    void created();

    // The window is closing: waiting jobs are dropped, running transfers cancelled, and
    // each worker is waited for a bounded time.
    void shutdown();

    // The value a report list shows; the failure table is rendered from memory.
    ReportRows reportRows(std::string_view name) const;

private:
    Platform& platform_;
    ControlStore controls_;
    FailureTable failures_;
    SessionState session_;
    DrawHosts drawHosts_;
    DrawList drawList_;
    HistoryUpdater historyUpdater_;
    AnnouncementPage announcement_;
};

}  // namespace sanxing
