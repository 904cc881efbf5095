#pragma once
// Banker-digit panels 1 to 3: banker digits 选择框_胆N码0..9 and allowed counts
// 选择框_胆N出0..3 (none to three of them), all starting unticked. A number passes when
// the number of distinct banker digits that occur in it is a ticked count. A panel is
// active when 出1, 出2 or 出3 is ticked, or 出0 is ticked with at least one banker digit.

#include <optional>

#include "numbers/number_set.h"
#include "runtime/controls.h"

namespace sanxing {

std::optional<NumberSet> BankerGroup1(const Controls& controls);
std::optional<NumberSet> BankerGroup2(const Controls& controls);
std::optional<NumberSet> BankerGroup3(const Controls& controls);

}  // namespace sanxing
