#include "shrink/key_panels.h"

#include "group_fixture.h"

namespace sanxing::group_test {
namespace {

using KeyPanels = GroupTest;

TEST_F(KeyPanels, InactiveWhileEveryBoxIsTicked) {
    EXPECT_FALSE(SumTailGroup(store));
    EXPECT_FALSE(SpanGroup(store));
    EXPECT_FALSE(SumGroup(store));
    EXPECT_FALSE(FixedSumChangeGroup(store));
    EXPECT_FALSE(FixedSumProductGroup(store));
}

TEST_F(KeyPanels, EveryBoxUntickedGivesAnEmptyRow) {
    untickDigits("选择框_跨度", "0123456789");
    ASSERT_TRUE(SpanGroup(store));
    EXPECT_TRUE(SpanGroup(store)->empty());
    for (int sum = 0; sum <= 27; ++sum) {
        store.setTicked("选择框_合值" + std::string(sum < 10 ? "0" : "") + std::to_string(sum), false);
    }
    ASSERT_TRUE(SumGroup(store));
    EXPECT_TRUE(SumGroup(store)->empty());
}

TEST_F(KeyPanels, SumTailZeroKillsSumsZeroTenAndTwenty) {
    untick({"选择框_合尾0"});
    const auto row = SumTailGroup(store);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->count(), 900);
    EXPECT_TRUE(Fails(row, {"000", "019", "992", "299"}));
    EXPECT_TRUE(Passes(row, {"001", "999"}));
}

TEST_F(KeyPanels, SpanComesFromTheSmallestAndLargestDigit) {
    untick({"选择框_跨度0"});
    const auto zero = SpanGroup(store);
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->count(), 990);
    EXPECT_TRUE(Fails(zero, {"000", "555", "999"}));
    tick({"选择框_跨度0"});
    untick({"选择框_跨度9"});
    EXPECT_TRUE(Fails(SpanGroup(store), {"907", "090", "099"}));
    tick({"选择框_跨度9"});
    untick({"选择框_跨度1"});
    EXPECT_TRUE(Fails(SpanGroup(store), {"454", "544", "011"}));
    EXPECT_TRUE(Passes(SpanGroup(store), {"907", "000", "135"}));
}

TEST_F(KeyPanels, SumMatchesOneWholeValue) {
    untick({"选择框_合值27"});
    const auto top = SumGroup(store);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->count(), 999);
    EXPECT_TRUE(Fails(top, {"999"}));
    // 05 and 17 unticked: sums 5 and 17 fail, but neither 7 ("5,1" and ",17") nor 1 or 15.
    tick({"选择框_合值27"});
    untick({"选择框_合值05", "选择框_合值17"});
    EXPECT_TRUE(Fails(SumGroup(store), {"005", "230", "980", "089"}));
    EXPECT_TRUE(Passes(SumGroup(store), {"007", "001", "015", "159", "960"}));
}

TEST_F(KeyPanels, FixedSumChangeUsesHPlusTwoTPlusU) {
    untick({"选择框_定合变0"});
    const auto row = FixedSumChangeGroup(store);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->count(), 900);
    EXPECT_TRUE(Fails(row, {"000", "018", "026", "109", "117"}));
    EXPECT_TRUE(Passes(row, {"001", "010"}));
}

TEST_F(KeyPanels, FixedSumProductUsesHTimesTPlusU) {
    untick({"选择框_定合积0"});
    const auto row = FixedSumProductGroup(store);
    ASSERT_TRUE(row);
    // 2 × 5 + 0 = 10, 3 × 3 + 1 = 10, 9 × 9 + 9 = 90; 018 has h + 2t + u = 10 but 0 × 1 + 8 = 8.
    EXPECT_TRUE(Fails(row, {"000", "250", "331", "999", "100"}));
    EXPECT_TRUE(Passes(row, {"018", "001", "235"}));
    untick({"选择框_定合变0"});
    EXPECT_NE(*row, *FixedSumChangeGroup(store));
}

}  // namespace
}  // namespace sanxing::group_test
