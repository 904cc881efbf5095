#include "numbers/failure_table.h"

#include <algorithm>

#include "numbers/set_text.h"

namespace sanxing {

int FailureTable::failureCount(std::string_view token) const {
    int failures = 0;
    for (const NumberSet& row : rows_) {
        if (!SetTextContains(row, token)) ++failures;
    }
    return failures;
}

std::array<std::uint8_t, kUniverseSize> FailureTable::failureCounts() const {
    // Count failures with bit-sliced counters: plane j holds bit j of every number's
    // count, and each row's complement is added with a ripple carry, word by word.
    constexpr int kPlanes = 8;
    constexpr int kWords = NumberSet::kWords;
    std::uint64_t planes[kPlanes][kWords] = {};
    std::uint64_t saturated[kWords] = {};
    const NumberSet universe = NumberSet::Universe();
    for (const NumberSet& row : rows_) {
        for (int w = 0; w < kWords; ++w) {
            std::uint64_t carry = ~row.words()[w] & universe.words()[w];
            for (int j = 0; j < kPlanes && carry != 0; ++j) {
                const std::uint64_t next = planes[j][w] & carry;
                planes[j][w] ^= carry;
                carry = next;
            }
            saturated[w] |= carry;
        }
    }
    std::array<std::uint8_t, kUniverseSize> counts{};
    for (int w = 0; w < kWords; ++w) {
        for (int j = 0; j < kPlanes; ++j) {
            for (std::uint64_t bits = planes[j][w]; bits != 0; bits &= bits - 1) {
                counts[w * 64 + std::countr_zero(bits)] |= static_cast<std::uint8_t>(1U << j);
            }
        }
        for (std::uint64_t bits = saturated[w]; bits != 0; bits &= bits - 1) {
            counts[w * 64 + std::countr_zero(bits)] = 255;
        }
    }
    return counts;
}

}  // namespace sanxing
