#pragma once
// Back-test and 查号 on small ranges computed by hand. Conditions: 百位7 unticked (row 1
// kills h = 7, 100 numbers), 个位0 and 个位1 unticked (row 3 kills u ∈ {0, 1}, 200
// numbers), 豹子 unticked (row 4 kills the 10 triples). Failures of the universe by hand:
// 287 numbers fail at least one group, 23 fail two (20 with h = 7 and u ∈ {0, 1}, plus
// 777, 000, 111), none fails three: 713 with no failure, 264 with one.

#include <gtest/gtest.h>

#include "analysis/backtest.h"
#include "runtime/control_store.h"
#include "window/control_table.h"

namespace sanxing::analysis {

// Front three digits: 712 (row 1), 700 (rows 1, 3), 555 (row 4), 123 (none), 799 (row 1), 341 (row 3).
inline const std::vector<Draw> kDraws = {{"001", "71234"}, {"002", "70001"}, {"003", "55500"},
                                         {"004", "12399"}, {"005", "79977"}, {"006", "34121"}};

class BacktestTest : public ::testing::Test {
protected:
    ControlStore store{ControlTable()};

    void SetUp() override {
        for (const char* box : {"选择框_百位7", "选择框_个位0", "选择框_个位1", "选择框_豹子"})
            store.setTicked(box, false);
    }
    Backtest run(const std::vector<Draw>& draws = kDraws) {
        return RunBacktest(Conditions::FromControls(store), AnalyseDraws(draws, 5, Position::Front).draws);
    }
};

}  // namespace sanxing::analysis
