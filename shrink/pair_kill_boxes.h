#pragma once
// Edit-box groups that kill numbers by keys typed into a box; a box holding any text is
// active, and the numbers whose key occurs in the text as a substring fail.
//   junk compound   垃圾复试_百位/十位/个位: active only when all three hold text; kills
//                   the numbers whose h, t and u each occur in their position's box
//   pair sums       编辑框_百十和值/百个和值/十个和值: the pair's sum as two digits and a
//                   comma ("05,"), so 5 never matches inside ",15,"
//   pair codes      编辑框_百十两码/百个两码/十个两码: the pair's two digits side by side
//                   (a run "3570" lists 35, 57 and 70)
//   pair totals     编辑框_两码总跨度/两码总合尾/两码总积数: the last digit of the total of
//                   the three pair spans, pair sum tails or pair product tails

#include <optional>

#include "numbers/number_set.h"
#include "runtime/controls.h"

namespace sanxing {

std::optional<NumberSet> JunkCompoundGroup(const Controls& controls);
std::optional<NumberSet> HundredsTensSumGroup(const Controls& controls);
std::optional<NumberSet> HundredsUnitsSumGroup(const Controls& controls);
std::optional<NumberSet> TensUnitsSumGroup(const Controls& controls);
std::optional<NumberSet> HundredsTensCodeGroup(const Controls& controls);
std::optional<NumberSet> HundredsUnitsCodeGroup(const Controls& controls);
std::optional<NumberSet> TensUnitsCodeGroup(const Controls& controls);
std::optional<NumberSet> PairSpanTotalGroup(const Controls& controls);
std::optional<NumberSet> PairSumTailTotalGroup(const Controls& controls);
std::optional<NumberSet> PairProductTailTotalGroup(const Controls& controls);

}  // namespace sanxing
