#pragma once
// The current conditions as the back-test and 查号 see them: the failure table built once
// from the controls exactly as 缩水 builds it, the groups behind its rows, the three-digit
// tokens of 编辑框_大底 and the range of 组合框_容错.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/failure_table.h"
#include "numbers/number_set.h"
#include "numbers/tolerance.h"
#include "runtime/controls.h"
#include "runtime/result.h"
#include "shrink/condition_group.h"

namespace sanxing::analysis {

// A condition group as the user sees it: its run-order row and its panel's name.
struct GroupName {
    int row = 0;
    std::string_view name;
    friend bool operator==(const GroupName&, const GroupName&) = default;
};

class Conditions {
public:
    static Conditions FromControls(const Controls& controls);

    const FailureTable& table() const { return table_; }
    std::size_t groupCount() const { return groups_.size(); }
    GroupName group(std::size_t index) const;  // index = row of the failure table

    // Bit i set: the number fails the group of table row i (at most 54 groups).
    std::uint64_t failedMask(int number) const { return failedMasks_[number]; }
    int failures(int number) const;
    std::vector<GroupName> failedGroups(std::uint64_t mask) const;

    bool baseEmpty() const { return baseEmpty_; }
    // Whether the number is a token of the base (always, for an empty base).
    bool inBase(int number) const { return baseEmpty_ || baseNumbers_.contains(number); }
    // The distinct three-digit base tokens (all 1000 for an empty base).
    const NumberSet& baseNumbers() const { return baseNumbers_; }
    const ToleranceRange& tolerance() const { return tolerance_; }
    const std::string& toleranceText() const { return toleranceText_; }

private:
    FailureTable table_;
    std::vector<const ConditionGroup*> groups_;
    std::array<std::uint64_t, kUniverseSize> failedMasks_{};
    bool baseEmpty_ = true;
    NumberSet baseNumbers_;
    ToleranceRange tolerance_;
    std::string toleranceText_;
};

// 查号: why a number is or is not in the result.
struct Explanation {
    std::string number;
    int failures = 0;
    std::vector<GroupName> failed;
    bool inResult = false;  // in the base, failures in the range of 组合框_容错
};

// Whether `text` is a three-digit number for 查号 (spaces around it allowed); fails with
// the Chinese reason why not.
Result<void> CheckNumberText(std::string_view text);

// `text` must be a three-digit number (spaces around it allowed); otherwise fails with the
// Chinese reason.
Result<Explanation> ExplainNumber(const Conditions& conditions, std::string_view text);

}  // namespace sanxing::analysis
