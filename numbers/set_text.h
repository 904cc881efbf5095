#pragma once
// The text form of number sets and the primitives every subsystem uses on it.

#include <optional>
#include <string>
#include <string_view>

#include "numbers/number_set.h"

namespace sanxing {

// "000 001 ... 999": the 1000 numbers separated by single spaces, 3,999 characters.
std::string_view UniverseText();

// The number with value i (0..999) as three digits: 5 gives "005".
std::string NumberText(int i);

// Digit at position 1 (hundreds), 2 (tens) or 3 (units) of the number with value n.
inline int Digit(int n, int position) { return position == 1 ? n / 100 : position == 2 ? n / 10 % 10 : n % 10; }

// The value of a token that is exactly three ASCII digits ("042" gives 42), else nothing.
std::optional<int> NumberValue(std::string_view token);

// The digits 0..9 that occur in `text`, ascending, each once ("919" gives "19").
std::string DigitSet(std::string_view text);

// Plain substring test; an empty key is found in every non-empty text and in no empty one.
bool TextContains(std::string_view text, std::string_view key);

// Number of elements of the text split at " " (the splitting rule).
std::size_t CountSetText(std::string_view text);

// Count followed by a suffix: 3 gives "3注".
std::string CountCaption(std::size_t count, std::string_view suffix = "注");

// The universe numbers that occur in `text`, ascending, in set text form.
std::string CanonicalRewrite(std::string_view text);

// Whether the set text of `set` contains `key` as a plain substring, answered from the
// bits (and precomputed masks for one- and two-digit keys) instead of a text search.
bool SetTextContains(const NumberSet& set, std::string_view key);

// Numbers that hold `key` (one or two ASCII digits) as a substring of their three digits.
const NumberSet& NumbersHolding(std::string_view key);

}  // namespace sanxing
