#include "numbers/set_text.h"

#include <array>

#include "runtime/split.h"
#include "runtime/text.h"

namespace sanxing {

namespace {

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (!IsAsciiDigit(c)) return false;
    }
    return true;
}

std::string BuildUniverseText() {
    std::string text;
    text.reserve(kUniverseSize * 4);
    for (int n = 0; n < kUniverseSize; ++n) {
        if (n > 0) text += ' ';
        text += NumberText(n);
    }
    return text;
}

// Masks for keys of one digit (index d) and two digits (index 10 + 10a + b).
std::array<NumberSet, 110> BuildKeyMasks() {
    std::array<NumberSet, 110> masks;
    for (int n = 0; n < kUniverseSize; ++n) {
        const int h = Digit(n, 1), t = Digit(n, 2), u = Digit(n, 3);
        masks[h].insert(n);
        masks[t].insert(n);
        masks[u].insert(n);
        masks[10 + h * 10 + t].insert(n);
        masks[10 + t * 10 + u].insert(n);
    }
    return masks;
}

}  // namespace

std::string_view UniverseText() {
    static const std::string text = BuildUniverseText();
    return text;
}

std::string NumberText(int i) {
    return {static_cast<char>('0' + i / 100 % 10), static_cast<char>('0' + i / 10 % 10),
            static_cast<char>('0' + i % 10)};
}

std::optional<int> NumberValue(std::string_view token) {
    if (token.size() != 3 || !AllDigits(token)) return std::nullopt;
    return (token[0] - '0') * 100 + (token[1] - '0') * 10 + (token[2] - '0');
}

std::string DigitSet(std::string_view text) {
    bool seen[10] = {};
    for (const char c : text) {
        if (IsAsciiDigit(c)) seen[c - '0'] = true;
    }
    std::string digits;
    for (int d = 0; d < 10; ++d) {
        if (seen[d]) digits += static_cast<char>('0' + d);
    }
    return digits;
}

bool TextContains(std::string_view text, std::string_view key) {
    if (key.empty()) return !text.empty();
    return text.find(key) != std::string_view::npos;
}

std::size_t CountSetText(std::string_view text) { return CountTokens(text, " "); }

std::string CountCaption(std::size_t count, std::string_view suffix) {
    return std::to_string(count) + std::string(suffix);
}

std::string CanonicalRewrite(std::string_view text) { return NumberSet::Containing(text).toText(); }

const NumberSet& NumbersHolding(std::string_view key) {
    static const std::array<NumberSet, 110> masks = BuildKeyMasks();
    const int index = key.size() == 1 ? key[0] - '0' : 10 + (key[0] - '0') * 10 + (key[1] - '0');
    return masks[index];
}

bool SetTextContains(const NumberSet& set, std::string_view key) {
    if (key.empty()) return !set.empty();
    if (AllDigits(key)) {
        // A set text holds digit runs of exactly three, so longer runs never occur.
        if (key.size() == 3) return set.contains(*NumberValue(key));
        if (key.size() < 3) return set.intersects(NumbersHolding(key));
        return false;
    }
    for (const char c : key) {
        // Only digits and spaces occur in a set text.
        if (!IsAsciiDigit(c) && c != ' ') return false;
    }
    // Keys that span a separator ("3 4", "123 ") are rare; search the text itself.
    return TextContains(set.toText(), key);
}

}  // namespace sanxing
