#include "shrink/positional_digits.h"

#include "group_fixture.h"
#include "numbers/failure_table.h"
#include "shrink/shrink_run.h"

namespace sanxing::group_test {
namespace {

using PositionalDigits = GroupTest;

TEST_F(PositionalDigits, InactiveWhileEveryBoxIsTicked) {
    EXPECT_FALSE(HundredsDigitGroup(store));
    EXPECT_FALSE(TensDigitGroup(store));
    EXPECT_FALSE(UnitsDigitGroup(store));
}

TEST_F(PositionalDigits, OneUntickedDigitKeepsTheOtherNineHundred) {
    untick({"选择框_百位0"});
    const auto row = HundredsDigitGroup(store);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->count(), 900);
    EXPECT_TRUE(Passes(row, {"100", "999"}));
    EXPECT_TRUE(Fails(row, {"000", "099"}));
    EXPECT_FALSE(TensDigitGroup(store));
}

TEST_F(PositionalDigits, EachPositionReadsItsOwnDigit) {
    untick({"选择框_十位3"});
    EXPECT_TRUE(Fails(TensDigitGroup(store), {"030", "939"}));
    EXPECT_TRUE(Passes(TensDigitGroup(store), {"300", "003"}));
    untick({"选择框_个位3"});
    EXPECT_TRUE(Fails(UnitsDigitGroup(store), {"003", "993"}));
    EXPECT_TRUE(Passes(UnitsDigitGroup(store), {"300", "030"}));
}

TEST_F(PositionalDigits, AllTenUntickedGiveAnEmptyRow) {
    untickDigits("选择框_个位", "0123456789");
    const auto row = UnitsDigitGroup(store);
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->empty());
}

TEST_F(PositionalDigits, EveryWrongPositionCountsAsOneFailure) {
    untick({"选择框_百位5", "选择框_十位5", "选择框_个位5"});
    FailureTable table;
    BuildFailureTable(store, table);
    EXPECT_EQ(table.rowCount(), 3u);
    EXPECT_EQ(table.failureCount("555"), 3);
    EXPECT_EQ(table.failureCount("515"), 2);
    EXPECT_EQ(table.failureCount("105"), 1);
}

}  // namespace
}  // namespace sanxing::group_test
