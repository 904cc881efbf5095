#include "numbers/failure_table.h"

#include <algorithm>

#include "numbers/set_text.h"
#include "numbers/violation_counts.h"

namespace sanxing {

int FailureTable::failureCount(std::string_view token) const {
    int failures = 0;
    for (const NumberSet& row : rows_) {
        if (!SetTextContains(row, token)) ++failures;
    }
    return failures;
}

std::array<std::uint8_t, kUniverseSize> FailureTable::failureCounts() const {
    ViolationCounter counter;
    for (const NumberSet& row : rows_) counter.addMissing(row);
    const std::array<std::uint64_t, kUniverseSize> exact = counter.counts();
    std::array<std::uint8_t, kUniverseSize> counts{};
    for (int n = 0; n < kUniverseSize; ++n) {
        counts[n] = static_cast<std::uint8_t>(std::min<std::uint64_t>(exact[n], 255));
    }
    return counts;
}

NumberSet FailureTable::numbersFailingBetween(long long low, long long high) const {
    ViolationCounter counter;
    for (const NumberSet& row : rows_) counter.addMissing(row);
    return counter.countsBetween(low, high);
}

}  // namespace sanxing
