#pragma once
// Shared by the condition-group tests: a fresh control store and short ways to name
// numbers and to run one group of the run order.

#include <initializer_list>
#include <optional>
#include <string_view>

#include "numbers/number_set.h"
#include "runtime/control_store.h"
#include "shrink/condition_group.h"
#include "window/control_table.h"

namespace sanxing::group_test {

inline int Number(std::string_view digits) {
    return (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
}

inline bool Passes(const NumberSet& set, std::string_view number) { return set.contains(Number(number)); }

inline NumberSet SetOf(std::initializer_list<std::string_view> numbers) {
    NumberSet set;
    for (std::string_view n : numbers) set.insert(Number(n));
    return set;
}

inline std::optional<NumberSet> RunRow(int row, const Controls& controls) {
    return ConditionGroups()[row - 1].evaluate(controls);
}

class GroupTest : public ::testing::Test {
protected:
    ControlStore store{ControlTable()};
};

}  // namespace sanxing::group_test
