#pragma once
// The draw records sanxing ships for 福彩3D and 排列三 (data/ in the source tree): read from
// the installed copy, share/sanxing/ beside the program's prefix, or from the copy built
// into the program when that is missing; and added to a history with source "内置".

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_db.h"
#include "history/lotteries.h"

namespace sanxing::history {

inline constexpr std::string_view kShippedSource = "内置";

// The lotteries with shipped records.
std::vector<const Lottery*> ShippedLotteries();

// The shipped draws of `lottery`, oldest first, source "内置"; empty for a lottery without
// records. `programDirectory` is the folder of the running program (…/bin).
std::vector<StoredDraw> ShippedDraws(const Lottery& lottery, const std::filesystem::path& programDirectory);

struct ShippedAddition {
    const Lottery* lottery = nullptr;
    OfferReport report;
};

// Offers every shipped draw to `db` (see HistoryDb::offer): draws offered before, even if
// deleted since, are left alone. A read-only history gets nothing.
Result<std::vector<ShippedAddition>> AddShippedDraws(HistoryDb& db, const std::filesystem::path& programDirectory);

// One line per lottery with news ("已加入内置的福彩3D开奖号码 8374 期"), plus the conflicts,
// each once; empty when nothing was added and nothing conflicted.
std::string ShippedSummary(const std::vector<ShippedAddition>& additions);

}  // namespace sanxing::history
