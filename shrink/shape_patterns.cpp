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

// The key of a number in a pattern panel: the classes of h, t and u as a number in base
// `base`, which is the index of its box in PatternNames order.
template <typename ClassOf>
KeyClasses PatternClasses(int base, ClassOf classOf) {
    return ClassesOf([=](Digits d) { return (classOf(d.h) * base + classOf(d.t)) * base + classOf(d.u); });
}

// Bit 10a + b (and 10b + a) is set while the box of the digit pair {a, b} is ticked.
KeySet TickedCodes(const Controls& controls) {
    struct CodeBox {
        std::string name;
        std::size_t key, swapped;
    };
    static const std::vector<CodeBox> boxes = [] {
        std::vector<CodeBox> list;
        for (int a = 0; a <= 9; ++a) {
            for (int b = a; b <= 9; ++b) {
                list.push_back({"选择框_两码" + std::to_string(a) + std::to_string(b),
                                static_cast<std::size_t>(a * 10 + b), static_cast<std::size_t>(b * 10 + a)});
            }
        }
        return list;
    }();
    KeySet ticked;
    for (const CodeBox& box : boxes) {
        if (!controls.ticked(box.name)) continue;
        ticked.set(box.key);
        ticked.set(box.swapped);
    }
    return ticked;
}

}  // namespace

std::optional<NumberSet> ShapeGroup(const Controls& controls) {
    static const std::array<NumberSet, kShapeBoxes.size()> shapes = [] {
        std::array<NumberSet, kShapeBoxes.size()> sets;
        for (std::size_t i = 0; i < sets.size(); ++i) {
            sets[i] = NumberSet::Where([&](int n) { return kShapeBoxes[i].holds(Digits(n)); });
        }
        return sets;
    }();
    // Excluded by number: a number fails only when it belongs to an unticked set itself.
    NumberSet excluded;
    bool active = false;
    for (std::size_t i = 0; i < kShapeBoxes.size(); ++i) {
        if (controls.ticked(kShapeBoxes[i].name)) continue;
        excluded |= shapes[i];
        active = true;
    }
    if (!active) return std::nullopt;
    return excluded.complement();
}

std::optional<NumberSet> RoadPatternGroup(const Controls& controls) {
    static constexpr std::string_view kRoads[] = {"0", "1", "2"};
    static const std::vector<std::string> names = PatternNames("选择框_三星路", kRoads);
    static const KeyClasses byPattern = PatternClasses(3, [](int digit) { return digit % 3; });
    return TickedKeyRow(controls, names, byPattern);
}

std::optional<NumberSet> OddEvenPatternGroup(const Controls& controls) {
    static constexpr std::string_view kClasses[] = {"双", "单"};
    static const std::vector<std::string> names = PatternNames("选择框_", kClasses);
    static const KeyClasses byPattern = PatternClasses(2, [](int digit) { return digit % 2; });
    return TickedKeyRow(controls, names, byPattern);
}

std::optional<NumberSet> BigSmallPatternGroup(const Controls& controls) {
    static constexpr std::string_view kClasses[] = {"小", "大"};
    static const std::vector<std::string> names = PatternNames("选择框_", kClasses);
    static const KeyClasses byPattern = PatternClasses(2, [](int digit) { return digit >= 5 ? 1 : 0; });
    return TickedKeyRow(controls, names, byPattern);
}

std::optional<NumberSet> TwoDigitCodeGroup(const Controls& controls) {
    static const KeyClasses byHundredsTens = ClassesOf([](Digits d) { return d.h * 10 + d.t; });
    static const KeyClasses byHundredsUnits = ClassesOf([](Digits d) { return d.h * 10 + d.u; });
    static const KeyClasses byTensUnits = ClassesOf([](Digits d) { return d.t * 10 + d.u; });
    const KeySet unticked = ~TickedCodes(controls);
    if (unticked.none()) return std::nullopt;
    // A number fails when any of its three digit pairs has its box unticked.
    const NumberSet failing =
        byHundredsTens.anyOf(unticked) | byHundredsUnits.anyOf(unticked) | byTensUnits.anyOf(unticked);
    return failing.complement();
}

}  // namespace sanxing
