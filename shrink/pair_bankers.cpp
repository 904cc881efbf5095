#include "shrink/pair_bankers.h"

#include <array>
#include <bitset>
#include <string>

#include "numbers/set_text.h"
#include "shrink/numbers_by_key.h"

namespace sanxing {

namespace {

// The digits whose box `prefix` + digit is ticked.
std::bitset<10> TickedDigits(const Controls& controls, const std::string& prefix) {
    std::bitset<10> digits;
    for (int d = 0; d <= 9; ++d) digits[d] = controls.ticked(prefix + std::to_string(d));
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
std::optional<NumberSet> PairBanker(const Controls& controls, std::string_view pair) {
    const std::bitset<10> bankers = TickedDigits(controls, "选择框_" + std::string(pair));
    if (bankers.none()) return std::nullopt;
    const int rule = controls.selectedIndex("组合框_" + std::string(pair) + "胆");
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
std::optional<NumberSet> TwoPairSums(const Controls& controls, std::string_view panel) {
    const std::string prefix = "选择框_" + std::string(panel);
    const std::bitset<10> digits = TickedDigits(controls, prefix);
    if (digits.none()) return std::nullopt;
    std::array<bool, 3> mustShow{};
    for (int c = 0; c <= 2; ++c) mustShow[c] = controls.ticked(prefix + "出" + std::to_string(c) + "个");
    return WhereMemberships(NumbersBySumTail<P1, Q1>().anyOf(digits), NumbersBySumTail<P2, Q2>().anyOf(digits),
                            mustShow);
}

}  // namespace

std::optional<NumberSet> HundredsTensBanker(const Controls& c) { return PairBanker<1, 2>(c, "百十"); }
std::optional<NumberSet> HundredsUnitsBanker(const Controls& c) { return PairBanker<1, 3>(c, "百个"); }
std::optional<NumberSet> TensUnitsBanker(const Controls& c) { return PairBanker<2, 3>(c, "十个"); }

std::optional<NumberSet> HundredsTensWithHundredsUnitsSums(const Controls& c) {
    return TwoPairSums<1, 2, 1, 3>(c, "百十与百个合");
}
std::optional<NumberSet> HundredsTensWithTensUnitsSums(const Controls& c) {
    return TwoPairSums<1, 2, 2, 3>(c, "百十与十个合");
}
std::optional<NumberSet> HundredsUnitsWithTensUnitsSums(const Controls& c) {
    return TwoPairSums<1, 3, 2, 3>(c, "百个与十个合");
}

}  // namespace sanxing
