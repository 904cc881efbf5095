#pragma once
// A fresh control store for each test of the selection groups, with short helpers to set
// controls and to read a group's row by number text.

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "numbers/number_set.h"
#include "runtime/control_store.h"
#include "window/control_table.h"

namespace sanxing::selection_test {

inline int Value(std::string_view number) {
    return (number[0] - '0') * 100 + (number[1] - '0') * 10 + (number[2] - '0');
}

class SelectionGroupTest : public ::testing::Test {
protected:
    ControlStore store{ControlTable()};

    void untick(std::initializer_list<std::string_view> names) {
        for (const std::string_view name : names) store.setTicked(name, false);
    }
    void tick(std::initializer_list<std::string_view> names) {
        for (const std::string_view name : names) store.setTicked(name, true);
    }
    // Unticks prefix + d for every digit d in `digits`.
    void untickDigits(std::string_view prefix, std::string_view digits) {
        for (const char d : digits) store.setTicked(std::string(prefix) + d, false);
    }
    void tickDigits(std::string_view prefix, std::string_view digits) {
        for (const char d : digits) store.setTicked(std::string(prefix) + d, true);
    }
    void setText(std::string_view name, std::string text) { store.setText(name, std::move(text)); }
};

// The numbers of `row` among `numbers` that pass, and those that fail, for readable checks.
inline ::testing::AssertionResult Passes(const std::optional<NumberSet>& row,
                                         std::initializer_list<const char*> numbers) {
    if (!row) return ::testing::AssertionFailure() << "group is inactive";
    for (const char* n : numbers) {
        if (!row->contains(Value(n))) return ::testing::AssertionFailure() << n << " fails";
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult Fails(const std::optional<NumberSet>& row,
                                        std::initializer_list<const char*> numbers) {
    if (!row) return ::testing::AssertionFailure() << "group is inactive";
    for (const char* n : numbers) {
        if (row->contains(Value(n))) return ::testing::AssertionFailure() << n << " passes";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace sanxing::selection_test
