#include "draws/history_update.h"

#include <algorithm>

#include "history/draw_import.h"
#include "history/lotteries.h"

namespace sanxing {

namespace {

// An address is not started with less time left than this: it could not be read.
constexpr std::chrono::milliseconds kLeastForAnAddress{100};

HistoryUpdate UpdateFrom(history::HistoryDb& db, const history::Lottery& lottery, const std::string& url,
                         const HttpOptions& options) {
    HistoryUpdate update{std::string(lottery.name), url, 0, 0, 0, 0, {}};
    if (options.within(kLeastForAnAddress) < kLeastForAnAddress) {
        update.error = kNotReached;
        return update;
    }
    const auto body = SimpleGet(url, options);
    if (!body) {
        update.error = body.error();
        return update;
    }
    if (body->empty()) {
        update.error = "文件是空的";
        return update;
    }
    history::ImportOptions import;
    import.cancel = options.cancel;  // closing the window stops the import too
    auto report = history::ImportDrawText(db, lottery, *body, url, import);
    if (!report) {
        update.error = report.error();
        return update;
    }
    update.rejected = report->rejectedCount();
    if (report->draws() == 0) {
        update.error = history::ImportSummary(*report);
        return update;
    }
    update.added = report->stored;
    update.present = report->present;
    update.conflicts = report->conflictCount();
    return update;
}

}  // namespace

HttpOptions WithinUpdateLimit(HttpOptions options) {
    options.deadline = std::min(options.deadline, std::chrono::steady_clock::now() + kUpdateTimeLimit);
    return options;
}

std::vector<HistoryUpdate> UpdateHistory(history::HistoryDb& db, const DrawHosts& hosts, const HttpOptions& options,
                                         std::string_view lottery) {
    const HttpOptions bounded = WithinUpdateLimit(options);
    // A history that cannot be written (read-only, damaged) gets nothing fetched for it.
    const Result<void> writable = db.checkWritable();
    std::vector<HistoryUpdate> updates;
    for (const auto& [name, urls] : hosts.historyFiles) {
        const history::Lottery* known = history::FindLottery(name);
        if (!known || (!lottery.empty() && lottery != name)) continue;
        for (const std::string& url : urls) {
            if (bounded.cancelled()) return updates;
            if (!writable) {
                updates.push_back({name, url, 0, 0, 0, 0, writable.error()});
            } else {
                updates.push_back(UpdateFrom(db, *known, url, bounded));
            }
        }
    }
    return updates;
}

std::string UpdateLine(const HistoryUpdate& update) {
    const std::string head = update.lottery + " " + update.url + "：";
    if (!update.error.empty()) return head + "失败：" + update.error;
    return head + "新增 " + std::to_string(update.added) + " 期，已有 " + std::to_string(update.present) +
           " 期，冲突 " + std::to_string(update.conflicts) + " 期，拒绝 " + std::to_string(update.rejected) + " 行";
}

}  // namespace sanxing
