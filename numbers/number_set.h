#pragma once
// NumberSet: a set of the three-digit numbers "000".."999" as 1000 bits, bit i standing
// for the number whose value is i. Its text form is the set text: every member in
// ascending order, each followed by one space.

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace sanxing {

inline constexpr int kUniverseSize = 1000;

class NumberSet {
public:
    static constexpr int kWords = (kUniverseSize + 63) / 64;

    NumberSet() = default;
    static NumberSet Universe();

    // The universe numbers that occur in `text` as a plain substring (three ASCII digits
    // side by side). This is the canonical rewrite's set; one pass over the text.
    static NumberSet Containing(std::string_view text);

    template <typename Predicate>
    static NumberSet Where(Predicate&& keep) {
        NumberSet set;
        for (int n = 0; n < kUniverseSize; ++n) {
            if (keep(n)) set.insert(n);
        }
        return set;
    }

    bool contains(int n) const { return (words_[n >> 6] >> (n & 63)) & 1U; }
    void insert(int n) { words_[n >> 6] |= std::uint64_t{1} << (n & 63); }
    void erase(int n) { words_[n >> 6] &= ~(std::uint64_t{1} << (n & 63)); }
    int count() const;
    bool empty() const;

    NumberSet complement() const;
    NumberSet& operator&=(const NumberSet& other);
    NumberSet& operator|=(const NumberSet& other);
    friend NumberSet operator&(NumberSet a, const NumberSet& b) { return a &= b; }
    friend NumberSet operator|(NumberSet a, const NumberSet& b) { return a |= b; }
    bool intersects(const NumberSet& other) const;
    friend bool operator==(const NumberSet&, const NumberSet&) = default;

    // Set text: "003 017 250 " (empty text for the empty set).
    std::string toText() const;

    template <typename Visit>
    void forEach(Visit&& visit) const {
        for (int w = 0; w < kWords; ++w) {
            for (std::uint64_t bits = words_[w]; bits != 0; bits &= bits - 1) {
                visit(w * 64 + std::countr_zero(bits));
            }
        }
    }

    const std::array<std::uint64_t, kWords>& words() const { return words_; }
    std::array<std::uint64_t, kWords>& words() { return words_; }

private:
    std::array<std::uint64_t, kWords> words_{};
};

}  // namespace sanxing
