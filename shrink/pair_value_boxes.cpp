#include "shrink/pair_value_boxes.h"

#include <bitset>
#include <cstdlib>
#include <string>
#include <string_view>

#include "numbers/set_text.h"
#include "shrink/numbers_by_key.h"
#include "shrink/text_keys.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// How a key is written where the box text is searched for it.
enum class KeyText { OneDigit, TwoDigits, TwoDigitsAndComma };

// Pair values: the last character of the decimal text of a difference, sum or product.
int PairSpan(int a, int b) { return std::abs(a - b); }
int PairSumTail(int a, int b) { return (a + b) % 10; }
int PairProductTail(int a, int b) { return a * b % 10; }

// A pair value of the number's digits at positions P and Q.
template <int (*Value)(int, int), int P, int Q>
int OfPair(int n) {
    return Value(Digit(n, P), Digit(n, Q));
}

// A pair value added up over the three pairs, 0 to 27.
template <int (*Value)(int, int)>
int OverAllPairs(int n) {
    return OfPair<Value, 1, 2>(n) + OfPair<Value, 1, 3>(n) + OfPair<Value, 2, 3>(n);
}

// Keys 0..99 that occur in `content` written in the given form.
std::bitset<100> KeysIn(std::string_view content, KeyText form) {
    const TextKeys keys = ScanTextKeys(content);
    switch (form) {
        case KeyText::OneDigit: return std::bitset<100>(keys.digits.to_ulong());
        case KeyText::TwoDigits: return keys.pairs;
        case KeyText::TwoDigitsAndComma: return keys.pairsBeforeComma;
    }
    return {};
}

// The group of one box: the numbers whose key does not occur in its text.
std::optional<NumberSet> KillKeysInBox(const Controls& controls, std::string_view box, KeyText form,
                                       const NumbersByKey<100>& numbersByKey) {
    const std::string& content = controls.text(box);
    if (content.empty()) return std::nullopt;
    return numbersByKey.anyOf(KeysIn(content, form)).complement();
}

template <int (*KeyOf)(int)>
const NumbersByKey<100>& Filed() {
    static const NumbersByKey<100> filed = FileByKey<100>(KeyOf);
    return filed;
}

}  // namespace

std::optional<NumberSet> PairSpanTotalSumBox(const Controls& c) {
    return KillKeysInBox(c, ctl::kPairSpanTotalSum, KeyText::TwoDigitsAndComma, Filed<OverAllPairs<PairSpan>>());
}
std::optional<NumberSet> PairTailTotalSumBox(const Controls& c) {
    return KillKeysInBox(c, ctl::kPairSumTailTotalSum, KeyText::TwoDigits, Filed<OverAllPairs<PairSumTail>>());
}
std::optional<NumberSet> PairProductTotalSumBox(const Controls& c) {
    return KillKeysInBox(c, ctl::kPairProductTotalSum, KeyText::TwoDigits, Filed<OverAllPairs<PairProductTail>>());
}

std::optional<NumberSet> HundredsTensSpanBox(const Controls& c) {
    return KillKeysInBox(c, std::get<0>(ctl::kPairPanels).spanBox, KeyText::OneDigit, Filed<OfPair<PairSpan, 1, 2>>());
}
std::optional<NumberSet> HundredsUnitsSpanBox(const Controls& c) {
    return KillKeysInBox(c, std::get<1>(ctl::kPairPanels).spanBox, KeyText::OneDigit, Filed<OfPair<PairSpan, 1, 3>>());
}
std::optional<NumberSet> TensUnitsSpanBox(const Controls& c) {
    return KillKeysInBox(c, std::get<2>(ctl::kPairPanels).spanBox, KeyText::OneDigit, Filed<OfPair<PairSpan, 2, 3>>());
}

std::optional<NumberSet> HundredsTensSumTailBox(const Controls& c) {
    return KillKeysInBox(c, std::get<0>(ctl::kPairPanels).tailBox, KeyText::OneDigit,
                         Filed<OfPair<PairSumTail, 1, 2>>());
}
std::optional<NumberSet> HundredsUnitsSumTailBox(const Controls& c) {
    return KillKeysInBox(c, std::get<1>(ctl::kPairPanels).tailBox, KeyText::OneDigit,
                         Filed<OfPair<PairSumTail, 1, 3>>());
}
std::optional<NumberSet> TensUnitsSumTailBox(const Controls& c) {
    return KillKeysInBox(c, std::get<2>(ctl::kPairPanels).tailBox, KeyText::OneDigit,
                         Filed<OfPair<PairSumTail, 2, 3>>());
}

std::optional<NumberSet> JunkBaseBox(const Controls& c) {
    const std::string& content = c.text(ctl::kJunkBase);
    if (content.empty()) return std::nullopt;
    return NumberSet::Containing(content).complement();
}

}  // namespace sanxing
