#include <gtest/gtest.h>

#include "numbers/set_text.h"
#include "runtime/control_store.h"
#include "shrink/condition_group.h"
#include "shrink/shrink_run.h"
#include "window/control_table.h"

namespace sanxing {
namespace {

// A table whose rows fail `token` for the given number of rows.
FailureTable TableFailing(int number, int failures, int rows) {
    FailureTable table;
    for (int r = 0; r < rows; ++r) {
        NumberSet row = NumberSet::Universe();
        if (r < failures) row.erase(number);
        table.addRow(row);
    }
    return table;
}

TEST(FilterBase, NoRowsKeepsTheBaseAsItIs) {
    FailureTable table;
    EXPECT_EQ(FilterBase(table, "123 123", "0-0"), "123 123 ");
    EXPECT_EQ(FilterBase(table, "5  12 x", "0-0"), "5  12 x ");
    EXPECT_EQ(FilterBase(table, "123 ", "0-0"), "123 ");
    EXPECT_EQ(FilterBase(table, "123", "1-1"), "");
}

TEST(FilterBase, EmptyBaseStandsForTheUniverse) {
    FailureTable table;
    EXPECT_EQ(FilterBase(table, "", "0-0"), std::string(UniverseText()) + " ");
    table.addRow(NumberSet::Where([](int n) { return n != 789; }));
    const std::string result = FilterBase(table, "", "0-0");
    EXPECT_EQ(CountSetText(result), 999u);
    EXPECT_EQ(FilterBase(table, "", "1-1"), "789 ");
}

TEST(FilterBase, ToleranceRangeBounds) {
    const FailureTable twelve = TableFailing(123, 12, 54);
    EXPECT_EQ(FilterBase(twelve, "123 456", "0-2"), "456 ");
    EXPECT_EQ(FilterBase(twelve, "123 456", "0-12"), "123 456 ");
    EXPECT_EQ(FilterBase(twelve, "123 456", "12-12"), "123 ");
    EXPECT_EQ(FilterBase(twelve, "123 456", "13-10"), "123 ");
    const FailureTable one = TableFailing(123, 1, 3);
    EXPECT_EQ(FilterBase(one, "123 456 123", "1-1"), "123 123 ");
    EXPECT_EQ(FilterBase(one, "123 456", "1-5"), "123 ");
    EXPECT_EQ(FilterBase(one, "123 456", "0-5"), "123 456 ");
}

TEST(FilterBase, TypedToleranceThatIsNoRangeMeansZeroZero) {
    const FailureTable one = TableFailing(123, 1, 3);
    for (const char* typed : {"", "2", "abc", "0-", "1-2-3", "0-x"}) {
        EXPECT_EQ(FilterBase(one, "123 456", typed), "456 ") << typed;
    }
}

TEST(FilterBase, OddTokensKeepTheirSubstringMeaning) {
    FailureTable table;
    table.addRow(NumberSet::Where([](int n) { return n == 120; }));  // row text "120 "
    table.addRow(NumberSet());                                       // empty row
    // "" is in the non-empty row only; "12" and "20" are inside 120; "1234" and "1a3" nowhere.
    EXPECT_EQ(FilterBase(table, "a  12 1234 1a3 20", "1-1"), " 12 20 ");
    EXPECT_EQ(FilterBase(table, "a  12 1234 1a3 20", "2-2"), "a 1234 1a3 ");
}

TEST(RunShrink, WritesTheResultAndItsCount) {
    ControlStore controls(ControlTable());
    FailureTable table;
    controls.setText("编辑框_大底", "123 456 789");
    RunShrink(controls, table);
    EXPECT_EQ(controls.text("编辑框_结果"), "123 456 789 ");
    EXPECT_EQ(controls.text("标签_缩水结果"), "3注");
    controls.setText("编辑框_大底", "");
    RunShrink(controls, table);
    EXPECT_EQ(controls.text("标签_缩水结果"), "1000注");
    controls.select("组合框_容错", 6);  // "1-1"
    RunShrink(controls, table);
    EXPECT_EQ(controls.text("编辑框_结果"), "");
    EXPECT_EQ(controls.text("标签_缩水结果"), "0注");
}

TEST(RunOrder, FiftyFourGroupsNumberedInOrder) {
    const auto groups = ConditionGroups();
    ASSERT_EQ(groups.size(), 54u);
    for (std::size_t i = 0; i < groups.size(); ++i) EXPECT_EQ(groups[i].row, static_cast<int>(i) + 1);
}

TEST(RunOrder, NoGroupIsActiveInTheInitialState) {
    const ControlStore controls(ControlTable());
    for (const ConditionGroup& group : ConditionGroups()) {
        if (group.evaluate) {
            EXPECT_FALSE(group.evaluate(controls).has_value()) << group.name;
        }
    }
}

}  // namespace
}  // namespace sanxing
