#include "shrink/exclusion_lists.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "numbers/set_text.h"
#include "runtime/gbk.h"
#include "runtime/split.h"
#include "shrink/line_tolerance.h"
#include "shrink/numbers_by_key.h"
#include "shrink/text_keys.h"
#include "window/hint_boxes.h"

namespace sanxing {

namespace {

// ---- Line keys ---------------------------------------------------------------------

LineKey DigitsKey(std::string_view line) { return DigitsIn(line).to_ullong(); }

// Which of the sums "00".."27" occur in the line: bit s for the two-digit text of s.
LineKey SumTextsKey(std::string_view line) {
    const std::bitset<100> pairs = ScanTextKeys(line).pairs;
    LineKey key = 0;
    for (int sum = 0; sum <= 27; ++sum) {
        if (pairs[sum]) key |= LineKey{1} << sum;
    }
    return key;
}

// Index 0..54 of the unordered digit pair {a, b}.
int PairCombination(int a, int b) {
    if (a > b) std::swap(a, b);
    return 10 * a - a * (a - 1) / 2 + (b - a);
}

// Which unordered digit pairs occur as two adjacent digits, in either order.
LineKey PairCombinationsKey(std::string_view line) {
    const std::bitset<100> pairs = ScanTextKeys(line).pairs;
    LineKey key = 0;
    for (int pair = 0; pair < 100; ++pair) {
        if (pairs[pair]) key |= LineKey{1} << PairCombination(pair / 10, pair % 10);
    }
    return key;
}

// The shape line's replacements: each shape word stands for its five digits.
constexpr std::string_view kShapeWords[][2] = {{"单", "13579"}, {"双", "02468"}, {"大", "56789"}, {"小", "01234"}};

// A shape line looks at bytes 1 to 15 of its GBK form. Every UTF-8 character (or invalid
// byte run, at most four bytes) becomes at least one GBK byte, so the first 64 bytes of
// the replaced line always hold the source of those fifteen bytes.
constexpr std::size_t kShapeSourceBytes = 64;
constexpr std::size_t kShapeBytes = 15;
constexpr std::size_t kShapeSetBytes = 5;

std::string ReplaceShapeWords(std::string_view line) {
    std::string replaced;
    for (std::size_t i = 0; i < line.size() && replaced.size() < kShapeSourceBytes;) {
        const auto* word = std::find_if(std::begin(kShapeWords), std::end(kShapeWords),
                                        [&](const auto& w) { return line.substr(i, w[0].size()) == w[0]; });
        if (word != std::end(kShapeWords)) {
            replaced += (*word)[1];
            i += (*word)[0].size();
        } else {
            replaced += line[i++];
        }
    }
    return replaced;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Bits 0-9: the hundreds set, 10-19: the tens set, 20-29: the units set.
LineKey ShapeKey(std::string_view line) {
    std::string bytes = ReplaceShapeWords(line);
    if (!IsAscii(bytes)) bytes = Utf8ToGbk(bytes);
    LineKey key = 0;
    for (std::size_t i = 0; i < std::min(bytes.size(), kShapeBytes); ++i) {
        if (bytes[i] >= '0' && bytes[i] <= '9') key |= LineKey{1} << (10 * (i / kShapeSetBytes) + (bytes[i] - '0'));
    }
    return key;
}

// ---- Pass sets by key ----------------------------------------------------------------

std::bitset<10> DigitBits(LineKey key) { return std::bitset<10>(key & 0x3FF); }

NumberSet PassHundreds(LineKey digits) { return NumbersByDigitAt(1).anyOf(DigitBits(digits)).complement(); }
NumberSet PassTens(LineKey digits) { return NumbersByDigitAt(2).anyOf(DigitBits(digits)).complement(); }
NumberSet PassUnits(LineKey digits) { return NumbersByDigitAt(3).anyOf(DigitBits(digits)).complement(); }

// Passes when the line holds none of the number's digits.
NumberSet PassPositional(LineKey digits) { return NumbersByDigitHeld().anyOf(DigitBits(digits)).complement(); }

// Passes when the number holds a digit the line lacks.
NumberSet PassCompound(LineKey digits) { return NumbersByDigitHeld().anyOf(DigitBits(~digits)); }

// Passes when the number holds a digit of the line.
NumberSet PassBankerDigits(LineKey digits) { return NumbersByDigitHeld().anyOf(DigitBits(digits)); }

NumberSet PassSumTail(LineKey digits) {
    static const NumbersByKey<10> byTail = FileByKey<10>([](int n) { return (n / 100 + n / 10 % 10 + n % 10) % 10; });
    return byTail.anyOf(DigitBits(digits)).complement();
}

NumberSet PassSpan(LineKey digits) {
    static const NumbersByKey<10> bySpan = FileByKey<10>([](int n) {
        const int h = Digit(n, 1), t = Digit(n, 2), u = Digit(n, 3);
        return std::max({h, t, u}) - std::min({h, t, u});
    });
    return bySpan.anyOf(DigitBits(digits)).complement();
}

NumberSet PassSum(LineKey sums) {
    static const NumbersByKey<28> bySum = FileByKey<28>([](int n) { return n / 100 + n / 10 % 10 + n % 10; });
    return bySum.anyOf(std::bitset<28>(sums)).complement();
}

NumberSet PassPairCombinations(LineKey combinations) {
    static const NumbersByKey<55> byCombination([](int n, auto file) {
        const int h = Digit(n, 1), t = Digit(n, 2), u = Digit(n, 3);
        file(PairCombination(h, t));
        file(PairCombination(h, u));
        file(PairCombination(t, u));
    });
    return byCombination.anyOf(std::bitset<55>(combinations)).complement();
}

// Killed when each digit lies in the set of its position.
NumberSet PassShape(LineKey sets) {
    NumberSet killed = NumbersByDigitAt(1).anyOf(DigitBits(sets));
    killed &= NumbersByDigitAt(2).anyOf(DigitBits(sets >> 10));
    killed &= NumbersByDigitAt(3).anyOf(DigitBits(sets >> 20));
    return killed.complement();
}

// ---- The lists -----------------------------------------------------------------------

// Each list with its controls from the catalogue.
constexpr ExclusionList List(const ctl::ExclusionListBoxes& boxes, LineKey (*lineKey)(std::string_view),
                             NumberSet (*passing)(LineKey)) {
    return {boxes.box, boxes.toleranceCombo, lineKey, passing};
}

constexpr ExclusionList kLists[] = {
    List(ctl::kKillHundreds, DigitsKey, PassHundreds),
    List(ctl::kKillTens, DigitsKey, PassTens),
    List(ctl::kKillUnits, DigitsKey, PassUnits),
    List(ctl::kKillPositional, DigitsKey, PassPositional),
    List(ctl::kKillCompound, DigitsKey, PassCompound),
    List(ctl::kKillShapes, ShapeKey, PassShape),
    List(ctl::kKillSumTail, DigitsKey, PassSumTail),
    List(ctl::kKillSpan, DigitsKey, PassSpan),
    List(ctl::kBankerDigitGroups, DigitsKey, PassBankerDigits),
    List(ctl::kKillSum, SumTextsKey, PassSum),
    List(ctl::kKillPairCombinations, PairCombinationsKey, PassPairCombinations),
};

}  // namespace

std::span<const ExclusionList> ExclusionLists() { return kLists; }

const ExclusionList& ExclusionListFor(std::string_view box) {
    for (const ExclusionList& list : kLists) {
        if (list.box == box) return list;
    }
    throw std::out_of_range("no exclusion list named " + std::string(box));
}

NumberSet LineTest(const ExclusionList& list, std::string_view line) { return list.passing(list.lineKey(line)); }

std::optional<NumberSet> EvaluateExclusionList(const ExclusionList& list, const Controls& controls) {
    const std::string& content = controls.text(list.box);
    if (content.empty() || content == HintFor(list.box)) return std::nullopt;
    std::vector<LineKey> keys;
    ForEachToken(content, "\r\n", [&](std::string_view line) { keys.push_back(list.lineKey(line)); });
    return ApplyLineTolerance(CountLineViolations(std::move(keys), list.passing), controls.text(list.toleranceCombo));
}

}  // namespace sanxing
