#include "shrink/pair_kill_boxes.h"

#include <cstdlib>

#include "shrink/control_reading.h"
#include "shrink/text_keys.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// The box text is scanned once for the keys it lists (`listed` picks them from the
// scan); the row is every number outside the classes of those keys. Time linear in the
// text, whatever the text holds.
template <typename Listed>
std::optional<NumberSet> KillBoxRow(const Controls& controls, std::string_view box, Listed listed,
                                    const KeyClasses& classes) {
    const std::string& text = controls.text(box);
    if (text.empty()) return std::nullopt;
    return classes.anyOf(listed(ScanTextKeys(text))).complement();
}

// A pair sum is listed as two digits and a comma; the scanned bit 10a + b is the value.
std::optional<NumberSet> PairSumRow(const Controls& controls, std::string_view box, const KeyClasses& sums) {
    return KillBoxRow(
        controls, box, [](const TextKeys& keys) { return keys.pairsBeforeComma; }, sums);
}

std::optional<NumberSet> PairCodeRow(const Controls& controls, std::string_view box, const KeyClasses& codes) {
    return KillBoxRow(
        controls, box, [](const TextKeys& keys) { return keys.pairs; }, codes);
}

// The three pair values of a number added up; the key is the total's last digit.
template <typename PairValue>
KeyClasses TotalTailClasses(PairValue value) {
    return ClassesOf([=](Digits d) { return (value(d.h, d.t) + value(d.h, d.u) + value(d.t, d.u)) % 10; });
}

std::optional<NumberSet> PairTotalRow(const Controls& controls, std::string_view box, const KeyClasses& tails) {
    return KillBoxRow(
        controls, box, [](const TextKeys& keys) { return keys.digits; }, tails);
}

}  // namespace

std::optional<NumberSet> JunkCompoundGroup(const Controls& controls) {
    const std::string& hundreds = controls.text(std::get<0>(ctl::kJunkCompoundBoxes));
    const std::string& tens = controls.text(std::get<1>(ctl::kJunkCompoundBoxes));
    const std::string& units = controls.text(std::get<2>(ctl::kJunkCompoundBoxes));
    if (hundreds.empty() || tens.empty() || units.empty()) return std::nullopt;
    // Killed: every number inside the compound, each digit listed for its position.
    const NumberSet inside = NumbersByDigitAt(1).anyOf(DigitsIn(hundreds)) & NumbersByDigitAt(2).anyOf(DigitsIn(tens)) &
                             NumbersByDigitAt(3).anyOf(DigitsIn(units));
    return inside.complement();
}

std::optional<NumberSet> HundredsTensSumGroup(const Controls& controls) {
    static const KeyClasses sums = ClassesOf([](Digits d) { return d.h + d.t; });
    return PairSumRow(controls, std::get<0>(ctl::kPairPanels).sumBox, sums);
}

std::optional<NumberSet> HundredsUnitsSumGroup(const Controls& controls) {
    static const KeyClasses sums = ClassesOf([](Digits d) { return d.h + d.u; });
    return PairSumRow(controls, std::get<1>(ctl::kPairPanels).sumBox, sums);
}

std::optional<NumberSet> TensUnitsSumGroup(const Controls& controls) {
    static const KeyClasses sums = ClassesOf([](Digits d) { return d.t + d.u; });
    return PairSumRow(controls, std::get<2>(ctl::kPairPanels).sumBox, sums);
}

std::optional<NumberSet> HundredsTensCodeGroup(const Controls& controls) {
    static const KeyClasses codes = ClassesOf([](Digits d) { return d.h * 10 + d.t; });
    return PairCodeRow(controls, std::get<0>(ctl::kPairPanels).codeBox, codes);
}

std::optional<NumberSet> HundredsUnitsCodeGroup(const Controls& controls) {
    static const KeyClasses codes = ClassesOf([](Digits d) { return d.h * 10 + d.u; });
    return PairCodeRow(controls, std::get<1>(ctl::kPairPanels).codeBox, codes);
}

std::optional<NumberSet> TensUnitsCodeGroup(const Controls& controls) {
    static const KeyClasses codes = ClassesOf([](Digits d) { return d.t * 10 + d.u; });
    return PairCodeRow(controls, std::get<2>(ctl::kPairPanels).codeBox, codes);
}

std::optional<NumberSet> PairSpanTotalGroup(const Controls& controls) {
    static const KeyClasses tails = TotalTailClasses([](int a, int b) { return std::abs(a - b); });
    return PairTotalRow(controls, ctl::kPairSpanTotal, tails);
}

std::optional<NumberSet> PairSumTailTotalGroup(const Controls& controls) {
    static const KeyClasses tails = TotalTailClasses([](int a, int b) { return (a + b) % 10; });
    return PairTotalRow(controls, ctl::kPairSumTailTotal, tails);
}

std::optional<NumberSet> PairProductTailTotalGroup(const Controls& controls) {
    static const KeyClasses tails = TotalTailClasses([](int a, int b) { return a * b % 10; });
    return PairTotalRow(controls, ctl::kPairProductTotal, tails);
}

}  // namespace sanxing
