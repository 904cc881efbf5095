#include "shrink/key_panels.h"

#include <algorithm>

#include "shrink/control_reading.h"

namespace sanxing {

std::optional<NumberSet> SumTailGroup(const Controls& controls) {
    static const KeyClasses byKey = ClassesOf([](Digits d) { return (d.h + d.t + d.u) % 10; });
    return TickedKeyRow(controls, ctl::kSumTailDigits, byKey);
}

std::optional<NumberSet> SpanGroup(const Controls& controls) {
    static const KeyClasses byKey = ClassesOf([](Digits d) {
        return std::max({d.h, d.t, d.u}) - std::min({d.h, d.t, d.u});
    });
    return TickedKeyRow(controls, ctl::kSpanDigits, byKey);
}

std::optional<NumberSet> SumGroup(const Controls& controls) {
    static const KeyClasses byKey = ClassesOf([](Digits d) { return d.h + d.t + d.u; });
    return TickedKeyRow(controls, ctl::kSumBoxes, byKey);
}

std::optional<NumberSet> FixedSumChangeGroup(const Controls& controls) {
    static const KeyClasses byKey = ClassesOf([](Digits d) { return (d.h + 2 * d.t + d.u) % 10; });
    return TickedKeyRow(controls, ctl::kFixedSumChangeDigits, byKey);
}

// The panel is named after h × t + u, so that is its key; (h + 2t + u) mod 10 would only
// repeat the fixed-sum-change panel.
std::optional<NumberSet> FixedSumProductGroup(const Controls& controls) {
    static const KeyClasses byKey = ClassesOf([](Digits d) { return (d.h * d.t + d.u) % 10; });
    return TickedKeyRow(controls, ctl::kFixedSumProductDigits, byKey);
}

}  // namespace sanxing
