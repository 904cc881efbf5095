#include "draws/history_update.h"

#include "history/draw_import.h"
#include "history/lotteries.h"

namespace sanxing {

namespace {

HistoryUpdate UpdateFrom(history::HistoryDb& db, const history::Lottery& lottery, const std::string& url,
                         const HttpOptions& options) {
    HistoryUpdate update{std::string(lottery.name), url, 0, 0, 0, {}};
    std::string failure;
    const std::optional<std::string> body = TrySimpleGet(url, options, &failure);
    if (!body) {
        update.error = std::move(failure);
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

std::vector<HistoryUpdate> UpdateHistory(history::HistoryDb& db, const DrawHosts& hosts, const HttpOptions& options,
                                         std::string_view lottery) {
    std::vector<HistoryUpdate> updates;
    for (const auto& [name, urls] : hosts.historyFiles) {
        const history::Lottery* known = history::FindLottery(name);
        if (!known || (!lottery.empty() && lottery != name)) continue;
        for (const std::string& url : urls) {
            if (options.cancelled()) return updates;
            updates.push_back(UpdateFrom(db, *known, url, options));
        }
    }
    return updates;
}

std::string UpdateLine(const HistoryUpdate& update) {
    const std::string head = update.lottery + " " + update.url + "：";
    if (!update.error.empty()) return head + "失败：" + update.error;
    return head + "新增 " + std::to_string(update.added) + " 期，已有 " + std::to_string(update.present) +
           " 期，冲突 " + std::to_string(update.conflicts) + " 期";
}

}  // namespace sanxing
