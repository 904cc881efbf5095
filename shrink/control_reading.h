#pragma once
// Helpers that condition groups share for reading their controls: families of check
// boxes read into key sets, and numbers filed by a key of their digits.

#include <array>
#include <bitset>
#include <optional>
#include <span>
#include <string_view>

#include "numbers/number_set.h"
#include "runtime/controls.h"
#include "shrink/numbers_by_key.h"
#include "window/control_names.h"

namespace sanxing {

// The digits of the number with value n: hundreds h, tens t, units u.
struct Digits {
    int h, t, u;
    explicit Digits(int n) : h(n / 100), t(n / 10 % 10), u(n % 10) {}
};

// A set of small keys 0..99: a digit, a two-digit value, an index into a box family.
using KeySet = std::bitset<100>;

// Bit k is set when the box names[k] is ticked.
KeySet TickedBoxes(const Controls& controls, std::span<const ctl::Name> names);

// Numbers filed by a key of their digits, 0..99: a row is a union of a few filed sets
// instead of a walk over the 1000 numbers. Built once per group (function-local static).
using KeyClasses = NumbersByKey<100>;

template <typename KeyOf>
KeyClasses ClassesOf(KeyOf keyOf) {
    return FileByKey<100>([&](int n) { return keyOf(Digits(n)); });
}

// The row of a family of boxes that start ticked and each allow one key value: inactive
// while every box is ticked, otherwise the numbers whose key box is ticked.
template <std::size_t Keys>
std::optional<NumberSet> TickedKeyRow(const Controls& controls, std::span<const ctl::Name> names,
                                      const NumbersByKey<Keys>& classes) {
    const KeySet ticked = TickedBoxes(controls, names);
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (!ticked.test(k)) return classes.anyOf(ticked);
    }
    return std::nullopt;
}

}  // namespace sanxing
