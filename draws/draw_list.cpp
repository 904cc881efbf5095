#include "draws/draw_list.h"

#include "draws/draw_jobs.h"
#include "draws/verification.h"

namespace sanxing {

namespace {

// A UI-thread task that does nothing once its owner is gone.
SerialWorker::Task Guarded(std::weak_ptr<int> alive, SerialWorker::Task task) {
    return [alive = std::move(alive), task = std::move(task)] {
        if (alive.lock()) task();
    };
}

std::string NumberOfRow0(const Controls& controls) {
    const ReportRows& rows = controls.rows(kDrawList);
    return rows.empty() || rows.front().size() < 2 ? std::string() : rows.front()[1];
}

}  // namespace

DrawList::DrawList(Controls& controls, Platform& platform, SessionState& session, const DrawHosts& hosts)
    : controls_(controls),
      session_(session),
      hosts_(hosts),
      announcer_(platform),
      worker_([&platform](SerialWorker::Task task) { platform.postToUiThread(std::move(task)); }) {}

DrawList::~DrawList() { shutdown(); }

int DrawList::selectedKind() const { return controls_.selectedIndex("组合框_彩种"); }

void DrawList::reload() {
    const int kind = selectedKind();
    if (kind < 0 || kind >= kKindCount) return;  // no kind picked: the list stays as it is
    worker_.replace([this, kind, hosts = hosts_, options = options_,
                     alive = std::weak_ptr(alive_)](const SerialWorker::JobContext& job) mutable {
        options.http.cancel = &job.cancel();
        DrawRows rows = FetchRecentDraws(kind, hosts, options);
        if (job.cancel()) return;  // a cancelled load leaves the list alone
        job.post(Guarded(alive, [this, rows = std::move(rows)] { applyLoad(rows); }));
    });
}

bool DrawList::refresh() {
    const int kind = selectedKind();
    if (kind < 0 || kind >= kKindCount) return false;
    return worker_.offer([this, kind, top = ReadDrawListTop(controls_), last = session_.lastDrawNumber,
                          hosts = hosts_, options = options_,
                          alive = std::weak_ptr(alive_)](const SerialWorker::JobContext& job) mutable {
        options.http.cancel = &job.cancel();
        std::optional<DrawRecord> draw = FetchLatestDraw(kind, top, last, hosts, options);
        if (job.cancel()) return;
        job.post(Guarded(alive, [this, kind, draw = std::move(draw)] { applyUpdate(kind, draw); }));
    });
}

void DrawList::close() {
    announcer_.stop();
    worker_.close();
}

void DrawList::shutdown() {
    close();
    worker_.shutdown();
}

void DrawList::applyLoad(const DrawRows& rows) {
    ApplyRecentDraws(controls_, rows);
    // The loaded list's newest draw counts as reported and handled: a load is never spoken.
    session_.lastDrawNumber = session_.handledDrawNumber = NumberOfRow0(controls_);
}

void DrawList::applyUpdate(int kind, const std::optional<DrawRecord>& draw) {
    // Whether the draw is still newer than row 0 is decided here, against the list as it
    // is now. Kind 0 reports the number inside ApplyLatestDraw; the other kinds here.
    if (draw && ApplyLatestDraw(kind, controls_, session_.lastDrawNumber, *draw) && kind != 0) {
        session_.lastDrawNumber = draw->number;
    }
    if (session_.lastDrawNumber == session_.handledDrawNumber) return;
    session_.handledDrawNumber = session_.lastDrawNumber;
    if (controls_.ticked("选择框_开奖报号")) announcer_.announce(true, session_.handledDrawNumber);
    MarkNewestDraw(controls_);
}

}  // namespace sanxing
