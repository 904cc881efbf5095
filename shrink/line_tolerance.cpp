#include "shrink/line_tolerance.h"

#include "numbers/tolerance.h"

namespace sanxing {

NumberSet ApplyLineTolerance(const ViolationCounter& violations, std::string_view tolerance) {
    const ToleranceRange range = ToleranceRange::FromText(tolerance);
    return violations.countsBetween(range.low, range.high);
}

NumberSet ApplyLineTolerance(std::span<const NumberSet> linePassSets, std::string_view tolerance) {
    ViolationCounter violations;
    for (const NumberSet& passing : linePassSets) violations.addMissing(passing);
    return ApplyLineTolerance(violations, tolerance);
}

}  // namespace sanxing
