#include "shrink/exclusion_lists.h"

#include <gtest/gtest.h>

#include <string>

#include "group_fixture.h"
#include "runtime/hint_texts.h"

namespace sanxing::group_test {
namespace {

NumberSet Line(std::string_view box, std::string_view line) { return LineTest(ExclusionListFor(box), line); }

// Numbers not passing a line.
NumberSet Killed(std::string_view box, std::string_view line) { return Line(box, line).complement(); }

TEST(LineTest, DigitListsLookAtTheirPosition) {
    EXPECT_EQ(Killed("杀百位", "12").count(), 200);
    EXPECT_TRUE(Fails(Line("杀百位", "12"), {"213"}));
    EXPECT_TRUE(Passes(Line("杀百位", "12"), {"312"}));
    EXPECT_TRUE(Fails(Line("杀十位", "5"), {"150"}));
    EXPECT_TRUE(Passes(Line("杀十位", "5"), {"105"}));
    EXPECT_TRUE(Fails(Line("杀个位", "0,9"), {"129"}));
    EXPECT_TRUE(Passes(Line("杀个位", "0,9"), {"901"}));
}

TEST(LineTest, PositionalCompoundAndBankerDigits) {
    EXPECT_TRUE(Passes(Line("杀定位", "1"), {"345"}));
    EXPECT_TRUE(Fails(Line("杀定位", "1"), {"301"}));
    // 杀复式 "12" kills the eight numbers made only of 1 and 2.
    EXPECT_EQ(Killed("杀复式", "12"), SetOf({"111", "112", "121", "122", "211", "212", "221", "222"}));
    EXPECT_TRUE(Passes(Line("杀复式", "12"), {"123"}));
    EXPECT_TRUE(Passes(Line("定胆码组", "12"), {"130"}));
    EXPECT_TRUE(Fails(Line("定胆码组", "12"), {"345"}));
}

TEST(LineTest, SumTailAndSpanAreSingleDigits) {
    const NumberSet tail = Line("杀合尾", "0");
    EXPECT_TRUE(Fails(tail, {"000", "055"}));
    EXPECT_TRUE(Fails(tail, {"569"}));   // sum 20
    EXPECT_TRUE(Passes(tail, {"999"}));  // sum 27
    EXPECT_EQ(Killed("杀跨度", "0"), SetOf({"000", "111", "222", "333", "444", "555", "666", "777", "888", "999"}));
    EXPECT_TRUE(Fails(Line("杀跨度", "9"), {"909"}));
    EXPECT_TRUE(Passes(Line("杀跨度", "9"), {"123"}));
}

TEST(LineTest, SumsAreSearchedAsTwoDigits) {
    EXPECT_EQ(Killed("杀和值", "1 2 3").count(), 0);
    // "0102" holds "01", "10" and "02".
    const NumberSet killed = Killed("杀和值", "0102");
    EXPECT_TRUE(killed.contains(Number("055")));
    EXPECT_TRUE(killed.contains(Number("100")));
    EXPECT_TRUE(killed.contains(Number("011")));
    EXPECT_FALSE(killed.contains(Number("012")));
    EXPECT_EQ(Killed("杀和值", "27").complement().count(), 999);
}

TEST(LineTest, PairCombinationsInEitherOrder) {
    const NumberSet killed = Killed("杀二码组合", "01 02");
    for (const char* n : {"100", "210", "302", "001", "020", "150"}) EXPECT_TRUE(killed.contains(Number(n))) << n;
    for (const char* n : {"111", "345", "000", "121"}) EXPECT_FALSE(killed.contains(Number(n))) << n;
    EXPECT_EQ(Killed("杀二码组合", "1 2").count(), 0);
    EXPECT_EQ(Killed("杀二码组合", "55"),
              NumberSet::Where([](int n) { return (n / 100 == 5) + (n / 10 % 10 == 5) + (n % 10 == 5) >= 2; }));
}

TEST(LineTest, ShapeWordsStandForFiveDigitSets) {
    const NumberSet allOdd = Killed("杀大小单双", "单单单");
    EXPECT_EQ(allOdd.count(), 125);
    EXPECT_TRUE(allOdd.contains(Number("135")));
    EXPECT_FALSE(allOdd.contains(Number("134")));
    const NumberSet bigSmallOdd = Killed("杀大小单双", "大小单");
    EXPECT_EQ(bigSmallOdd.count(), 125);
    EXPECT_TRUE(bigSmallOdd.contains(Number("501")));
    EXPECT_FALSE(bigSmallOdd.contains(Number("451")));
    // Fifteen digits give three five-digit sets; more bytes are ignored.
    EXPECT_EQ(Killed("杀大小单双", "012340123401234"), Killed("杀大小单双", "小小小"));
    EXPECT_EQ(Killed("杀大小单双", "小小小999"), Killed("杀大小单双", "小小小"));
}

TEST(LineTest, ShapeSetsAreCutFromTheGbkBytes) {
    // "单 单单" becomes "13579 1357913579": the tens set is " 1357", the units "91357".
    const NumberSet spaced = Killed("杀大小单双", "单 单单");
    EXPECT_TRUE(spaced.contains(Number("119")));
    EXPECT_FALSE(spaced.contains(Number("199")));
    // A CJK character takes two bytes: "号单单单" gives the sets "135", "79135", "79135".
    const NumberSet cjk = Killed("杀大小单双", "号单单单");
    EXPECT_TRUE(cjk.contains(Number("577")));
    EXPECT_FALSE(cjk.contains(Number("777")));
    EXPECT_EQ(cjk.count(), 3 * 5 * 5);
    // A character without a GBK form is one byte "?".
    EXPECT_EQ(Killed("杀大小单双", "😀单单单").count(), 4 * 5 * 5);
    // Short lines leave the later sets empty: nothing is killed.
    EXPECT_EQ(Killed("杀大小单双", "单单").count(), 0);
    EXPECT_EQ(Killed("杀大小单双", "").count(), 0);
}

TEST(LineTest, LinesWithoutWantedCharactersNeverKill) {
    for (const ExclusionList& list : ExclusionLists()) {
        if (list.box == "定胆码组") {
            EXPECT_TRUE(LineTest(list, "号码如下").empty());
            EXPECT_TRUE(LineTest(list, "").empty());
            continue;
        }
        for (std::string_view line : {"", "号码如下", "   ", "abc\r"}) {
            EXPECT_EQ(LineTest(list, line).count(), 1000) << list.box;
        }
    }
}

class ExclusionListTest : public GroupTest {
protected:
    std::optional<NumberSet> Run(std::string_view box, std::string content, std::string tolerance = "0-0") {
        const ExclusionList& list = ExclusionListFor(box);
        store.setText(list.box, std::move(content));
        store.setText(list.toleranceCombo, std::move(tolerance));
        return EvaluateExclusionList(list, store);
    }
};

TEST_F(ExclusionListTest, HintOrEmptyBoxIsInactive) {
    for (const ExclusionList& list : ExclusionLists()) {
        EXPECT_FALSE(EvaluateExclusionList(list, store)) << list.box << " starts with its hint";
        EXPECT_FALSE(Run(list.box, "")) << list.box;
    }
    // Any change to the hint makes the list active, and the hint's lines count.
    const std::optional<NumberSet> edited = Run("杀百位", std::string(kNumbersHint) + " ");
    ASSERT_TRUE(edited);
    EXPECT_TRUE(edited->empty());  // 123, 456, 789, 012 kill every hundreds digit
    // Every number violates the two lines without digits, and 147 no other.
    EXPECT_TRUE(Run("定胆码组", std::string(kNumbersHint) + "\r\n", "0-1")->empty());
    EXPECT_TRUE(Passes(*Run("定胆码组", std::string(kNumbersHint) + "\r\n", "0-2"), {"147"}));
    EXPECT_EQ(Run("定胆码组", std::string(kNumbersHint) + "\r\n", "0-6")->count(), 1000);
    // Another list's hint is content like any other.
    EXPECT_TRUE(Run("杀和值", std::string(kNumbersHint)));
}

TEST_F(ExclusionListTest, WorkedExampleOfTolerance) {
    const NumberSet loose = *Run("杀定位", "1\r\n2", "0-1");
    EXPECT_TRUE(Passes(loose, {"345", "100"}));
    EXPECT_TRUE(Fails(loose, {"120"}));
    const NumberSet strict = *Run("杀定位", "1\r\n2", "0-0");
    EXPECT_TRUE(Passes(strict, {"345"}));
    EXPECT_TRUE(Fails(strict, {"100"}));
    EXPECT_EQ(*Run("杀定位", "1\r\n2", "1-0"), loose);
    const NumberSet exactlyTwo = *Run("杀定位", "1\r\n2", "2-2");
    EXPECT_TRUE(Passes(exactlyTwo, {"120"}));
    EXPECT_TRUE(Fails(exactlyTwo, {"100"}));
    // A typed text that is not "a-b" counts as "0-0".
    for (const char* typed : {"", "abc", "1", "0-", "-1", "0-1-2"})
        EXPECT_EQ(*Run("杀定位", "1\r\n2", typed), strict) << typed;
}

TEST_F(ExclusionListTest, ToleranceCountsAllLines) {
    // 0-9 with twelve lines: nine "1" and three "2". 100 violates nine, 120 twelve.
    std::string content = "1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n2\r\n2\r\n2";
    const NumberSet passing = *Run("杀定位", content, "0-9");
    EXPECT_TRUE(Passes(passing, {"100", "200"}));
    EXPECT_TRUE(Fails(passing, {"120"}));
    // Ten "1" lines out of twelve: ten violations fail.
    content = "1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n3\r\n4";
    EXPECT_TRUE(Fails(*Run("杀定位", content, "0-9"), {"100"}));
}

TEST_F(ExclusionListTest, EmptyLinesAndFinalBreak) {
    // The empty middle line passes every number in a kill list ...
    EXPECT_EQ(*Run("杀定位", "1\r\n\r\n2", "0-0"), *Run("杀定位", "1\r\n2", "0-0"));
    // ... and every number violates it in 定胆码组.
    EXPECT_TRUE(Run("定胆码组", "12\r\n\r\n34", "0-0")->empty());
    EXPECT_TRUE(Passes(*Run("定胆码组", "12\r\n\r\n34", "0-1"), {"130"}));
    // A final line break adds no line; a second one adds an empty line.
    const NumberSet oneLine = *Run("定胆码组", "1", "0-0");
    EXPECT_EQ(oneLine.count(), 271);
    EXPECT_EQ(*Run("定胆码组", "1\r\n", "0-0"), oneLine);
    EXPECT_TRUE(Run("定胆码组", "1\r\n\r\n", "0-0")->empty());
    // A lone LF is not a line break.
    EXPECT_EQ(Run("定胆码组", "1\n2", "0-0")->count(), NumberSet::Where([](int n) {
                                                           return n / 100 == 1 || n / 100 == 2 || n / 10 % 10 == 1 ||
                                                                  n / 10 % 10 == 2 || n % 10 == 1 || n % 10 == 2;
                                                       }).count());
}

TEST_F(ExclusionListTest, BankerDigitGroupsNeedADigitOfEachLine) {
    const NumberSet both = *Run("定胆码组", "12\r\n34", "0-0");
    EXPECT_TRUE(Passes(both, {"130"}));
    EXPECT_TRUE(Fails(both, {"120"}));
    const NumberSet either = *Run("定胆码组", "12\r\n34", "0-1");
    EXPECT_TRUE(Passes(either, {"120"}));
    EXPECT_TRUE(Fails(either, {"567"}));
}

TEST_F(ExclusionListTest, ListKillingEverythingGivesEmptyRow) {
    const std::optional<NumberSet> row = Run("杀百位", "0123456789");
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->empty());
}

TEST_F(ExclusionListTest, AnyContentIsSafe) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 131 % 256);
    std::string huge(1 << 20, '5');
    for (std::size_t i = 0; i < huge.size(); i += 7) huge[i] = '\xE5';  // broken UTF-8 all over
    for (const ExclusionList& list : ExclusionLists()) {
        EXPECT_TRUE(Run(list.box, binary, "0-3")) << list.box;
        EXPECT_TRUE(Run(list.box, huge)) << list.box;
        EXPECT_TRUE(Run(list.box, "\r\n\r\n\r\n单 双\t大小 号码如下 ，。", "0-1")) << list.box;
    }
    EXPECT_EQ(Run("杀百位", std::string(1 << 20, '\r'))->count(), 1000);
    // A megabyte of short lines: 300,000 lines, each violated by the numbers holding 1 or 2.
    std::string manyLines;
    for (int i = 0; i < 300000; ++i) manyLines += i % 2 ? "12\r\n" : "21\r\n";
    EXPECT_EQ(*Run("杀定位", manyLines, "0-299999"), *Run("杀定位", "12"));
    EXPECT_EQ(Run("杀定位", manyLines, "0-300000")->count(), 1000);
}

}  // namespace
}  // namespace sanxing::group_test
