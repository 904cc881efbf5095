#pragma once
// The hint texts of the exclusion-list boxes: taken out when the box gains the focus
// while showing it, put back when the box loses the focus empty. Any other text stays.

#include <string_view>

#include "runtime/controls.h"

namespace sanxing {

void RemoveHintOnFocus(Controls& controls, std::string_view box);
void RestoreHintOnLeave(Controls& controls, std::string_view box);

}  // namespace sanxing
