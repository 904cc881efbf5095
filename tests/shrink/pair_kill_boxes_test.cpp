#include "shrink/pair_kill_boxes.h"

#include "group_fixture.h"
#include "numbers/failure_table.h"
#include "shrink/shrink_run.h"

namespace sanxing::group_test {
namespace {

using PairKillBoxes = GroupTest;

TEST_F(PairKillBoxes, InactiveWhileTheBoxesAreEmpty) {
    for (const auto group : {JunkCompoundGroup, HundredsTensSumGroup, HundredsUnitsSumGroup, TensUnitsSumGroup,
                             HundredsTensCodeGroup, HundredsUnitsCodeGroup, TensUnitsCodeGroup, PairSpanTotalGroup,
                             PairSumTailTotalGroup, PairProductTailTotalGroup}) {
        EXPECT_FALSE(group(store));
    }
}

TEST_F(PairKillBoxes, AnyTextMakesABoxActive) {
    setText("编辑框_十个两码", " ");
    ASSERT_TRUE(TensUnitsCodeGroup(store));
    EXPECT_EQ(*TensUnitsCodeGroup(store), NumberSet::Universe());
}

TEST_F(PairKillBoxes, PairSumNeedsTwoDigitsAndAComma) {
    setText("编辑框_百十和值", "05,");
    EXPECT_TRUE(Fails(HundredsTensSumGroup(store), {"230", "509", "050"}));
    EXPECT_TRUE(Passes(HundredsTensSumGroup(store), {"150", "780"}));
    EXPECT_EQ(HundredsTensSumGroup(store)->count(), 940);

    setText("编辑框_百个和值", "15,");
    EXPECT_TRUE(Fails(HundredsUnitsSumGroup(store), {"708", "906"}));
    EXPECT_TRUE(Passes(HundredsUnitsSumGroup(store), {"014", "005"}));

    setText("编辑框_十个和值", "5,15 ,07");
    EXPECT_TRUE(Passes(TensUnitsSumGroup(store), {"005", "069", "007"})) << "no comma right after the digits";
    setText("编辑框_十个和值", ",05,,12,");
    EXPECT_TRUE(Fails(TensUnitsSumGroup(store), {"005", "039"}));
    EXPECT_TRUE(Passes(TensUnitsSumGroup(store), {"006", "069"}));
}

TEST_F(PairKillBoxes, PairSumFailsOncePerBox) {
    setText("编辑框_百个和值", "15,");
    FailureTable table;
    BuildFailureTable(store, table);
    EXPECT_EQ(table.rowCount(), 1u);
    EXPECT_EQ(table.failureCount("708"), 1);
    EXPECT_EQ(table.failureCount("014"), 0);
}

TEST_F(PairKillBoxes, PairCodeIsOrderedAndCrossesEntriesOnlyBetweenDigits) {
    setText("编辑框_百十两码", "35");
    const auto row = HundredsTensCodeGroup(store);
    EXPECT_EQ(row->count(), 990);
    EXPECT_TRUE(Fails(row, {"350", "359"}));
    EXPECT_TRUE(Passes(row, {"530", "035"}));

    setText("编辑框_百个两码", "3570");
    EXPECT_TRUE(Fails(HundredsUnitsCodeGroup(store), {"305", "517", "700"}));
    setText("编辑框_百个两码", "35,70");
    EXPECT_TRUE(Fails(HundredsUnitsCodeGroup(store), {"305", "700"}));
    EXPECT_TRUE(Passes(HundredsUnitsCodeGroup(store), {"517", "507"})) << "no code 57 or 5, across the comma";
    setText("编辑框_百个两码", "3中5 7\r\n0");
    EXPECT_TRUE(HundredsUnitsCodeGroup(store)->count() == 1000);
}

TEST_F(PairKillBoxes, TotalsTakeTheLastDigitOfThreePairValues) {
    setText("编辑框_两码总跨度", "0");
    EXPECT_TRUE(Fails(PairSpanTotalGroup(store), {"000", "050", "161"}));  // 0; 5 + 0 + 5; 5 + 0 + 5
    EXPECT_TRUE(Passes(PairSpanTotalGroup(store), {"123", "019"}));        // 1 + 2 + 1; 1 + 9 + 8

    setText("编辑框_两码总合尾", "x4y");
    EXPECT_TRUE(Fails(PairSumTailTotalGroup(store), {"999", "246"}));  // 8 + 8 + 8; 6 + 8 + 0
    EXPECT_TRUE(Passes(PairSumTailTotalGroup(store), {"123", "000"}));

    setText("编辑框_两码总积数", "1");
    EXPECT_TRUE(Fails(PairProductTailTotalGroup(store), {"123", "178"}));   // 2 + 3 + 6; 7 + 8 + 6
    EXPECT_TRUE(Passes(PairProductTailTotalGroup(store), {"159", "000"}));  // 5 + 9 + 5

    setText("编辑框_两码总积数", "0,1,2,3,4,5,6,7,8,9");
    EXPECT_TRUE(PairProductTailTotalGroup(store)->empty());
}

TEST_F(PairKillBoxes, JunkCompoundNeedsAllThreeBoxes) {
    setText("垃圾复试_百位", "01");
    setText("垃圾复试_十位", "23");
    EXPECT_FALSE(JunkCompoundGroup(store));
    setText("垃圾复试_个位", "45");
    const auto row = JunkCompoundGroup(store);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->count(), 992);
    EXPECT_TRUE(Fails(row, {"024", "025", "034", "035", "124", "125", "134", "135"}));
    setText("垃圾复试_个位", "4,5");
    EXPECT_EQ(*JunkCompoundGroup(store), *row);
    setText("垃圾复试_个位", "无");
    EXPECT_EQ(*JunkCompoundGroup(store), NumberSet::Universe());
}

}  // namespace
}  // namespace sanxing::group_test
