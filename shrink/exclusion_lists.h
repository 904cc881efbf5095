#pragma once
// The eleven exclusion lists: a multi-line box with one small condition per line and a
// tolerance combo saying how many lines a number may violate and still pass the list.
// A list is inactive while its box is empty or holds exactly its hint text.
//
// A line's pass set depends only on a small summary of the line (the digits in it, the
// two-digit texts in it, or the three digit sets of a shape line), its key. Lines are
// summarised in one scan each, and pass sets are built once per distinct key.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "numbers/number_set.h"
#include "runtime/controls.h"
#include "window/control_names.h"

namespace sanxing {

using LineKey = std::uint64_t;

struct ExclusionList {
    std::string_view box;
    std::string_view toleranceCombo;
    LineKey (*lineKey)(std::string_view line);  // what of a line the list's test looks at
    NumberSet (*passing)(LineKey key);          // the numbers that pass a line with that key
};

// The lists in run order, 杀百位 first, 杀二码组合 last.
std::span<const ExclusionList> ExclusionLists();

// The list whose box is `box`; throws std::out_of_range for any other name.
const ExclusionList& ExclusionListFor(std::string_view box);

// LineTest of a list over the universe: the numbers that pass one line.
NumberSet LineTest(const ExclusionList& list, std::string_view line);

// The list's row, or nothing while it is inactive.
std::optional<NumberSet> EvaluateExclusionList(const ExclusionList& list, const Controls& controls);

// The condition group of the list whose controls are `Boxes`: a row of the group table
// names the list's controls and needs no function of its own.
template <const ctl::ExclusionListBoxes& Boxes>
std::optional<NumberSet> ExclusionListGroup(const Controls& controls) {
    static const ExclusionList& list = ExclusionListFor(Boxes.box);
    return EvaluateExclusionList(list, controls);
}

}  // namespace sanxing
