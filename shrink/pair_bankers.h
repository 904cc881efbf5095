#pragma once
// Check-box groups over digit pairs. The pair banker groups count how many of a pair's
// two digits are ticked bankers and keep the numbers that the rule picked in the pair's
// combo allows (the rule is the selected position: 0-0, 0-1, 0-2, 1-1, 1-2; none selected
// keeps no number). The two-pair sum groups count how many of two pair-sum tails are
// among the ticked digits and keep the numbers whose count has its "必出" box ticked.
// Every group is inactive while none of its ten digit boxes is ticked.

#include <optional>

#include "numbers/number_set.h"
#include "runtime/controls.h"

namespace sanxing {

std::optional<NumberSet> HundredsTensBanker(const Controls& controls);
std::optional<NumberSet> HundredsUnitsBanker(const Controls& controls);
std::optional<NumberSet> TensUnitsBanker(const Controls& controls);

std::optional<NumberSet> HundredsTensWithHundredsUnitsSums(const Controls& controls);
std::optional<NumberSet> HundredsTensWithTensUnitsSums(const Controls& controls);
std::optional<NumberSet> HundredsUnitsWithTensUnitsSums(const Controls& controls);

}  // namespace sanxing
