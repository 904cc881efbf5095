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
    {ctl::kForwardSequence, IsForwardSequence},
    {ctl::kReverseSequence, IsReverseSequence},
    {ctl::kTriple, IsTriple},
    {ctl::kGroupThree, IsGroupThree},
    {ctl::kGroupSix, IsGroupSix},
}};

// The key of a number in a pattern panel: the classes of h, t and u (each 0..base-1) as a
// number in base `base`, which is the index of its box in the panel's family.
template <typename ClassOf>
KeyClasses PatternClasses(int base, ClassOf classOf) {
    return ClassesOf([=](Digits d) { return (classOf(d.h) * base + classOf(d.t)) * base + classOf(d.u); });
}

// Bit 10a + b (and 10b + a) is set while the box of the digit pair {a, b} is ticked.
KeySet TickedCodes(const Controls& controls) {
    KeySet ticked;
    std::size_t box = 0;
    for (std::size_t a = 0; a <= 9; ++a) {
        for (std::size_t b = a; b <= 9; ++b) {
            if (!controls.ticked(ctl::kPairCodeBoxes[box++])) continue;
            ticked.set(a * 10 + b);
            ticked.set(b * 10 + a);
        }
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
    static const KeyClasses byPattern = PatternClasses(3, [](int digit) { return digit % 3; });
    return TickedKeyRow(controls, ctl::kRoadBoxes, byPattern);
}

std::optional<NumberSet> OddEvenPatternGroup(const Controls& controls) {
    static const KeyClasses byPattern = PatternClasses(2, [](int digit) { return digit % 2; });
    return TickedKeyRow(controls, ctl::kOddEvenBoxes, byPattern);
}

std::optional<NumberSet> BigSmallPatternGroup(const Controls& controls) {
    static const KeyClasses byPattern = PatternClasses(2, [](int digit) { return digit >= 5 ? 1 : 0; });
    return TickedKeyRow(controls, ctl::kBigSmallBoxes, byPattern);
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
