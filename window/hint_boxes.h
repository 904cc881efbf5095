#pragma once
// The boxes that show a hint text while they hold no entries: the exclusion lists and the
// segment box. The control table gives them their hints, the bindings take the hint out
// on focus and put it back on leave, and the shrink run reads a box showing it as empty.

#include <array>
#include <string_view>

#include "runtime/hint_texts.h"
#include "window/control_names.h"

namespace sanxing {

struct HintBox {
    ctl::Name box;
    std::string_view hint;
};

inline constexpr std::array<HintBox, 12> kHintBoxes = {{
    {ctl::kKillHundreds.box, kNumbersHint},
    {ctl::kKillTens.box, kNumbersHint},
    {ctl::kKillUnits.box, kNumbersHint},
    {ctl::kKillShapes.box, kShapesHint},
    {ctl::kKillPositional.box, kNumbersHint},
    {ctl::kKillCompound.box, kNumbersHint},
    {ctl::kKillSumTail.box, kNumbersHint},
    {ctl::kKillSpan.box, kNumbersHint},
    {ctl::kBankerDigitGroups.box, kNumbersHint},
    {ctl::kSegments, kSegmentHint},
    {ctl::kKillSum.box, kConditionsHint},
    {ctl::kKillPairCombinations.box, kConditionsHint},
}};

// The hint of a box, or an empty view for a box without one.
constexpr std::string_view HintFor(std::string_view box) {
    for (const HintBox& entry : kHintBoxes) {
        if (entry.box == box) return entry.hint;
    }
    return {};
}

}  // namespace sanxing
