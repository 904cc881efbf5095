#include "draws/pattern_matcher.h"

#include <gtest/gtest.h>

#include "draws/draw_markers.h"
#include "net/local_http_server.h"
#include "runtime/time_limits.h"

namespace sanxing {
namespace {

const std::string kTwoDrawFeed =
    "<xml>\r\n<row expect=\"20140512023\" opencode=\"1,2,3,4,5\" opentime=\"2014-05-12 01:55:00\"/>\r\n"
    "<row expect=\"20140512022\" opencode=\"0,9,8,7,6\" opentime=\"2014-05-12 01:50:00\"/>\r\n</xml>";

TEST(PatternMatcher, FeedPatternFindsEveryDrawWithItsGroups) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create(draw_markers::kFeedPattern, kTwoDrawFeed));
    EXPECT_EQ(m.MatchCount(), 2);
    EXPECT_EQ(m.SubmatchCount(), 6);
    EXPECT_EQ(m.SubmatchText(1, 1), "20140512023");
    EXPECT_EQ(m.SubmatchText(1, 2), "1");
    EXPECT_EQ(m.SubmatchText(1, 6), "5");
    EXPECT_EQ(m.SubmatchText(2, 1), "20140512022");
    EXPECT_EQ(m.GetPattern(), draw_markers::kFeedPattern);
}

TEST(PatternMatcher, OutOfRangeIndexesGiveEmptyText) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create(draw_markers::kFeedPattern, kTwoDrawFeed));
    EXPECT_EQ(m.SubmatchText(3, 1), "");
    EXPECT_EQ(m.SubmatchText(0, 1), "");
    EXPECT_EQ(m.SubmatchText(1, 0), "");
    EXPECT_EQ(m.SubmatchText(1, 7), "");
    EXPECT_EQ(m.MatchText(-1), "");
    int pos = 0;
    EXPECT_EQ(m.MatchText(3, &pos), "");
    EXPECT_EQ(pos, -2);
}

TEST(PatternMatcher, GettersBeforeCreateAndAfterBadPattern) {
    PatternMatcher m;
    EXPECT_EQ(m.MatchCount(), 0);
    EXPECT_EQ(m.SubmatchCount(), 0);
    EXPECT_EQ(m.MatchText(1), "");
    EXPECT_EQ(m.GetPattern(), "");
    EXPECT_EQ(m.ReplaceAll("x"), "");
    ASSERT_TRUE(m.Create("a", "a"));
    EXPECT_FALSE(m.Create("(unclosed", "(unclosed"));
    EXPECT_EQ(m.MatchCount(), 0);  // the earlier results are gone
    EXPECT_EQ(m.SubmatchText(1, 1), "");
    EXPECT_EQ(m.GetPattern(), "(unclosed");
}

TEST(PatternMatcher, DotStopsAtLineFeedButNotAtCarriageReturn) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create("<a>(.*)</a>", "<a>1\n2</a>"));
    EXPECT_EQ(m.MatchCount(), 0);
    ASSERT_TRUE(m.Create("<a>(.*)</a>", "<a>1\r2</a>"));
    EXPECT_EQ(m.SubmatchText(1, 1), "1\r2");
    ASSERT_TRUE(m.Create("<a>(.*)</a>\r\n<b>", "<a>1</a>\r\n<b>"));
    EXPECT_EQ(m.MatchCount(), 1);
}

TEST(PatternMatcher, LazyAndGreedyGroupsStayOnTheirLine) {
    const std::string subject = "<td>1</td><td>2</td>\n<td>3</td>";
    PatternMatcher m;
    ASSERT_TRUE(m.Create("<td>(.*?)</td>", subject));
    ASSERT_EQ(m.MatchCount(), 3);
    EXPECT_EQ(m.SubmatchText(2, 1), "2");
    ASSERT_TRUE(m.Create("<td>(.*)</td>", subject));
    ASSERT_EQ(m.MatchCount(), 2);
    EXPECT_EQ(m.SubmatchText(1, 1), "1</td><td>2");
    EXPECT_EQ(m.SubmatchText(2, 1), "3");
}

TEST(PatternMatcher, CaseIgnoredUnlessAskedFor) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create("<TD>(.*?)</TD>", "<td>7</td>"));
    EXPECT_EQ(m.SubmatchText(1, 1), "7");
    ASSERT_TRUE(m.Create("<TD>(.*?)</TD>", "<td>7</td>", {.caseSensitive = true}));
    EXPECT_EQ(m.MatchCount(), 0);
}

