#pragma once
// The plain reference model of the differential tests: numbers and keys as texts,
// substring searches, pass lists built by walking the 1000 numbers one by one. Slow and
// literal on purpose, so that it shares nothing with the bit-set code it checks.

#include <string>
#include <vector>

namespace sanxing::reference {

inline bool Has(const std::string& text, const std::string& key) { return text.find(key) != std::string::npos; }

// The parts between the delimiters; a final delimiter adds no empty part.
inline std::vector<std::string> Split(const std::string& text, const std::string& delimiter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t hit = text.find(delimiter, start);
        if (hit == std::string::npos) {
            parts.push_back(text.substr(start));
            break;
        }
        parts.push_back(text.substr(start, hit - start));
        start = hit + delimiter.size();
    }
    return parts;
}

// The decimal text of a value from 0 to 999 with zeros in front to `width` characters.
inline std::string Padded(int value, std::size_t width) {
    const std::string s = std::string(width, '0') + std::to_string(value);
    return s.substr(s.size() - width);
}
inline std::string NumberText(int n) { return Padded(n, 3); }
inline std::string TwoDigits(int value) { return Padded(value, 2); }
inline std::string DigitText(int digit) { return std::to_string(digit); }
// The last character of the value's decimal text: its units digit, also when negative.
inline std::string Last(int value) { return std::string(1, std::to_string(value).back()); }
// The digit at `position` (1 hundreds, 2 tens, 3 units) of a number text.
inline int Digit(const std::string& n, int position) { return n[static_cast<std::size_t>(position - 1)] - '0'; }

// Every number whose text passes `rule`, each followed by one space, in order.
template <typename Rule>
std::string PassList(Rule rule) {
    std::string list;
    for (int i = 0; i < 1000; ++i) {
        if (rule(NumberText(i))) list += NumberText(i) + " ";
    }
    return list;
}

// The same for a rule over the three digits (hundreds, tens, units).
template <typename Rule>
std::string DigitPassList(Rule rule) {
    return PassList([&](const std::string& n) { return rule(Digit(n, 1), Digit(n, 2), Digit(n, 3)); });
}

}  // namespace sanxing::reference
