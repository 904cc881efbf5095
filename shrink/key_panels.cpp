#include "shrink/key_panels.h"

#include <algorithm>

#include "shrink/control_reading.h"

namespace sanxing {

namespace {

template <typename KeyOf>
std::optional<NumberSet> DigitKeyRow(const Controls& controls, std::string_view prefix, KeyOf keyOf) {
    const std::vector<std::string> names = NumberedNames(prefix, 10, 1);
    return TickedKeyRow(controls, names, [&](int n) { return keyOf(Digits(n)); });
}

}  // namespace

std::optional<NumberSet> SumTailGroup(const Controls& controls) {
    return DigitKeyRow(controls, "选择框_合尾", [](Digits d) { return (d.h + d.t + d.u) % 10; });
}

std::optional<NumberSet> SpanGroup(const Controls& controls) {
    return DigitKeyRow(controls, "选择框_跨度", [](Digits d) {
        return std::max({d.h, d.t, d.u}) - std::min({d.h, d.t, d.u});
    });
}

std::optional<NumberSet> SumGroup(const Controls& controls) {
    const std::vector<std::string> names = NumberedNames("选择框_合值", 28, 2);
    return TickedKeyRow(controls, names, [](int n) {
        const Digits d(n);
        return d.h + d.t + d.u;
    });
}

std::optional<NumberSet> FixedSumChangeGroup(const Controls& controls) {
    return DigitKeyRow(controls, "选择框_定合变", [](Digits d) { return (d.h + 2 * d.t + d.u) % 10; });
}

// The panel is named after h × t + u, so that is its key; (h + 2t + u) mod 10 would only
// repeat the fixed-sum-change panel.
std::optional<NumberSet> FixedSumProductGroup(const Controls& controls) {
    return DigitKeyRow(controls, "选择框_定合积", [](Digits d) { return (d.h * d.t + d.u) % 10; });
}

}  // namespace sanxing
