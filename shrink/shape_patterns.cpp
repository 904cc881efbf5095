#include "shrink/shape_patterns.h"

#include <array>

#include "shrink/control_reading.h"

namespace sanxing {

namespace {

bool IsForwardSequence(Digits d) { return d.t == (d.h + 1) % 10 && d.u == (d.h + 2) % 10; }
bool IsReverseSequence(Digits d) { return d.t == (d.h + 9) % 10 && d.u == (d.h + 8) % 10; }
bool IsTriple(Digits d) { return d.h == d.t && d.t == d.u; }
int DistinctDigits(Digits d) { return 1 + (d.t != d.h) + (d.u != d.h && d.u != d.t); }
bool IsGroupThree(Digits d) { return DistinctDigits(d) == 2; }
bool IsGroupSix(Digits d) { return DistinctDigits(d) == 3; }

struct ShapeBox {
    std::string_view name;
    bool (*holds)(Digits);
};

constexpr std::array<ShapeBox, 5> kShapeBoxes = {{
    {"选择框_正顺", IsForwardSequence},
    {"选择框_反顺", IsReverseSequence},
    {"选择框_豹子", IsTriple},
    {"选择框_组三", IsGroupThree},
    {"选择框_组六", IsGroupSix},
}};

// Box names of a per-position pattern panel in key order: the class of h, t and u, each
// 0..classes-1, form the key h·classes² + t·classes + u; the box name is the prefix and
// the three class names.
std::vector<std::string> PatternNames(std::string_view prefix, std::span<const std::string_view> classNames) {
    std::vector<std::string> names;
    for (const std::string_view a : classNames) {
        for (const std::string_view b : classNames) {
            for (const std::string_view c : classNames) {
                names.push_back(std::string(prefix).append(a).append(b).append(c));
            }
        }
    }
    return names;
}

template <typename ClassOf>
std::optional<NumberSet> PatternRow(const Controls& controls, std::string_view prefix,
                                    std::span<const std::string_view> classNames, ClassOf classOf) {
    const std::vector<std::string> names = PatternNames(prefix, classNames);
    const int base = static_cast<int>(classNames.size());
    return TickedKeyRow(controls, names, [&](int n) {
        const Digits d(n);
        return (classOf(d.h) * base + classOf(d.t)) * base + classOf(d.u);
    });
}

// Bit 10a + b (and 10b + a) is set while the box of the digit pair {a, b} is ticked.
KeySet TickedCodes(const Controls& controls) {
    KeySet ticked;
    for (int a = 0; a <= 9; ++a) {
        for (int b = a; b <= 9; ++b) {
            if (!controls.ticked("选择框_两码" + std::to_string(a) + std::to_string(b))) continue;
            ticked.set(static_cast<std::size_t>(a * 10 + b));
            ticked.set(static_cast<std::size_t>(b * 10 + a));
        }
    }
    return ticked;
}

}  // namespace

std::optional<NumberSet> ShapeGroup(const Controls& controls) {
    std::vector<bool (*)(Digits)> excluded;
    for (const ShapeBox& box : kShapeBoxes) {
        if (!controls.ticked(box.name)) excluded.push_back(box.holds);
    }
    if (excluded.empty()) return std::nullopt;
    // Excluded by number: a number fails only when it belongs to an unticked set itself.
    return NumberSet::Where([&](int n) {
        const Digits d(n);
        for (const auto holds : excluded) {
            if (holds(d)) return false;
        }
        return true;
    });
}

std::optional<NumberSet> RoadPatternGroup(const Controls& controls) {
    static constexpr std::string_view kRoads[] = {"0", "1", "2"};
    return PatternRow(controls, "选择框_三星路", kRoads, [](int digit) { return digit % 3; });
}

std::optional<NumberSet> OddEvenPatternGroup(const Controls& controls) {
    static constexpr std::string_view kClasses[] = {"双", "单"};
    return PatternRow(controls, "选择框_", kClasses, [](int digit) { return digit % 2; });
}

std::optional<NumberSet> BigSmallPatternGroup(const Controls& controls) {
    static constexpr std::string_view kClasses[] = {"小", "大"};
    return PatternRow(controls, "选择框_", kClasses, [](int digit) { return digit >= 5 ? 1 : 0; });
}

std::optional<NumberSet> TwoDigitCodeGroup(const Controls& controls) {
    const KeySet ticked = TickedCodes(controls);
    if (ticked.all()) return std::nullopt;
    return NumberSet::Where([&](int n) {
        const Digits d(n);
        return ticked.test(static_cast<std::size_t>(d.h * 10 + d.t)) &&
               ticked.test(static_cast<std::size_t>(d.h * 10 + d.u)) &&
               ticked.test(static_cast<std::size_t>(d.t * 10 + d.u));
    });
}

}  // namespace sanxing
