#include "draws/draw_list.h"

#include "draws/draw_history.h"
#include "draws/draw_jobs.h"
#include "draws/verification.h"
#include "history/lotteries.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// The kinds of 组合框_彩种: the four with live sources, then those shown from the history.
bool IsListKind(int kind) { return kind >= 0 && kind < static_cast<int>(history::Lotteries().size()); }

std::string NumberOfRow0(const Controls& controls) {
    const ReportRows& rows = controls.rows(kDrawList);
    return rows.empty() || rows.front().size() < 2 ? std::string() : rows.front()[1];
}

}  // namespace

DrawList::DrawList(Controls& controls, Platform& platform, SessionState& session, const DrawHosts& hosts)
    : controls_(controls),
      platform_(platform),
      session_(session),
      hosts_(hosts),
      announcer_(platform),
      worker_([&platform](SerialWorker::Task task) { platform.postToUiThread(std::move(task)); }) {}

DrawList::~DrawList() { shutdown(); }

int DrawList::selectedKind() const { return controls_.selectedIndex(ctl::kLottery); }

std::string DrawList::kindName(int kind) const {
    const auto& items = controls_.spec(ctl::kLottery).items;
    return kind >= 0 && static_cast<std::size_t>(kind) < items.size() ? items[static_cast<std::size_t>(kind)]
                                                                      : std::string();
}

void DrawList::setStatus(std::string status) {
    listStatus_ = std::move(status);
    showStatus();
}

void DrawList::setUpdateNote(std::string note) {
    updateNote_ = std::move(note);
    showStatus();
}

