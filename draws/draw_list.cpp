#include "draws/draw_list.h"

#include "draws/draw_jobs.h"
#include "draws/verification.h"

namespace sanxing {

namespace {

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

std::string DrawList::kindName(int kind) const {
    const auto& items = controls_.spec("组合框_彩种").items;
    return kind >= 0 && static_cast<std::size_t>(kind) < items.size() ? items[static_cast<std::size_t>(kind)]
                                                                        : std::string();
}

void DrawList::setStatus(std::string status) {
    if (status == status_) return;
    status_ = std::move(status);
    if (statusListener_) statusListener_(status_);
}

void DrawList::setStatusListener(std::function<void(const std::string&)> listener) {
    statusListener_ = std::move(listener);
    if (statusListener_) statusListener_(status_);
}

SerialWorker::Task DrawList::Ticket::guard(SerialWorker::Task task) const {
    return [ticket = *this, task = std::move(task)] {
        if (ticket.alive.lock() && *ticket.generation == ticket.value) task();
    };
}

void DrawList::reload() {
    const int kind = selectedKind();
    if (kind < 0 || kind >= kKindCount) return;  // no kind picked: the list stays as it is
    // The old kind's rows go at once, so that nothing can be copied or marked under the
    // new kind's name; whatever the old job still brings is thrown away.
    ++generation_;
    controls_.setRows(kDrawList, {});
    session_.lastDrawNumber = session_.handledDrawNumber = "";
    setStatus("正在载入" + kindName(kind) + "的开奖号码…");
    worker_.supersede([this, kind, hosts = hosts_, options = options_,
                       ticket = ticket()](const SerialWorker::JobContext& job) mutable {
        options.http.cancel = &job.cancel();
        options.startBudget();
        DrawRows rows = FetchRecentDraws(kind, hosts, options);
        if (job.cancel()) return;  // a cancelled load leaves the list alone
        job.post(ticket.guard([this, rows = std::move(rows)] { applyLoad(rows); }));
    });
}

bool DrawList::refresh() {
    const int kind = selectedKind();
    if (kind < 0 || kind >= kKindCount) return false;
    return worker_.offer([this, kind, top = ReadDrawListTop(controls_), last = session_.lastDrawNumber,
                          hosts = hosts_, options = options_,
                          ticket = ticket()](const SerialWorker::JobContext& job) mutable {
        options.http.cancel = &job.cancel();
        options.startBudget();
        std::optional<DrawRecord> draw = FetchLatestDraw(kind, top, last, hosts, options);
        if (job.cancel()) return;
        job.post(ticket.guard([this, kind, draw = std::move(draw)] { applyUpdate(kind, draw); }));
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
    if (!rows.empty()) return setStatus({});
    const std::string& problem = hosts_.problem;
    setStatus(!problem.empty() ? problem
                               : "没有取到" + kindName(selectedKind()) + "的开奖号码：数据源没有回应，或页面无法识别。");
}

void DrawList::applyUpdate(int kind, const std::optional<DrawRecord>& draw) {
    // Whether the draw is still newer than row 0 is decided here, against the list as it
    // is now. Kind 0 reports the number inside ApplyLatestDraw; the other kinds here.
    if (draw && ApplyLatestDraw(kind, controls_, session_.lastDrawNumber, *draw)) {
        if (kind != 0) session_.lastDrawNumber = draw->number;
        setStatus({});
    }
    if (session_.lastDrawNumber == session_.handledDrawNumber) return;
    session_.handledDrawNumber = session_.lastDrawNumber;
    if (controls_.ticked("选择框_开奖报号")) announcer_.announce(true, session_.handledDrawNumber);
    MarkNewestDraw(controls_);
}

}  // namespace sanxing
