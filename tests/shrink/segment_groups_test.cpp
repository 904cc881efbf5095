#include "shrink/segment_groups.h"

#include <gtest/gtest.h>

#include <string>

#include "group_fixture.h"
#include "runtime/hint_texts.h"

namespace sanxing::group_test {
namespace {

class SegmentGroupsTest : public GroupTest {
protected:
    std::optional<NumberSet> Run(std::string content, std::string listTolerance = "0-0",
                                 std::string lineTolerance = "1-1") {
        store.setText("段组", std::move(content));
        store.setText("组合框_段组", std::move(lineTolerance));
        store.setText("组合框_段组容错", std::move(listTolerance));
        return SegmentGroups(store);
    }
};

TEST(SegmentLinePassList, CountsMissedSegments) {
    // 145 misses only 789; 147 misses none; 112 misses two; 000 all three.
    const NumberSet oneMissed = SegmentLinePassList("123-456-789", "1-1");
    EXPECT_TRUE(Passes(oneMissed, {"145"}));
    EXPECT_TRUE(Fails(oneMissed, {"147", "112", "000"}));
    const NumberSet atMostOne = SegmentLinePassList("123-456-789", "0-1");
    EXPECT_TRUE(Passes(atMostOne, {"147", "145"}));
    EXPECT_TRUE(Fails(atMostOne, {"112", "000"}));
    EXPECT_EQ(SegmentLinePassList("123-456-789", "3-3"), SetOf({"000"}));
}

TEST(SegmentLinePassList, SegmentsAreAnyTextAndOnlyDigitsCount) {
    EXPECT_EQ(SegmentLinePassList("1 3-2x4-56789", "0-0"), SegmentLinePassList("13-24-56789", "0-0"));
    EXPECT_TRUE(Passes(SegmentLinePassList("1 3-2x4-56789", "0-0"), {"125"}));
    // An empty or digitless segment is missed by every number.
    const NumberSet emptyMiddle = SegmentLinePassList("1--3", "1-1");
    EXPECT_TRUE(Passes(emptyMiddle, {"130"}));
    EXPECT_TRUE(Fails(emptyMiddle, {"100"}));
    EXPECT_TRUE(SegmentLinePassList("1-号-3", "0-0").empty());
    // A final "-" adds no segment.
    EXPECT_EQ(SegmentLinePassList("123-456-789-", "1-1"), SegmentLinePassList("123-456-789", "1-1"));
}

TEST(SegmentLinePassList, InvalidGroupTextPassesNothing) {
    for (const char* text : {"", "123", "123-456", "1-2-3-4", "-", "--"}) {
        EXPECT_TRUE(SegmentLinePassList(text, "0-3").empty()) << text;
    }
    // "---" gives three empty segments (the last "-" adds none), each missed.
    EXPECT_EQ(SegmentLinePassList("---", "3-3").count(), 1000);
}

TEST_F(SegmentGroupsTest, ActiveOnlyWithADashAndWithoutTheWholeHint) {
    EXPECT_FALSE(SegmentGroups(store));  // starts with the hint
    EXPECT_FALSE(Run(""));
    EXPECT_FALSE(Run("123 456 789"));
    EXPECT_FALSE(Run("147-258-369\r\n" + std::string(kSegmentHint) + "\r\n123-456-789"));
    // Part of the hint is ordinary content: its lines without three segments fail everything.
    const std::string_view withoutFirstLine = kSegmentHint.substr(kSegmentHint.find("\r\n") + 2);
    EXPECT_TRUE(Run(std::string(withoutFirstLine))->empty());
    EXPECT_TRUE(Run("123-456"));
}

TEST_F(SegmentGroupsTest, WorkedExample) {
    const NumberSet defaultRule = *Run("123-456-789");
    EXPECT_EQ(defaultRule, SegmentLinePassList("123-456-789", "1-1"));
    const NumberSet ownRule = *Run("123-456-789=0-1");
    EXPECT_TRUE(Passes(ownRule, {"147", "145"}));
    EXPECT_TRUE(Fails(ownRule, {"112", "000"}));
}

TEST_F(SegmentGroupsTest, LineTolerances) {
    EXPECT_TRUE(Run("=0-1")->empty());
    EXPECT_EQ(*Run("123-456-789=0-1=2"), SegmentLinePassList("123-456-789", "0-1"));
    // Nothing or no range after "=" counts as "0-0", not as the default tolerance.
    const NumberSet noMiss = SegmentLinePassList("123-456-789", "0-0");
    for (const char* line : {"123-456-789=", "123-456-789=x", "123-456-789==0-1", "123-456-789=0-"}) {
        EXPECT_EQ(*Run(line), noMiss) << line;
    }
    // A typed default tolerance that is no range counts as "0-0" too.
    EXPECT_EQ(*Run("123-456-789", "0-0", "一组"), noMiss);
}

TEST_F(SegmentGroupsTest, ListToleranceCountsFailedLines) {
    const std::string lines = "123-456-789=0-0\r\n147-258-369=0-0\r\n0-1-2=0-3";
    const NumberSet strict = *Run(lines, "0-0");
    const NumberSet loose = *Run(lines, "0-1");
    // 159 misses nothing of the first two lines; 145 misses 789 (first) and 369 (second).
    EXPECT_TRUE(Passes(strict, {"159"}));
    EXPECT_TRUE(Fails(strict, {"123"}));
    EXPECT_TRUE(Passes(loose, {"123"}));  // fails only the first line
    EXPECT_TRUE(Fails(loose, {"145"}));   // fails two
    // An empty line fails every number; a final break adds no line.
    EXPECT_EQ(*Run(lines + "\r\n"), strict);
    EXPECT_TRUE(Run(lines + "\r\n\r\n")->empty());
    EXPECT_EQ(*Run(lines + "\r\n\r\n", "0-1"), strict);
}

TEST_F(SegmentGroupsTest, AnyContentIsSafe) {
    EXPECT_TRUE(Run(std::string(1 << 20, '-'))->empty());
    std::string many;
    for (int i = 0; i < 20000; ++i)
        many += std::to_string(i % 10) + "-" + std::to_string(i % 7) + "x-9=1-" + std::to_string(i % 3) + "\r\n";
    EXPECT_TRUE(Run(many, "0-9"));
    EXPECT_TRUE(Run("号-码-如\r\n\xE5\x8D-\xFF\xFE-=\r\n-=-=-", "0-2"));
}

}  // namespace
}  // namespace sanxing::group_test