void DrawList::showStatus() {
    // The note first: the line is cut at its end, and the list's own status is the older news.
    std::string status =
        listStatus_.empty() || updateNote_.empty() ? updateNote_ + listStatus_ : updateNote_ + "；" + listStatus_;
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

void DrawList::useHistory(const std::filesystem::path& file, std::optional<std::filesystem::path> shippedFrom) {
    history_ = std::make_shared<DrawHistory>(file, std::move(shippedFrom));
}

void DrawList::reload() {
    const int kind = selectedKind();
    if (!IsListKind(kind)) return;  // no kind picked: the list stays as it is
    // The old kind's rows go at once, so that nothing can be copied or marked under the
    // new kind's name; whatever the old job still brings is thrown away.
    ++generation_;
    controls_.setRows(kDrawList, {});
    session_.lastDrawNumber = session_.handledDrawNumber = "";
    fromHistory_ = false;
    setStatus("正在载入" + kindName(kind) + "的开奖号码…");
    worker_.supersede([this, kind, hosts = hosts_, options = options_, history = history_,
                       ticket = ticket()](const SerialWorker::JobContext& job) mutable {
        options.http.cancel = &job.cancel();
        options.startBudget();
        char site = 0;
        LoadResult load{FetchRecentDraws(kind, hosts, options, &site), false, {}, {}};
        if (job.cancel()) return;  // a cancelled load leaves the list alone
        if (history && !load.rows.empty()) {
            load.historyError = history->record(kind, load.rows, site).error();
        } else if (history) {
            // Nothing live: the history's newest draws, said so on the list.
            auto newest = history->newest(kind, kHistoryRows);
            if (newest) load.rows = std::move(*newest);
            load.historyError = newest.error();
            load.fromHistory = true;
        }
        if (history) load.historyNote = history->takeNote();
        job.post(ticket.guard([this, load = std::move(load)] { applyLoad(load); }));
    });
}

bool DrawList::refresh() {
    const int kind = selectedKind();
    if (!IsListKind(kind)) return false;
    return worker_.offer([this, kind, top = ReadDrawListTop(controls_), last = session_.lastDrawNumber, hosts = hosts_,
                          options = options_, history = history_, fromHistory = fromHistory_,
                          ticket = ticket()](const SerialWorker::JobContext& job) mutable {
        options.http.cancel = &job.cancel();
        options.startBudget();
        char site = 0;
        std::optional<DrawRecord> draw = FetchLatestDraw(kind, top, last, hosts, options, &site);
        if (job.cancel()) return;
        std::string historyError;
        if (history && draw) {
            historyError = history->record(kind, {*draw}, site).error();
        } else if (history && fromHistory) {
            // A list from the history takes the history's newer draws (an import, another
            // running copy of the program) as a live list takes the sites'.
            auto newest = history->newest(kind, 1);
            historyError = newest.error();
            if (newest && !newest->empty() && IsNewerIssue(newest->front().issue, top.issue)) {
                draw = std::move(newest->front());
            }
        }
        job.post(ticket.guard([this, kind, draw = std::move(draw), historyError = std::move(historyError)] {
            sayHistoryFailure(historyError);
            applyUpdate(kind, draw);
        }));
    });
}

void DrawList::historyChanged(int kind) {
    if (!history_ || !fromHistory_ || kind != selectedKind()) return;
    worker_.supersede([this, kind, history = history_, ticket = ticket()](const SerialWorker::JobContext& job) {
        auto newest = history->newest(kind, kHistoryRows);
        LoadResult load{newest ? std::move(*newest) : DrawRows{}, true, newest.error(), {}};
        job.post(ticket.guard([this, load = std::move(load)] { applyLoad(load); }));
    });
}

void DrawList::historyGrew(int kind) {
    if (!history_ || !fromHistory_ || kind != selectedKind()) return;
    worker_.supersede([this, kind, history = history_, ticket = ticket()](const SerialWorker::JobContext& job) {
        auto newest = history->newest(kind, kHistoryRows);
        LoadResult load{newest ? std::move(*newest) : DrawRows{}, true, newest.error(), {}};
        job.post(ticket.guard([this, load = std::move(load)] {
            const std::string top = ReadDrawListTop(controls_).issue;
            const bool news = !load.rows.empty() && IsNewerIssue(load.rows.front().issue, top);
            applyLoad(load);
            if (!news) return;
            // The new row 0 is reported as a live draw would be.
            session_.handledDrawNumber.clear();
            handleNewDraw();
        }));
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

void DrawList::applyLoad(const LoadResult& load) {
    sayHistoryFailure(load.historyError);
    if (!load.historyNote.empty()) {
        platform_.messageBox(load.historyNote, "开奖历史", MessageIcon::Information, MessageButtons::Ok);
    }
    ApplyRecentDraws(controls_, load.rows);
    fromHistory_ = load.fromHistory;
    // The loaded list's newest draw counts as reported and handled: a load is never spoken.
    session_.lastDrawNumber = session_.handledDrawNumber = NumberOfRow0(controls_);
    if (!load.rows.empty() && !load.fromHistory) return setStatus({});
    const std::string name = kindName(selectedKind());
    std::string why = selectedKind() >= kKindCount ? name + "暂无实时数据源"
                      : !hosts_.problem.empty()    ? hosts_.problem
                                                : "没有取到" + name + "的实时开奖号码（数据源无响应或页面无法识别）";
    while (why.ends_with("。")) why.resize(why.size() - std::string_view("。").size());
    if (load.rows.empty()) {
        setStatus(why + (history_ ? "；开奖历史中也没有，可从“历史”菜单导入。" : "。"));
    } else {
        setStatus(why + "；显示开奖历史中最近 " + std::to_string(load.rows.size()) + " 期。");
    }
}

void DrawList::applyLoad(const DrawRows& rows) { applyLoad(LoadResult{rows, false, {}, {}}); }

void DrawList::sayHistoryFailure(const std::string& error) {
    if (error.empty() || historyFailureSaid_) return;
    historyFailureSaid_ = true;
    platform_.messageBox("开奖号码无法写入开奖历史：" + error + "\n开奖列表照常更新，本次运行中不再提示。", "开奖历史",
                         MessageIcon::Warning, MessageButtons::Ok);
}

void DrawList::applyUpdate(int kind, const std::optional<DrawRecord>& draw) {
    // Whether the draw is still newer than row 0 is decided here, against the list as it
    // is now. Kind 0 reports the number inside ApplyLatestDraw; the other kinds here.
    if (draw && ApplyLatestDraw(kind, controls_, session_.lastDrawNumber, *draw)) {
        if (kind != 0) session_.lastDrawNumber = draw->number;
        if (!fromHistory_) setStatus({});
    }
    if (session_.lastDrawNumber != session_.handledDrawNumber) handleNewDraw();
}

void DrawList::handleNewDraw() {
    session_.handledDrawNumber = session_.lastDrawNumber;
    if (controls_.ticked(ctl::kAnnounceDraws)) announcer_.announce(true, session_.handledDrawNumber);
    // Before the first 缩水 there is nothing to verify a draw of the history against.
    if (fromHistory_ && controls_.text(ctl::kResult).empty()) return;
    MarkNewestDraw(controls_);
}

}  // namespace sanxing
