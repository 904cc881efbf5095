#include "draws/history_updater.h"

#include <algorithm>

#include "draws/draw_list.h"
#include "history/data_end.h"
#include "history/history_db.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// One entry per address of `lotteries`, each failing with `error`.
std::vector<HistoryUpdate> AllFailed(const DrawHosts& hosts, const std::vector<std::string>& lotteries,
                                     const std::string& error) {
    std::vector<HistoryUpdate> updates;
    for (const auto& [name, urls] : hosts.historyFiles) {
        if (std::find(lotteries.begin(), lotteries.end(), name) == lotteries.end()) continue;
        for (const std::string& url : urls) updates.push_back({name, url, 0, 0, 0, 0, error});
    }
    return updates;
}

// Whether the history of `lottery` in `db` is outdated on `today`; a history that cannot
// be read is left to the update, which names the reason.
bool Outdated(const history::HistoryDb& db, const std::string& lottery, std::chrono::sys_days today) {
    const auto newest = db.newest(lottery, 1);
    if (!newest || newest->empty()) return true;
    return OutdatedAtStart(newest->back(), today);
}

}  // namespace

bool UpdatesAutomatically(const history::Lottery& lottery) { return lottery.form == history::IssueForm::YearSequence; }

bool HasUpdateAddress(const DrawHosts& hosts, std::string_view lottery) {
    return std::any_of(hosts.historyFiles.begin(), hosts.historyFiles.end(),
                       [&](const auto& entry) { return entry.first == lottery && !entry.second.empty(); });
}

bool OutdatedAtStart(const std::optional<history::StoredDraw>& newest, std::chrono::sys_days today) {
    if (!newest) return true;
    const auto date = history::ParseDrawDate(newest->date);
    return !date || today - *date > std::chrono::days(1);
}

const history::Lottery* LotteryDueOnTick(const DrawHosts& hosts, int selectedKind) {
    const auto all = history::Lotteries();
    if (selectedKind < 0 || selectedKind >= static_cast<int>(all.size())) return nullptr;
    const history::Lottery& lottery = all[static_cast<std::size_t>(selectedKind)];
    return UpdatesAutomatically(lottery) && HasUpdateAddress(hosts, lottery.name) ? &lottery : nullptr;
}

std::string AutomaticUpdateNote(const std::vector<HistoryUpdate>& updates) {
    const auto failed = [](const HistoryUpdate& update) { return !update.error.empty(); };
    const auto first = std::find_if(updates.begin(), updates.end(), failed);
    if (first == updates.end()) return {};
    const auto more = std::count_if(first + 1, updates.end(), failed);
    return "自动更新" + first->lottery + "开奖数据未成功：" + first->error + "（" + first->url + "）" +
           (more > 0 ? "，另有 " + std::to_string(more) + " 个地址未成功" : "");
}

std::string NoUpdateAddressText(const DrawHosts& hosts, const std::string& path) {
    std::string text = "没有设置开奖数据的地址，无法更新。请在 " + (path.empty() ? std::string("sources.json") : path) +
                       " 中加入 \"history\"：彩种名 → 开奖文件的地址（http 或 https；文件可以是“期号,号码,开奖日期”"
                       "这样的 CSV，或导入能读的其他格式），例如：\n"
                       "{\"history\": {\"福彩3D\": [\"https://example.org/draws/fc3d.csv\"],\n"
                       "             \"排列三\": [\"https://example.org/draws/pl3.txt\"]}}";
    std::error_code error;
    if (!hosts.problem.empty() && !path.empty() && std::filesystem::exists(path, error)) {
        text += "\n\n" + hosts.problem;  // the file is there but cannot be used
    }
    return text;
}

HistoryUpdater::HistoryUpdater(Controls& controls, Platform& platform, const DrawHosts& hosts, DrawList& drawList)
    : controls_(controls),
      hosts_(hosts),
      drawList_(drawList),
      worker_([&platform](SerialWorker::Task task) { platform.postToUiThread(std::move(task)); }) {}

HistoryUpdater::~HistoryUpdater() { worker_.shutdown(); }

