#pragma once
// ApplyLineTolerance: the tolerance step of the multi-line condition boxes. Each line of a
// box has a pass set; a number violates a line its pass set leaves out, and the box passes
// the numbers whose count of violated lines lies in the box's tolerance range ("a-b";
// any other text counts as "0-0").

#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

#include "numbers/number_set.h"
#include "numbers/violation_counts.h"

namespace sanxing {

NumberSet ApplyLineTolerance(const ViolationCounter& violations, std::string_view tolerance);
NumberSet ApplyLineTolerance(std::span<const NumberSet> linePassSets, std::string_view tolerance);

// Violation counts of lines described by keys: a line's pass set depends only on its key,
// so lines that share a key are counted together and `passing(key)` is built once per
// distinct key.
template <typename Key, typename Passing>
ViolationCounter CountLineViolations(std::vector<Key> lineKeys, Passing&& passing) {
    std::sort(lineKeys.begin(), lineKeys.end());
    ViolationCounter violations;
    for (std::size_t first = 0; first < lineKeys.size();) {
        std::size_t end = first + 1;
        while (end < lineKeys.size() && lineKeys[end] == lineKeys[first]) ++end;
        violations.addMissing(passing(lineKeys[first]), end - first);
        first = end;
    }
    return violations;
}

}  // namespace sanxing
