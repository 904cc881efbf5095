#pragma once
// The segment groups (段组): each line names three segments of digits, "123-456-789", and
// a line tolerance bounding how many of the three segments a number may miss (hold none
// of the segment's digits). The line tolerance follows an "=" on the line
// ("123-456-789=0-1") or else comes from 组合框_段组; the list tolerance of
// 组合框_段组容错 bounds how many lines a number may fail.

#include <optional>
#include <string_view>

#include "numbers/number_set.h"
#include "runtime/controls.h"

namespace sanxing {

// The numbers that pass one group text under a line tolerance; none when the group text
// does not split at "-" into exactly three segments.
NumberSet SegmentLinePassList(std::string_view groupText, std::string_view lineTolerance);

// The condition group: inactive while 段组 is empty, has no "-", or still holds the
// whole segment hint.
std::optional<NumberSet> SegmentGroups(const Controls& controls);

}  // namespace sanxing
