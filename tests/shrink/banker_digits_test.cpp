#include "shrink/banker_digits.h"

#include "group_fixture.h"

namespace sanxing::group_test {
namespace {

using BankerDigits = GroupTest;

TEST_F(BankerDigits, InactiveUntilACountIsAskedFor) {
    EXPECT_FALSE(BankerGroup1(store));
    untickDigits("选择框_胆1码", "");
    tick({"选择框_胆1出0"});
    EXPECT_FALSE(BankerGroup1(store)) << "出0个 without a banker digit asks for nothing";
    tickDigits("选择框_胆1码", "5");
    EXPECT_TRUE(BankerGroup1(store));
    EXPECT_FALSE(BankerGroup2(store));
    EXPECT_FALSE(BankerGroup3(store));
}

TEST_F(BankerDigits, CountWithoutBankerDigitsGivesAnEmptyRow) {
    tick({"选择框_胆2出1"});
    const auto row = BankerGroup2(store);
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->empty());
}

TEST_F(BankerDigits, RepeatedDigitsCountOnce) {
    tickDigits("选择框_胆1码", "12");
    tick({"选择框_胆1出2"});
    const auto row = BankerGroup1(store);
    EXPECT_TRUE(Passes(row, {"112", "120", "221", "212"}));
    EXPECT_TRUE(Fails(row, {"111", "345", "103", "222"}));

    tickDigits("选择框_胆3码", "1");
    tick({"选择框_胆3出1"});
    EXPECT_TRUE(Passes(BankerGroup3(store), {"112", "111", "100"}));
    EXPECT_TRUE(Fails(BankerGroup3(store), {"000", "234"}));
}

TEST_F(BankerDigits, ThreeBankersAllPresent) {
    tickDigits("选择框_胆2码", "123");
    tick({"选择框_胆2出3"});
    const auto row = BankerGroup2(store);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->count(), 6);
    EXPECT_TRUE(Passes(row, {"123", "132", "213", "231", "312", "321"}));
}

TEST_F(BankerDigits, NoneOrOneOfOneBankerKeepsEverything) {
    tickDigits("选择框_胆1码", "5");
    tick({"选择框_胆1出0", "选择框_胆1出1"});
    ASSERT_TRUE(BankerGroup1(store));
    EXPECT_EQ(*BankerGroup1(store), NumberSet::Universe());
}

TEST_F(BankerDigits, PanelsAreIndependent) {
    tickDigits("选择框_胆1码", "0");
    tick({"选择框_胆1出0"});
    tickDigits("选择框_胆3码", "9");
    tick({"选择框_胆3出1"});
    EXPECT_TRUE(Fails(BankerGroup1(store), {"100"}));
    EXPECT_TRUE(Passes(BankerGroup1(store), {"999"}));
    EXPECT_FALSE(BankerGroup2(store));
    EXPECT_TRUE(Passes(BankerGroup3(store), {"999"}));
    EXPECT_TRUE(Fails(BankerGroup3(store), {"100"}));
}

}  // namespace
}  // namespace sanxing::group_test
