#include "shrink/pair_kill_boxes.h"

#include <cstdlib>

#include "shrink/control_reading.h"

namespace sanxing {

namespace {

// The box text is scanned once for the keys it lists (`scan`), then each number is a
// bit test: time linear in the text, whatever the text holds.
template <typename KeyOf>
std::optional<NumberSet> KillBoxRow(const Controls& controls, std::string_view box, KeySet (*scan)(std::string_view),
                                    KeyOf keyOf) {
    const std::string& text = controls.text(box);
    if (text.empty()) return std::nullopt;
    const KeySet killed = scan(text);
    return NumberSet::Where([&](int n) { return !killed.test(static_cast<std::size_t>(keyOf(Digits(n)))); });
}

// A pair sum is listed as two digits and a comma; the scanned bit 10a + b is the value.
template <typename SumOf>
std::optional<NumberSet> PairSumRow(const Controls& controls, std::string_view box, SumOf sumOf) {
    return KillBoxRow(controls, box, DigitPairsBeforeCommaIn, sumOf);
}

template <typename CodeOf>
std::optional<NumberSet> PairCodeRow(const Controls& controls, std::string_view box, CodeOf codeOf) {
    return KillBoxRow(controls, box, DigitPairsIn, codeOf);
}

// The three pair values of a number added up; the key is the total's last digit.
template <typename PairValue>
std::optional<NumberSet> PairTotalRow(const Controls& controls, std::string_view box, PairValue value) {
    return KillBoxRow(controls, box, DigitsIn,
                      [&](Digits d) { return (value(d.h, d.t) + value(d.h, d.u) + value(d.t, d.u)) % 10; });
}

}  // namespace

std::optional<NumberSet> JunkCompoundGroup(const Controls& controls) {
    const std::string& hundreds = controls.text("垃圾复试_百位");
    const std::string& tens = controls.text("垃圾复试_十位");
    const std::string& units = controls.text("垃圾复试_个位");
    if (hundreds.empty() || tens.empty() || units.empty()) return std::nullopt;
    const KeySet h = DigitsIn(hundreds), t = DigitsIn(tens), u = DigitsIn(units);
    return NumberSet::Where([&](int n) {
        const Digits d(n);
        const bool insideCompound = h.test(static_cast<std::size_t>(d.h)) && t.test(static_cast<std::size_t>(d.t)) &&
                                    u.test(static_cast<std::size_t>(d.u));
        return !insideCompound;
    });
}

std::optional<NumberSet> HundredsTensSumGroup(const Controls& controls) {
    return PairSumRow(controls, "编辑框_百十和值", [](Digits d) { return d.h + d.t; });
}

std::optional<NumberSet> HundredsUnitsSumGroup(const Controls& controls) {
    return PairSumRow(controls, "编辑框_百个和值", [](Digits d) { return d.h + d.u; });
}

std::optional<NumberSet> TensUnitsSumGroup(const Controls& controls) {
    return PairSumRow(controls, "编辑框_十个和值", [](Digits d) { return d.t + d.u; });
}

std::optional<NumberSet> HundredsTensCodeGroup(const Controls& controls) {
    return PairCodeRow(controls, "编辑框_百十两码", [](Digits d) { return d.h * 10 + d.t; });
}

std::optional<NumberSet> HundredsUnitsCodeGroup(const Controls& controls) {
    return PairCodeRow(controls, "编辑框_百个两码", [](Digits d) { return d.h * 10 + d.u; });
}

std::optional<NumberSet> TensUnitsCodeGroup(const Controls& controls) {
    return PairCodeRow(controls, "编辑框_十个两码", [](Digits d) { return d.t * 10 + d.u; });
}

std::optional<NumberSet> PairSpanTotalGroup(const Controls& controls) {
    return PairTotalRow(controls, "编辑框_两码总跨度", [](int a, int b) { return std::abs(a - b); });
}

std::optional<NumberSet> PairSumTailTotalGroup(const Controls& controls) {
    return PairTotalRow(controls, "编辑框_两码总合尾", [](int a, int b) { return (a + b) % 10; });
}

std::optional<NumberSet> PairProductTailTotalGroup(const Controls& controls) {
    return PairTotalRow(controls, "编辑框_两码总积数", [](int a, int b) { return a * b % 10; });
}

}  // namespace sanxing
