#pragma once
// ViolationCounter: for every number of the universe, how many of a series of pass sets
// leave it out. The counts are bit-sliced: plane j holds bit j of every number's count,
// so adding a set is a ripple carry over a few 64-bit words, whatever the number of sets.

#include <array>
#include <cstdint>
#include <vector>

#include "numbers/number_set.h"

namespace sanxing {

class ViolationCounter {
public:
    // Adds `times` to the count of every universe number that `passing` does not hold.
    void addMissing(const NumberSet& passing, std::uint64_t times = 1);

    // The count of every number.
    std::array<std::uint64_t, kUniverseSize> counts() const;

    // The numbers whose count lies between `low` and `high`, both included.
    NumberSet countsBetween(long long low, long long high) const;

private:
    using Plane = std::array<std::uint64_t, NumberSet::kWords>;

    void addAtPlane(const Plane& bits, std::size_t plane);
    Plane countsAtMost(std::uint64_t limit) const;

    std::vector<Plane> planes_;  // grows by one plane whenever a carry leaves the top
};

}  // namespace sanxing
