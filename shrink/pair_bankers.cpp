#include "shrink/pair_bankers.h"

#include <array>
#include <bitset>

#include "numbers/set_text.h"
#include "shrink/numbers_by_key.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// The digits whose box is ticked.
std::bitset<10> TickedDigits(const Controls& controls, const ctl::DigitBoxes& boxes) {
    std::bitset<10> digits;
    for (std::size_t d = 0; d < boxes.size(); ++d) digits[d] = controls.ticked(boxes[d]);
    return digits;
}

// Which banker counts (0, 1, 2) each rule position allows.
constexpr std::array<std::array<bool, 3>, 5> kBankerRules = {{
    {true, false, false},  // 0-0
    {true, true, false},   // 0-1
    {true, true, true},    // 0-2
    {false, true, false},  // 1-1
    {false, true, true},   // 1-2
}};

// The numbers n for which [n in a] + [n in b] is a count that `allowed` admits.
NumberSet WhereMemberships(const NumberSet& a, const NumberSet& b, const std::array<bool, 3>& allowed) {
    NumberSet passing;
    if (allowed[0]) passing |= (a | b).complement();
    if (allowed[1]) passing |= (a | b) & (a & b).complement();
    if (allowed[2]) passing |= a & b;
    return passing;
}

// A pair banker group over the digits at positions P and Q.
template <int P, int Q>
std::optional<NumberSet> PairBanker(const Controls& controls, const ctl::PairPanel& pair) {
    const std::bitset<10> bankers = TickedDigits(controls, pair.bankers);
    if (bankers.none()) return std::nullopt;
    const int rule = controls.selectedIndex(pair.bankerRule);
    if (rule < 0 || rule >= static_cast<int>(kBankerRules.size())) return NumberSet{};
    return WhereMemberships(NumbersByDigitAt(P).anyOf(bankers), NumbersByDigitAt(Q).anyOf(bankers), kBankerRules[rule]);
}

// Numbers by the sum tail of their digits at positions P and Q.
template <int P, int Q>
const NumbersByKey<10>& NumbersBySumTail() {
    static const NumbersByKey<10> filed = FileByKey<10>([](int n) { return (Digit(n, P) + Digit(n, Q)) % 10; });
    return filed;
}

// A two-pair sum group over the sum tails of the pairs (P1, Q1) and (P2, Q2).
template <int P1, int Q1, int P2, int Q2>
std::optional<NumberSet> TwoPairSums(const Controls& controls, const ctl::PairSumPanel& panel) {
    const std::bitset<10> digits = TickedDigits(controls, panel.digits);
    if (digits.none()) return std::nullopt;
    std::array<bool, 3> mustShow{};
    for (std::size_t c = 0; c < mustShow.size(); ++c) mustShow[c] = controls.ticked(panel.mustShow[c]);
    return WhereMemberships(NumbersBySumTail<P1, Q1>().anyOf(digits), NumbersBySumTail<P2, Q2>().anyOf(digits),
                            mustShow);
}

}  // namespace

std::optional<NumberSet> HundredsTensBanker(const Controls& c) {
    return PairBanker<1, 2>(c, std::get<0>(ctl::kPairPanels));
}
std::optional<NumberSet> HundredsUnitsBanker(const Controls& c) {
    return PairBanker<1, 3>(c, std::get<1>(ctl::kPairPanels));
}
std::optional<NumberSet> TensUnitsBanker(const Controls& c) {
    return PairBanker<2, 3>(c, std::get<2>(ctl::kPairPanels));
}

std::optional<NumberSet> HundredsTensWithHundredsUnitsSums(const Controls& c) {
    return TwoPairSums<1, 2, 1, 3>(c, std::get<0>(ctl::kPairSumPanels));
}
std::optional<NumberSet> HundredsTensWithTensUnitsSums(const Controls& c) {
    return TwoPairSums<1, 2, 2, 3>(c, std::get<1>(ctl::kPairSumPanels));
}
std::optional<NumberSet> HundredsUnitsWithTensUnitsSums(const Controls& c) {
    return TwoPairSums<1, 3, 2, 3>(c, std::get<2>(ctl::kPairSumPanels));
}

}  // namespace sanxing
