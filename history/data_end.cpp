#include "history/data_end.h"

#include <cstdio>
#include <ctime>

namespace sanxing::history {

std::optional<std::chrono::sys_days> ParseDrawDate(const std::string& text) {
    int year = 0;
    unsigned month = 0, day = 0;
    if (text.size() != 10 || std::sscanf(text.c_str(), "%4d-%2u-%2u", &year, &month, &day) != 3) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month), std::chrono::day(day)};
    if (!date.ok()) return std::nullopt;
    return std::chrono::sys_days(date);
}

std::chrono::sys_days Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year(local.tm_year + 1900) / (local.tm_mon + 1) / local.tm_mday;
}

Result<std::string> DataEndText(const HistoryDb& db, const Lottery& lottery, std::chrono::sys_days today) {
    const auto newest = db.newest(lottery.name, 1);
    if (!newest) return newest.failure();
    if (newest->empty()) return std::string();
    return DataEndText(newest->back(), today);
}

std::string DataEndText(const StoredDraw& last, std::chrono::sys_days today) {
    std::string text = "开奖历史到 " + last.issue + (last.date.empty() ? "" : "（" + last.date + "）");
    const auto date = ParseDrawDate(last.date);
    if (date && today - *date > std::chrono::days(kStaleAfterDays)) {
        text +=
            "。更新开奖号码：菜单 历史 → 导入开奖号码…（开奖文件）或 从剪贴板导入（开奖网页上复制的表格），"
            "或在 sources.json 的 \"history\" 中设置开奖文件的地址后用菜单 历史 → 更新开奖数据"
            "（或 sanxing-cli --sources sources.json --update-draws）";
    }
    return text;
}

}  // namespace sanxing::history
