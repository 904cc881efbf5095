#include "net/page_text.h"

#include <gtest/gtest.h>

namespace sanxing {
namespace {

TEST(TextBetween, CutsBetweenMarkersIgnoringAsciiCaseByDefault) {
    EXPECT_EQ(TextBetween("<TD>12</td>", "<td>", "</TD>"), "12");
    EXPECT_EQ(TextBetween("<TD>12</td>", "<td>", "</TD>", 1, true), "");
    EXPECT_EQ(TextBetween("a[1]b[2]", "[", "]"), "1");
    EXPECT_EQ(TextBetween("a[1]b[2]", "[", "]", 4), "2");  // 1-based start
    EXPECT_EQ(TextBetween("a[1]", "[", "]", 99), "");
}

TEST(TextBetween, MissingMarkerGivesEmptyText) {
    EXPECT_EQ(TextBetween("abc", "x", "c"), "");
    EXPECT_EQ(TextBetween("abc", "a", "x"), "");
    // The right marker is searched only after the left one.
    EXPECT_EQ(TextBetween("]a[", "[", "]"), "");
    EXPECT_EQ(TextBetween("", "[", "]"), "");
}

TEST(TextBetween, QuotePlaceholderInMarkersStandsForDoubleQuote) {
    EXPECT_EQ(TextBetween(R"(id="7" x)", "id=#引号", "#引号"), "7");
}

TEST(TextBetween, NonAsciiMarkers) {
    EXPECT_EQ(TextBetween("<td>期号</td><td>开奖</td>", "期号</td><td>", "</td>"), "开奖");
}

TEST(Trim, RemovesAsciiAndFullWidthSpacesAtBothEnds) {
    EXPECT_EQ(Trim("  \xE3\x80\x80 a b\xE3\x80\x80 "), "a b");
    EXPECT_EQ(Trim("\t a"), "\t a");  // only spaces
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(RemoveSpaces(" a =\xE3\x80\x80"
                           "1 "),
              "a=1");
}

TEST(ValueAfterColon, TakesTrimmedTextAfterFirstColon) {
    EXPECT_EQ(ValueAfterColon("Location:  http://x.example:81/a "), "http://x.example:81/a");
    EXPECT_EQ(ValueAfterColon("no colon"), "");
    EXPECT_EQ(ValueAfterColon("a:"), "");
}

TEST(PageText, DecodesGbkAndKeepsUtf8UpToFirstZeroByte) {
    EXPECT_EQ(PageText("\xC6\xDA\xBA\xC5 1", PageEncoding::Gbk), "期号 1");
    EXPECT_EQ(PageText("期号 1", PageEncoding::Utf8), "期号 1");
    EXPECT_EQ(PageText(std::string_view("ab\0cd", 5), PageEncoding::Gbk), "ab");
    EXPECT_EQ(PageText(std::string_view("\0cd", 3), PageEncoding::Utf8), "");
}

TEST(PageText, InvalidBytesBecomeReplacementCharactersAndTextGoesOn) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(PageText("a\xFF"
                       "b",
                       PageEncoding::Gbk),
              "a" + replacement + "b");
    EXPECT_EQ(PageText("a\xC0\xAF"
                       "b",
                       PageEncoding::Utf8),
              "a" + replacement + replacement + "b");                                // overlong
    EXPECT_EQ(RepairUtf8("\xED\xA0\x80"), replacement + replacement + replacement);  // surrogate
    EXPECT_EQ(RepairUtf8("x\xE6\x9C"), "x" + replacement + replacement);             // cut off at the end
    EXPECT_EQ(RepairUtf8("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");
}

TEST(GbkByteCounts, IssueCutsAndDigitPicksCountGbkBytes) {
    EXPECT_EQ(LastGbkBytes("20140512023", 9), "140512023");
    EXPECT_EQ(LastGbkBytes("0512023", 9), "0512023");
    EXPECT_EQ(LastGbkBytes("第140512023期", 9), "0512023期");  // 期 is two GBK bytes
    EXPECT_EQ(GbkBytesAt(" 1 2 3 4 5 ", {2, 4, 6, 8, 10}), "12345");
    EXPECT_EQ(GbkBytesAt(" 1 2", {2, 4, 6, 8, 10}), "12");
    EXPECT_EQ(GbkBytesAt("", {2, 4}), "");
}

}  // namespace
}  // namespace sanxing
