#pragma once
// Issues as a lottery numbers its draws, in the one form the history stores, so that two
// spellings of one draw are one draw:
// - 福彩3D, 排列三: year and sequence, "2024144", "24144", "24-144" or "2024-144"; stored
//   as YYYYNNN.
// - the four 时时彩 kinds: day and serial, "20241012-023", "20241012023", "241012-023",
//   "241012023", and 新疆's "2024101223"; stored as the last nine digits of YYYYMMDD and
//   the serial in the lottery's serial width (YYMMDDNNN; 新疆 YYYMMDDNN).
// "第2024144期" reads as "2024144"; a letter, 期 or 年 between year and serial reads as the
// dash ("2005D001", "2005期001"). The import, sanxing-cli's --from/--to and the range
// inputs of the history windows all read issues here.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "history/lotteries.h"
#include "runtime/result.h"

namespace sanxing::history {

// The stored form of `text`, or the Chinese reason it is no issue of `lottery`: a
// sequence outside 001–366, a year before the lottery began or after this year, a day
// that does not exist or lies after tomorrow (by Today()), a serial of 0 or wider than the
// lottery's.
Result<std::string> CanonicalIssue(std::string_view text, const Lottery& lottery);
// The same against a given day, for readers of many issues that ask Today() once.
Result<std::string> CanonicalIssue(std::string_view text, const Lottery& lottery, std::chrono::sys_days today);

// The stored form of an issue whose leading zeros a spreadsheet dropped (Excel and WPS write
// 排列三's 09358 as 9358), when putting one or two zeros back makes it an issue of `year`
// (the year of the line's date); nothing otherwise.
std::optional<std::string> RestoredIssue(std::string_view text, const Lottery& lottery, int year,
                                         std::chrono::sys_days today);

// How the lottery's issues may be written, for messages: "2024144、24144 或 24-144".
std::string_view IssueExamples(const Lottery& lottery);

}  // namespace sanxing::history
