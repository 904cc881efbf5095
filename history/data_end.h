#pragma once
// Where a lottery's history ends, said to the player: "开奖历史到 2025217（2025-08-15）", and how
// to bring it up to date when the newest draw is more than three days old.

#include <chrono>
#include <optional>
#include <string>

#include "history/history_db.h"
#include "history/lotteries.h"

namespace sanxing::history {

inline constexpr int kStaleAfterDays = 3;

// The local date today.
std::chrono::sys_days Today();

// A stored draw date ("YYYY-MM-DD") as a date; nothing for any other text.
std::optional<std::chrono::sys_days> ParseDrawDate(const std::string& text);

// Empty when the lottery has no draws; fails with the reason when the history cannot be read.
Result<std::string> DataEndText(const HistoryDb& db, const Lottery& lottery, std::chrono::sys_days today = Today());
// The same from the lottery's newest stored draw, already read.
std::string DataEndText(const StoredDraw& newest, std::chrono::sys_days today = Today());

}  // namespace sanxing::history
