#pragma once
// FailureTable: the rows of one shrink run, one pass set per active condition group.
// The failure count of a token is the number of rows whose set text does not contain it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/number_set.h"

namespace sanxing {

class FailureTable {
public:
    void clear() { rows_.clear(); }
    void addRow(const NumberSet& passing) { rows_.push_back(passing); }
    std::size_t rowCount() const { return rows_.size(); }
    const NumberSet& row(std::size_t index) const { return rows_.at(index); }
    std::string rowText(std::size_t index) const { return row(index).toText(); }

    // Failure count of any base token, with the substring meaning for tokens that are
    // not three-digit numbers.
    int failureCount(std::string_view token) const;

    // Failure counts of all 1000 numbers at once (saturating at 255).
    std::array<std::uint8_t, kUniverseSize> failureCounts() const;

    // The numbers whose failure count lies between `low` and `high`, both included.
    NumberSet numbersFailingBetween(long long low, long long high) const;

private:
    std::vector<NumberSet> rows_;
};

}  // namespace sanxing
