#pragma once
// The pair value boxes and the junk base: single edit boxes listing values to kill. A
// number fails when its key (a value of its digit pairs, or the number itself for the
// junk base) occurs in the box text as a plain substring. An empty box is inactive; any
// other content, even a lone space, makes the group active.

#include <optional>

#include "numbers/number_set.h"
#include "runtime/controls.h"

namespace sanxing {

// 编辑框_两码总跨度和值: |h-t| + |h-u| + |t-u| as two digits followed by ",".
std::optional<NumberSet> PairSpanTotalSumBox(const Controls& controls);
// 编辑框_两码总合尾和值: (h+t)%10 + (h+u)%10 + (t+u)%10 as two digits.
std::optional<NumberSet> PairTailTotalSumBox(const Controls& controls);
// 编辑框_两码总积数和值: (h*t)%10 + (h*u)%10 + (t*u)%10 as two digits.
std::optional<NumberSet> PairProductTotalSumBox(const Controls& controls);

// 编辑框_百十跨度, 编辑框_百个跨度, 编辑框_十个跨度: the pair's span as one digit.
std::optional<NumberSet> HundredsTensSpanBox(const Controls& controls);
std::optional<NumberSet> HundredsUnitsSpanBox(const Controls& controls);
std::optional<NumberSet> TensUnitsSpanBox(const Controls& controls);

// 编辑框_百十合尾, 编辑框_百个合尾, 编辑框_十个合尾: the pair's sum tail as one digit.
std::optional<NumberSet> HundredsTensSumTailBox(const Controls& controls);
std::optional<NumberSet> HundredsUnitsSumTailBox(const Controls& controls);
std::optional<NumberSet> TensUnitsSumTailBox(const Controls& controls);

// 编辑框_垃圾大底: every number written in the box fails.
std::optional<NumberSet> JunkBaseBox(const Controls& controls);

}  // namespace sanxing
