#pragma once
// Positional digit filter: for each of the three positions, the digits allowed there.
// Boxes 选择框_百位0..9, 选择框_十位0..9, 选择框_个位0..9 start ticked (allowed); a
// position with an unticked box passes the numbers whose digit there is ticked.

#include <optional>

#include "numbers/number_set.h"
#include "runtime/controls.h"

namespace sanxing {

std::optional<NumberSet> HundredsDigitGroup(const Controls& controls);
std::optional<NumberSet> TensDigitGroup(const Controls& controls);
std::optional<NumberSet> UnitsDigitGroup(const Controls& controls);

}  // namespace sanxing
