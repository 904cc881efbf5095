#pragma once
// Helpers that condition groups share for reading their controls: families of check
// boxes read into key masks, and free edit-box texts scanned once for the short keys
// that occur in them as substrings.

#include <array>
#include <bitset>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/number_set.h"
#include "runtime/controls.h"

namespace sanxing {

// The digits of the number with value n: hundreds h, tens t, units u.
struct Digits {
    int h, t, u;
    explicit Digits(int n) : h(n / 100), t(n / 10 % 10), u(n % 10) {}
};

// A set of small keys 0..99: a digit, a two-digit value, an index into a box family.
using KeySet = std::bitset<100>;

// prefix + key for key 0..count-1, the key written with `width` digits ("选择框_合值05").
std::vector<std::string> NumberedNames(std::string_view prefix, int count, int width);

// Bit k is set when the box names[k] is ticked.
KeySet TickedBoxes(const Controls& controls, std::span<const std::string> names);

// The universe split by a key function: class k holds the numbers whose key is k. Built
// once per group (a function-local static), so a row is a union of a few classes
// instead of a walk over the 1000 numbers.
class KeyClasses {
public:
    template <typename KeyOf>
    explicit KeyClasses(KeyOf keyOf) {
        for (int n = 0; n < kUniverseSize; ++n) classes_[static_cast<std::size_t>(keyOf(Digits(n)))].insert(n);
    }

    // The numbers whose key is in `keys`.
    NumberSet unionOf(const KeySet& keys) const;

private:
    std::array<NumberSet, 100> classes_{};
};

// The row of a family of boxes that start ticked and each allow one key value: inactive
// while every box is ticked, otherwise the numbers whose key box is ticked.
std::optional<NumberSet> TickedKeyRow(const Controls& controls, std::span<const std::string> names,
                                      const KeyClasses& classes);

// Keys found in a free text, each in one pass over the text. Digits are ASCII bytes,
// which never occur inside a multi-byte character, so any text (CJK, control
// characters, binary) is scanned byte by byte.

// The digits d that occur anywhere (bit d).
KeySet DigitsIn(std::string_view text);

// The two-digit texts "ab" that occur as adjacent digits (bit 10a + b); a run "3570"
// holds 35, 57 and 70.
KeySet DigitPairsIn(std::string_view text);

// The texts "ab," (two adjacent digits directly followed by a comma) that occur (bit 10a + b).
KeySet DigitPairsBeforeCommaIn(std::string_view text);

}  // namespace sanxing
