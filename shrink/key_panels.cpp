#include "shrink/key_panels.h"

#include <algorithm>

#include "shrink/control_reading.h"

namespace sanxing {

std::optional<NumberSet> SumTailGroup(const Controls& controls) {
    static const std::vector<std::string> names = NumberedNames("选择框_合尾", 10, 1);
    static const KeyClasses byKey = ClassesOf([](Digits d) { return (d.h + d.t + d.u) % 10; });
    return TickedKeyRow(controls, names, byKey);
}

std::optional<NumberSet> SpanGroup(const Controls& controls) {
    static const std::vector<std::string> names = NumberedNames("选择框_跨度", 10, 1);
    static const KeyClasses byKey = ClassesOf([](Digits d) {
        return std::max({d.h, d.t, d.u}) - std::min({d.h, d.t, d.u});
    });
    return TickedKeyRow(controls, names, byKey);
}

std::optional<NumberSet> SumGroup(const Controls& controls) {
    static const std::vector<std::string> names = NumberedNames("选择框_合值", 28, 2);
    static const KeyClasses byKey = ClassesOf([](Digits d) { return d.h + d.t + d.u; });
    return TickedKeyRow(controls, names, byKey);
}

std::optional<NumberSet> FixedSumChangeGroup(const Controls& controls) {
    static const std::vector<std::string> names = NumberedNames("选择框_定合变", 10, 1);
    static const KeyClasses byKey = ClassesOf([](Digits d) { return (d.h + 2 * d.t + d.u) % 10; });
    return TickedKeyRow(controls, names, byKey);
}

// The panel is named after h × t + u, so that is its key; (h + 2t + u) mod 10 would only
// repeat the fixed-sum-change panel.
std::optional<NumberSet> FixedSumProductGroup(const Controls& controls) {
    static const std::vector<std::string> names = NumberedNames("选择框_定合积", 10, 1);
    static const KeyClasses byKey = ClassesOf([](Digits d) { return (d.h * d.t + d.u) % 10; });
    return TickedKeyRow(controls, names, byKey);
}

}  // namespace sanxing
