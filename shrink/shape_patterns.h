#pragma once
// Panels whose boxes each stand for a set of numbers; all boxes start ticked, and the
// numbers of the unticked sets fail.
//   shape              选择框_正顺 反顺 豹子 组三 组六 (a number in several sets fails as
//                      soon as one of them is unticked)
//   0/1/2 road         选择框_三星路000..222: the roads (digit mod 3) of h, t, u
//   two-digit codes    选择框_两码ab (a ≤ b): a number fails when the box of any of its
//                      three digit pairs {h,t}, {h,u}, {t,u} is unticked
//   odd/even           选择框_单单单..双双双: odd (单) or even (双) per position
//   big/small          选择框_大大大..小小小: big (大, 5-9) or small (小, 0-4) per position

#include <optional>

#include "numbers/number_set.h"
#include "runtime/controls.h"

namespace sanxing {

std::optional<NumberSet> ShapeGroup(const Controls& controls);
std::optional<NumberSet> RoadPatternGroup(const Controls& controls);
std::optional<NumberSet> TwoDigitCodeGroup(const Controls& controls);
std::optional<NumberSet> OddEvenPatternGroup(const Controls& controls);
std::optional<NumberSet> BigSmallPatternGroup(const Controls& controls);

}  // namespace sanxing
