#include <gtest/gtest.h>

#include <string>

#include "group_fixture.h"
#include "shrink/pair_bankers.h"
#include "shrink/pair_value_boxes.h"

namespace sanxing::group_test {
namespace {

class PairValueBoxTest : public GroupTest {
protected:
    NumberSet Killed(std::optional<NumberSet> (*group)(const Controls&), std::string_view box, std::string text) {
        store.setText(box, std::move(text));
        const std::optional<NumberSet> row = group(store);
        EXPECT_TRUE(row) << box;
        return row ? row->complement() : NumberSet{};
    }
};

TEST_F(PairValueBoxTest, EmptyBoxesAreInactiveAndASpaceKillsNothing) {
    const std::pair<std::optional<NumberSet> (*)(const Controls&), std::string_view> boxes[] = {
        {PairSpanTotalSumBox, "编辑框_两码总跨度和值"},    {PairTailTotalSumBox, "编辑框_两码总合尾和值"},
        {PairProductTotalSumBox, "编辑框_两码总积数和值"}, {HundredsTensSpanBox, "编辑框_百十跨度"},
        {HundredsUnitsSpanBox, "编辑框_百个跨度"},         {TensUnitsSpanBox, "编辑框_十个跨度"},
        {HundredsTensSumTailBox, "编辑框_百十合尾"},       {HundredsUnitsSumTailBox, "编辑框_百个合尾"},
        {TensUnitsSumTailBox, "编辑框_十个合尾"},          {JunkBaseBox, "编辑框_垃圾大底"},
    };
    for (const auto& [group, box] : boxes) {
        EXPECT_FALSE(group(store)) << box;
        EXPECT_TRUE(Killed(group, box, " ").empty()) << box;
    }
}

TEST_F(PairValueBoxTest, SingleDigitPairValues) {
    const NumberSet span = Killed(HundredsTensSpanBox, "编辑框_百十跨度", "0 9");
    EXPECT_TRUE(span.contains(Number("112")));
    EXPECT_TRUE(span.contains(Number("905")));
    EXPECT_FALSE(span.contains(Number("123")));
    EXPECT_EQ(span.count(), 120);
    const NumberSet tail = Killed(HundredsTensSumTailBox, "编辑框_百十合尾", "0");
    for (const char* n : {"000", "190", "199", "550", "559"}) EXPECT_TRUE(tail.contains(Number(n))) << n;
    EXPECT_EQ(tail.count(), 100);
    EXPECT_TRUE(Killed(HundredsUnitsSpanBox, "编辑框_百个跨度", "7").contains(Number("108")));
    EXPECT_TRUE(Killed(TensUnitsSpanBox, "编辑框_十个跨度", "7").contains(Number("529")));
    EXPECT_TRUE(Killed(HundredsUnitsSumTailBox, "编辑框_百个合尾", "1").contains(Number("506")));
    EXPECT_TRUE(Killed(TensUnitsSumTailBox, "编辑框_十个合尾", "1").contains(Number("956")));
}

TEST_F(PairValueBoxTest, TwoDigitTotals) {
    // 123: spans 1, 2, 1 total "04"; 135: 2, 4, 2 total "08".
    const NumberSet spans = Killed(PairSpanTotalSumBox, "编辑框_两码总跨度和值", "04,");
    EXPECT_TRUE(spans.contains(Number("123")));
    EXPECT_FALSE(spans.contains(Number("135")));
    // Only the span total carries a comma in its key.
    EXPECT_TRUE(Killed(PairSpanTotalSumBox, "编辑框_两码总跨度和值", "04").empty());
    EXPECT_EQ(Killed(PairTailTotalSumBox, "编辑框_两码总合尾和值", "04"),
              Killed(PairTailTotalSumBox, "编辑框_两码总合尾和值", ",04,"));
    EXPECT_TRUE(Killed(PairTailTotalSumBox, "编辑框_两码总合尾和值", "1,2,").empty());
    // "112," holds "11" and "12": 155 has the tails 6, 6, 0 (12), 111 has 2, 2, 2 (6).
    const NumberSet tails = Killed(PairTailTotalSumBox, "编辑框_两码总合尾和值", "112,");
    EXPECT_TRUE(tails.contains(Number("155")));
    EXPECT_FALSE(tails.contains(Number("111")));
    // 378: products 21, 24, 56 give 1 + 4 + 6 = 11; 779: 9 + 3 + 3 = 15.
    EXPECT_TRUE(Killed(PairProductTotalSumBox, "编辑框_两码总积数和值", "11").contains(Number("378")));
    EXPECT_TRUE(Killed(PairProductTotalSumBox, "编辑框_两码总积数和值", "15").contains(Number("779")));
}

TEST_F(PairValueBoxTest, JunkBaseKillsEveryThreeDigitWindow) {
    EXPECT_EQ(Killed(JunkBaseBox, "编辑框_垃圾大底", "12345"), SetOf({"123", "234", "345"}));
    EXPECT_EQ(Killed(JunkBaseBox, "编辑框_垃圾大底", "123 456"), SetOf({"123", "456"}));
    EXPECT_EQ(Killed(JunkBaseBox, "编辑框_垃圾大底", "1 2 3\r\n号12"), NumberSet{});
}

using PairBankerTest = GroupTest;

TEST_F(PairBankerTest, RuleComesFromTheSelectedPosition) {
    tickDigits("选择框_百十", "12");
    EXPECT_TRUE(HundredsTensBanker(store)->empty());  // nothing selected
    store.setText("组合框_百十胆", "1-1");            // typed, not selected
    EXPECT_TRUE(HundredsTensBanker(store)->empty());
    store.select("组合框_百十胆", 3);  // "1-1"
    const NumberSet exactlyOne = *HundredsTensBanker(store);
    EXPECT_TRUE(Passes(exactlyOne, {"135", "329"}));
    EXPECT_TRUE(Fails(exactlyOne, {"125", "345"}));
    const int expected[] = {640, 960, 1000, 320, 360};  // c = 0: 8*8*10, 1: 2*2*8*10, 2: 2*2*10
    for (int p = 0; p < 5; ++p) {
        store.select("组合框_百十胆", p);
        EXPECT_EQ(HundredsTensBanker(store)->count(), expected[p]) << p;
    }
}

TEST_F(PairBankerTest, EachBankerGroupUsesItsPair) {
    EXPECT_FALSE(HundredsUnitsBanker(store));
    tickDigits("选择框_百个", "5");
    tickDigits("选择框_十个", "5");
    store.select("组合框_百个胆", 0);
    store.select("组合框_十个胆", 4);
    EXPECT_TRUE(Fails(*HundredsUnitsBanker(store), {"505", "550"}));
    EXPECT_TRUE(Passes(*HundredsUnitsBanker(store), {"050"}));
    EXPECT_TRUE(Passes(*TensUnitsBanker(store), {"055"}));
    EXPECT_TRUE(Fails(*TensUnitsBanker(store), {"500"}));
}

TEST_F(PairBankerTest, AllDigitsTicked) {
    tickDigits("选择框_百十", "0123456789");
    store.select("组合框_百十胆", 0);
    EXPECT_TRUE(HundredsTensBanker(store)->empty());
    store.select("组合框_百十胆", 4);
    EXPECT_EQ(HundredsTensBanker(store)->count(), 1000);
}

TEST_F(PairBankerTest, TwoPairSumsWorkedExample) {
    tickDigits("选择框_百十与百个合", "0");
    store.setTicked("选择框_百十与百个合出1个", true);
    const NumberSet one = *HundredsTensWithHundredsUnitsSums(store);
    EXPECT_TRUE(Passes(one, {"190", "550"}));
    EXPECT_TRUE(Fails(one, {"555", "123"}));
}

TEST_F(PairBankerTest, TwoPairSumsCountBoxes) {
    // Count boxes without digits: inactive; digits without count boxes: empty row.
    store.setTicked("选择框_百十与十个合出0个", true);
    EXPECT_FALSE(HundredsTensWithTensUnitsSums(store));
    store.setTicked("选择框_百十与十个合出0个", false);
    tickDigits("选择框_百十与十个合", "37");
    EXPECT_TRUE(HundredsTensWithTensUnitsSums(store)->empty());
    for (int c = 0; c <= 2; ++c) store.setTicked("选择框_百十与十个合出" + std::to_string(c) + "个", true);
    EXPECT_EQ(HundredsTensWithTensUnitsSums(store)->count(), 1000);
    // Hundreds-units with tens-units, only "both": 123 has tails 4 and 5.
    tickDigits("选择框_百个与十个合", "45");
    store.setTicked("选择框_百个与十个合出2个", true);
    EXPECT_TRUE(Passes(*HundredsUnitsWithTensUnitsSums(store), {"123"}));
    EXPECT_TRUE(Fails(*HundredsUnitsWithTensUnitsSums(store), {"124"}));
}

}  // namespace
}  // namespace sanxing::group_test