bool HistoryUpdater::updateAll(Done done) {
    if (file_.empty()) return false;
    failedAtStart_.clear();  // the player asked: every address is read, and read again automatically
    worker_.replace(job({}, hosts_, std::move(done)));
    return true;
}

bool HistoryUpdater::updateOutdated(std::chrono::sys_days today) {
    if (file_.empty()) return false;
    const DrawHosts hosts = automaticHosts();
    Request request{{}, today, true, true};
    for (const history::Lottery& lottery : history::Lotteries()) {
        if (UpdatesAutomatically(lottery) && HasUpdateAddress(hosts, lottery.name)) {
            request.lotteries.emplace_back(lottery.name);
        }
    }
    return !request.lotteries.empty() && worker_.offer(job(std::move(request), hosts, {}));
}

bool HistoryUpdater::tick() {
    const DrawHosts hosts = automaticHosts();
    const history::Lottery* due = LotteryDueOnTick(hosts, controls_.selectedIndex(ctl::kLottery));
    if (file_.empty() || due == nullptr) return false;
    return worker_.offer(job({{std::string(due->name)}, std::nullopt, true, false}, hosts, {}));
}

DrawHosts HistoryUpdater::automaticHosts() const {
    DrawHosts hosts = hosts_;
    for (auto& [lottery, urls] : hosts.historyFiles) {
        const std::string& name = lottery;
        std::erase_if(urls, [&](const std::string& url) { return failedAtStart_.contains({name, url}); });
    }
    return hosts;
}

void HistoryUpdater::onDrawsAdded(std::function<void(const history::Lottery&)> listener) {
    listeners_.push_back(std::move(listener));
}

SerialWorker::Job HistoryUpdater::job(Request request, DrawHosts hosts, Done done) {
    return [this, request = std::move(request), done = std::move(done), file = file_, hosts = std::move(hosts),
            options = options_, alive = std::weak_ptr(alive_)](const SerialWorker::JobContext& context) mutable {
        options = WithinUpdateLimit(options);  // one budget for every lottery of the update
        options.cancel = &context.cancel();
        std::vector<std::string> lotteries = request.lotteries;
        if (lotteries.empty()) {
            for (const auto& entry : hosts.historyFiles) lotteries.push_back(entry.first);
        }
        std::vector<HistoryUpdate> updates;
        // A connection of its own: the update never waits for the window's reads.
        if (auto db = history::HistoryDb::open(file); !db) {
            updates = AllFailed(hosts, lotteries, db.error());
        } else {
            for (const std::string& lottery : lotteries) {
                if (request.onlyOutdated && !Outdated(*db, lottery, *request.onlyOutdated)) continue;
                auto found = UpdateHistory(*db, hosts, options, lottery);
                updates.insert(updates.end(), found.begin(), found.end());
            }
        }
        context.post([this, alive, updates = std::move(updates), request, done] {
            if (!alive.lock()) return;
            if (request.atStart) holdFailed(updates);
            apply(updates, request.automatic);
            if (done) done(updates);
        });
    };
}

void HistoryUpdater::holdFailed(const std::vector<HistoryUpdate>& updates) {
    for (const HistoryUpdate& update : updates) {
        if (!update.error.empty()) failedAtStart_.insert({update.lottery, update.url});
    }
}

void HistoryUpdater::apply(const std::vector<HistoryUpdate>& updates, bool automatic) {
    std::vector<const history::Lottery*> grown;
    for (const HistoryUpdate& update : updates) {
        const history::Lottery* lottery = history::FindLottery(update.lottery);
        if (update.added > 0 && lottery && std::find(grown.begin(), grown.end(), lottery) == grown.end()) {
            grown.push_back(lottery);
        }
    }
    for (const history::Lottery* lottery : grown) {
        drawList_.historyGrew(lottery->kindIndex);
        for (const auto& listener : listeners_) listener(*lottery);
    }
    // A failed automatic update is said quietly; an update that read every address clears it.
    std::string note = AutomaticUpdateNote(updates);
    if (automatic || note.empty()) drawList_.setUpdateNote(std::move(note));
}

}  // namespace sanxing
