#pragma once
// NumbersByKey: the universe numbers filed under small integer keys (a digit, a pair
// value, a sum...), so that "the numbers whose key is one of these" is a union of a few
// precomputed sets instead of a walk over the universe.

#include <array>
#include <bitset>
#include <cstddef>

#include "numbers/number_set.h"

namespace sanxing {

template <std::size_t Keys>
class NumbersByKey {
public:
    // `keysOf(n, file)` calls file(key) for every key under which number n is filed.
    template <typename KeysOf>
    explicit NumbersByKey(KeysOf keysOf) {
        for (int n = 0; n < kUniverseSize; ++n) {
            keysOf(n, [&](std::size_t key) { members_[key].insert(n); });
        }
    }

    const NumberSet& operator[](std::size_t key) const { return members_[key]; }

    // The numbers filed under at least one of `keys` (a key set of any width; keys
    // beyond this filing have no numbers).
    template <std::size_t N>
    NumberSet anyOf(const std::bitset<N>& keys) const {
        NumberSet set;
        for (std::size_t k = 0; k < Keys && k < N; ++k) {
            if (keys[k]) set |= members_[k];
        }
        return set;
    }

private:
    std::array<NumberSet, Keys> members_{};
};

// Numbers filed under exactly one key each, `keyOf(n)`.
template <std::size_t Keys, typename KeyOf>
NumbersByKey<Keys> FileByKey(KeyOf keyOf) {
    return NumbersByKey<Keys>([&](int n, auto file) { file(static_cast<std::size_t>(keyOf(n))); });
}

// Numbers by their digit at position 1 (hundreds), 2 (tens) or 3 (units).
const NumbersByKey<10>& NumbersByDigitAt(int position);

// Numbers by every digit they hold.
const NumbersByKey<10>& NumbersByDigitHeld();

}  // namespace sanxing
