#include "numbers/violation_counts.h"

#include <bit>

namespace sanxing {

void ViolationCounter::addMissing(const NumberSet& passing, std::uint64_t times) {
    const Plane missing = passing.complement().words();
    // Adding k copies adds the missing bits once at every plane where k has a one.
    for (std::size_t plane = 0; times != 0; ++plane, times >>= 1) {
        if (times & 1U) addAtPlane(missing, plane);
    }
}

void ViolationCounter::addAtPlane(const Plane& bits, std::size_t plane) {
    for (int w = 0; w < NumberSet::kWords; ++w) {
        std::uint64_t carry = bits[w];
        for (std::size_t j = plane; carry != 0; ++j) {
            if (j >= planes_.size()) planes_.resize(j + 1);
            const std::uint64_t next = planes_[j][w] & carry;
            planes_[j][w] ^= carry;
            carry = next;
        }
    }
}

std::array<std::uint64_t, kUniverseSize> ViolationCounter::counts() const {
    std::array<std::uint64_t, kUniverseSize> counts{};
    for (std::size_t j = 0; j < planes_.size(); ++j) {
        for (int w = 0; w < NumberSet::kWords; ++w) {
            for (std::uint64_t bits = planes_[j][w]; bits != 0; bits &= bits - 1) {
                counts[w * 64 + std::countr_zero(bits)] |= std::uint64_t{1} << j;
            }
        }
    }
    return counts;
}

ViolationCounter::Plane ViolationCounter::countsAtMost(std::uint64_t limit) const {
    // Compare every count with `limit` from the top bit down: `below` collects numbers
    // already known to be smaller, `equal` those whose bits so far match the limit's.
    Plane below{};
    Plane equal;
    equal.fill(~std::uint64_t{0});
    if (planes_.size() < 64 && (limit >> planes_.size()) != 0) return equal;  // limit beyond every count
    for (std::size_t j = planes_.size(); j-- > 0;) {
        const bool limitBit = (limit >> j) & 1U;
        for (int w = 0; w < NumberSet::kWords; ++w) {
            if (limitBit) {
                below[w] |= equal[w] & ~planes_[j][w];
                equal[w] &= planes_[j][w];
            } else {
                equal[w] &= ~planes_[j][w];
            }
        }
    }
    for (int w = 0; w < NumberSet::kWords; ++w) below[w] |= equal[w];
    return below;
}

NumberSet ViolationCounter::countsBetween(long long low, long long high) const {
    if (high < 0 || low > high) return {};
    const Plane atMostHigh = countsAtMost(static_cast<std::uint64_t>(high));
    NumberSet between;
    for (int w = 0; w < NumberSet::kWords; ++w) between.words()[w] = atMostHigh[w];
    if (low > 0) {
        const Plane belowLow = countsAtMost(static_cast<std::uint64_t>(low) - 1);
        for (int w = 0; w < NumberSet::kWords; ++w) between.words()[w] &= ~belowLow[w];
    }
    return between & NumberSet::Universe();
}

}  // namespace sanxing
