#pragma once
// What a condition text offers to the substring searches of the condition groups: which
// digits occur in it and which two-digit texts occur in it, found in one scan. Digit
// bytes never occur inside a multi-byte character, so a scan of the bytes is exact.

#include <bitset>
#include <string_view>

namespace sanxing {

struct TextKeys {
    std::bitset<10> digits;             // bit d: the digit d occurs
    std::bitset<100> pairs;             // bit 10a+b: the digits a and b occur side by side
    std::bitset<100> pairsBeforeComma;  // bit 10a+b: the text "ab," occurs
};

TextKeys ScanTextKeys(std::string_view text);

// Only the digits that occur in `text`.
std::bitset<10> DigitsIn(std::string_view text);

}  // namespace sanxing
