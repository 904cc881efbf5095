#include "shrink/control_reading.h"

namespace sanxing {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Calls visit(a, b, next) for every two adjacent digits a b; next is the byte after them
// or '\0' at the end of the text.
template <typename Visit>
void ForEachDigitPair(std::string_view text, Visit&& visit) {
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!IsDigit(text[i - 1]) || !IsDigit(text[i])) continue;
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        visit(text[i - 1] - '0', text[i] - '0', next);
    }
}

}  // namespace

std::vector<std::string> NumberedNames(std::string_view prefix, int count, int width) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int key = 0; key < count; ++key) {
        std::string digits = std::to_string(key);
        if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
        names.push_back(std::string(prefix) + digits);
    }
    return names;
}

KeySet TickedBoxes(const Controls& controls, std::span<const std::string> names) {
    KeySet ticked;
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (controls.ticked(names[k])) ticked.set(k);
    }
    return ticked;
}

NumberSet KeyClasses::unionOf(const KeySet& keys) const {
    NumberSet numbers;
    for (std::size_t k = 0; k < classes_.size(); ++k) {
        if (keys.test(k)) numbers |= classes_[k];
    }
    return numbers;
}

std::optional<NumberSet> TickedKeyRow(const Controls& controls, std::span<const std::string> names,
                                      const KeyClasses& classes) {
    const KeySet ticked = TickedBoxes(controls, names);
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (!ticked.test(k)) return classes.unionOf(ticked);
    }
    return std::nullopt;
}

KeySet DigitsIn(std::string_view text) {
    KeySet digits;
    for (const char c : text) {
        if (IsDigit(c)) digits.set(static_cast<std::size_t>(c - '0'));
    }
    return digits;
}

KeySet DigitPairsIn(std::string_view text) {
    KeySet pairs;
    ForEachDigitPair(text, [&](int a, int b, char) { pairs.set(static_cast<std::size_t>(a * 10 + b)); });
    return pairs;
}

KeySet DigitPairsBeforeCommaIn(std::string_view text) {
    KeySet pairs;
    ForEachDigitPair(text, [&](int a, int b, char next) {
        if (next == ',') pairs.set(static_cast<std::size_t>(a * 10 + b));
    });
    return pairs;
}

}  // namespace sanxing