TEST(PatternMatcher, NestedGroupsCountByOpeningParenthesis) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create("detatilssc((.*));\">(.*)<", "onclick=\"detatilssc('2014');\">x<"));
    EXPECT_EQ(m.SubmatchCount(), 3);
    EXPECT_EQ(m.SubmatchText(1, 1), "('2014')");  // the call's parentheses are the groups'
    EXPECT_EQ(m.SubmatchText(1, 2), "('2014')");
    EXPECT_EQ(m.SubmatchText(1, 3), "x");
    ASSERT_TRUE(m.Create("(a)|(b)", "b"));
    EXPECT_EQ(m.SubmatchText(1, 1), "");  // took part in no match
    EXPECT_EQ(m.SubmatchText(1, 2), "b");
}

TEST(PatternMatcher, MultilineAnchorsAndGlobalOption) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create("^\\d+$", "12\n34\r\n56"));
    EXPECT_EQ(m.MatchCount(), 2);  // "34\r" is not all digits before the line feed
    ASSERT_TRUE(m.Create("^\\d+$", "12\n34", {.multiline = false}));
    EXPECT_EQ(m.MatchCount(), 0);
    ASSERT_TRUE(m.Create("\\d", "123", {.global = false}));
    EXPECT_EQ(m.MatchCount(), 1);
}

TEST(PatternMatcher, EmptyMatchesMoveOnByOneCharacter) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create("x*", "a期"));
    EXPECT_EQ(m.MatchCount(), 3);
    ASSERT_TRUE(m.Create("(.)号", "期号"));
    EXPECT_EQ(m.SubmatchText(1, 1), "期");  // "." is one character, not one byte
}

TEST(PatternMatcher, InvalidBytesDoNotStopTheRun) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create("<b>(.*?)</b>", "<b>1</b>\xFF\xFE<b>2</b>"));
    ASSERT_EQ(m.MatchCount(), 2);
    EXPECT_EQ(m.SubmatchText(2, 1), "2");
}

TEST(PatternMatcher, PositionsAreByteOffsets) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create("b(c)", "期abc"));
    int pos = -1;
    EXPECT_EQ(m.MatchText(1, &pos), "bc");
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(m.SubmatchText(1, 1, &pos), "c");
    EXPECT_EQ(pos, 5);
}

TEST(PatternMatcher, ReplaceAllOverStoredSubject) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create("(\\d)(\\d)", "a12b34c5"));
    EXPECT_EQ(m.ReplaceAll("[$2$1]"), "a[21]b[43]c5");
    EXPECT_EQ(m.ReplaceAll("$&$$"), "a12$b34$c5");
    EXPECT_EQ(m.ReplaceAll("$`|"), "aa|ba12b|c5");
    EXPECT_EQ(m.ReplaceAll("$9$"), "a$9$b$9$c5");
    ASSERT_TRUE(m.Create("\\d", "a1b2", {.global = false}));
    EXPECT_EQ(m.ReplaceAll("#"), "a#b2");
}

TEST(PatternMatcher, QuotePlaceholderOnlyWhenAsked) {
    PatternMatcher m;
    ASSERT_TRUE(m.Create("id=#引号(\\d)#引号", "id=\"4\"", {.quotePlaceholder = true}));
    EXPECT_EQ(m.SubmatchText(1, 1), "4");
    EXPECT_EQ(m.GetPattern(), "id=\"(\\d)\"");
    ASSERT_TRUE(m.Create("id=#引号(\\d)#引号", "id=\"4\""));
    EXPECT_EQ(m.MatchCount(), 0);
}

TEST(PatternMatcher, HostilePageEndsWithinTimeBudget) {
    // Every attempt of this pattern scans to the end of one endless line: quadratic work.
    std::string page;
    while (page.size() < 4'000'000) page += "<td class=\"chart_table_td\">";
    page += "</td>\n";
    PatternMatcher m({.timeBudget = std::chrono::milliseconds(200)});
    bool ok = true;
    const auto ms = MillisecondsOf([&] { ok = m.Create(draw_markers::kBaseTrendPattern, page); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(m.MatchCount(), 0);
    EXPECT_LT(ms, 1500);
}

TEST(PatternMatcher, OneEndlessAttemptHitsTheMatchLimit) {
    // One attempt only, which runs three million characters before the line feed stops it.
    const std::string subject = "a" + std::string(3'000'000, 'x') + "\nb";
    PatternMatcher m;
    bool ok = true;
    const auto ms = MillisecondsOf([&] { ok = m.Create("a(.*?)b", subject); });
    EXPECT_FALSE(ok);
    EXPECT_LT(ms, 1500);
}

}  // namespace
}  // namespace sanxing
