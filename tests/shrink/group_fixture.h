#pragma once
// Shared by the condition-group tests: a fresh control store with short ways to set its
// controls, to name numbers and to check which numbers a group's pass set keeps.

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "numbers/number_set.h"
#include "runtime/control_store.h"
#include "shrink/condition_group.h"
#include "window/control_table.h"

namespace sanxing::group_test {

// The number of a three-digit text: "045" is 45.
inline int Number(std::string_view digits) {
    return (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
}

inline NumberSet SetOf(std::initializer_list<std::string_view> numbers) {
    NumberSet set;
    for (std::string_view n : numbers) set.insert(Number(n));
    return set;
}

// The pass set of row `row` (1-based) of the run order.
inline std::optional<NumberSet> RunRow(int row, const Controls& controls) {
    return ConditionGroups()[row - 1].evaluate(controls);
}

// Whether a group is active and keeps every one of `numbers`; Fails: drops every one.
inline ::testing::AssertionResult Passes(const std::optional<NumberSet>& row,
                                         std::initializer_list<std::string_view> numbers) {
    if (!row) return ::testing::AssertionFailure() << "group is inactive";
    for (std::string_view n : numbers) {
        if (!row->contains(Number(n))) return ::testing::AssertionFailure() << n << " fails";
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult Fails(const std::optional<NumberSet>& row,
                                        std::initializer_list<std::string_view> numbers) {
    if (!row) return ::testing::AssertionFailure() << "group is inactive";
    for (std::string_view n : numbers) {
        if (row->contains(Number(n))) return ::testing::AssertionFailure() << n << " passes";
    }
    return ::testing::AssertionSuccess();
}

class GroupTest : public ::testing::Test {
protected:
    ControlStore store{ControlTable()};

    void tick(std::initializer_list<std::string_view> names) { setTicked(names, true); }
    void untick(std::initializer_list<std::string_view> names) { setTicked(names, false); }
    // Ticks (unticks) prefix + d for every digit d in `digits`.
    void tickDigits(std::string_view prefix, std::string_view digits) { setTickedDigits(prefix, digits, true); }
    void untickDigits(std::string_view prefix, std::string_view digits) { setTickedDigits(prefix, digits, false); }
    void setText(std::string_view name, std::string text) { store.setText(name, std::move(text)); }

private:
    void setTicked(std::initializer_list<std::string_view> names, bool ticked) {
        for (const std::string_view name : names) store.setTicked(name, ticked);
    }
    void setTickedDigits(std::string_view prefix, std::string_view digits, bool ticked) {
        for (const char d : digits) store.setTicked(std::string(prefix) + d, ticked);
    }
};

}  // namespace sanxing::group_test
