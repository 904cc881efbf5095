#include "numbers/number_set.h"

#include "runtime/text.h"

namespace sanxing {

namespace {

constexpr std::uint64_t kLastWordMask = (std::uint64_t{1} << (kUniverseSize % 64)) - 1;

}  // namespace

NumberSet NumberSet::Universe() {
    NumberSet set;
    set.words_.fill(~std::uint64_t{0});
    set.words_[kWords - 1] = kLastWordMask;
    return set;
}

NumberSet NumberSet::Containing(std::string_view text) {
    NumberSet set;
    // Slide over runs of ASCII digits; every window of three digits is a member. Digit
    // bytes never occur inside a multi-byte character, so byte windows are exact.
    int run = 0;
    int value = 0;
    for (const char c : text) {
        if (!IsAsciiDigit(c)) {
            run = 0;
            continue;
        }
        value = (value * 10 + (c - '0')) % kUniverseSize;
        if (++run >= 3) set.insert(value);
    }
    return set;
}

int NumberSet::count() const {
    int total = 0;
    for (const std::uint64_t w : words_) total += std::popcount(w);
    return total;
}

bool NumberSet::empty() const {
    for (const std::uint64_t w : words_) {
        if (w != 0) return false;
    }
    return true;
}

NumberSet NumberSet::complement() const {
    NumberSet set;
    for (int w = 0; w < kWords; ++w) set.words_[w] = ~words_[w];
    set.words_[kWords - 1] &= kLastWordMask;
    return set;
}

NumberSet& NumberSet::operator&=(const NumberSet& other) {
    for (int w = 0; w < kWords; ++w) words_[w] &= other.words_[w];
    return *this;
}

NumberSet& NumberSet::operator|=(const NumberSet& other) {
    for (int w = 0; w < kWords; ++w) words_[w] |= other.words_[w];
    return *this;
}

bool NumberSet::intersects(const NumberSet& other) const {
    for (int w = 0; w < kWords; ++w) {
        if (words_[w] & other.words_[w]) return true;
    }
    return false;
}

std::string NumberSet::toText() const {
    std::string text;
    text.resize(static_cast<std::size_t>(count()) * 4);
    char* out = text.data();
    forEach([&out](int n) {
        out[0] = static_cast<char>('0' + n / 100);
        out[1] = static_cast<char>('0' + n / 10 % 10);
        out[2] = static_cast<char>('0' + n % 10);
        out[3] = ' ';
        out += 4;
    });
    return text;
}

}  // namespace sanxing
