#include "shrink/text_keys.h"

#include "runtime/text.h"

namespace sanxing {

TextKeys ScanTextKeys(std::string_view text) {
    TextKeys keys;
    int previous = -1;  // the digit just before, or -1
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!IsAsciiDigit(c)) {
            previous = -1;
            continue;
        }
        const int digit = c - '0';
        keys.digits.set(digit);
        if (previous >= 0) {
            const int pair = previous * 10 + digit;
            keys.pairs.set(pair);
            if (i + 1 < text.size() && text[i + 1] == ',') keys.pairsBeforeComma.set(pair);
        }
        previous = digit;
    }
    return keys;
}

std::bitset<10> DigitsIn(std::string_view text) {
    unsigned bits = 0;
    for (const char c : text) {
        if (IsAsciiDigit(c)) bits |= 1U << (c - '0');
    }
    return bits;
}

}  // namespace sanxing
