#include <gtest/gtest.h>

#include "runtime/gbk.h"
#include "runtime/json_shape.h"
#include "runtime/split.h"
#include "runtime/text.h"

namespace sanxing {
namespace {

using Tokens = std::vector<std::string_view>;

TEST(SplitText, FollowsTheSplittingRule) {
    EXPECT_EQ(SplitText("001 002 ", " "), (Tokens{"001", "002"}));
    EXPECT_EQ(SplitText("001  002", " "), (Tokens{"001", "", "002"}));
    EXPECT_EQ(SplitText("", " "), Tokens{});
    EXPECT_EQ(SplitText(" ", " "), Tokens{""});
    EXPECT_EQ(SplitText("  ", " "), (Tokens{"", ""}));
    EXPECT_EQ(SplitText("abc", " "), Tokens{"abc"});
}

TEST(SplitText, MultiByteDelimiterKeepsEmptyLines) {
    EXPECT_EQ(SplitText("1\r\n\r\n2\r\n", "\r\n"), (Tokens{"1", "", "2"}));
    EXPECT_EQ(SplitText("\r\n", "\r\n"), Tokens{""});
    // A lone LF or CR is not a line break of the store's text.
    EXPECT_EQ(SplitText("1\n2\r3", "\r\n"), Tokens{"1\n2\r3"});
    EXPECT_EQ(CountTokens("a-b-c-", "-"), 3u);
}

TEST(JsonShape, BoundsDepthAndKeysOutsideStrings) {
    const std::string deep = std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']');
    EXPECT_EQ(CheckJsonShape(deep).error(), "JSON 嵌套太深（超过 64 层）");
    EXPECT_TRUE(CheckJsonShape(deep.substr(1, 2 * kMaxJsonDepth)));
    EXPECT_TRUE(CheckJsonShape("[\"" + std::string(1000, '[') + "\\\"{\"]"));  // brackets inside a string
    EXPECT_EQ(CheckJsonShape(R"({"a":1,"b":{"c":2,"d":3}})", 1).error(), "JSON 对象的键太多（超过 1 个）");
    EXPECT_TRUE(CheckJsonShape(R"({"a":{"b":1},"c":"x:y:z"})", 2));
}

TEST(LineBreaks, LoneBreaksBecomeCrLfAndBack) {
    EXPECT_EQ(ToCrLf("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(ToCrLf("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(ToLf("a\r\nb\rc\nd"), "a\nb\nc\nd");
    EXPECT_EQ(ToCrLf(ToLf("x\r\n\r\ny")), "x\r\n\r\ny");
}

// Quoted text never carries a control character or a stray byte to a terminal, and is
// cut on a character, not inside one.
TEST(ShownText, EscapesControlsAndCutsOnCharacters) {
    EXPECT_EQ(ShownText("\x1b[2J\x1b[32m福彩3D 更新成功\r\n"), "\\x1b[2J\\x1b[32m福彩3D 更新成功\\x0d\\x0a");
    EXPECT_EQ(ShownText("a\x7f\xC2\x9B\xC2\xA0\xFF\xE5\x8F"), "a\\x7f\\x9b\xC2\xA0\\xff\\xe5\\x8f");
    EXPECT_EQ(ShownText("期号,号码", 2), "期号…");
    EXPECT_EQ(ShownText(std::string(kShownChars, '7')), std::string(kShownChars, '7'));
    EXPECT_EQ(ShownText(std::string(kShownChars + 1, '7')), std::string(kShownChars, '7') + "…");
}

TEST(ParseRange, AcceptsOnlyTwoIntegersJoinedByADash) {
    long long a = -1, b = -1;
    ASSERT_TRUE(ParseRange("0-2", a, b));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 2);
    ASSERT_TRUE(ParseRange("5-1", a, b));
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 1);
    ASSERT_TRUE(ParseRange(" 1 - 3 ", a, b));
    for (const char* bad :
         {"", "0", "-", "0-", "-2", "0-x", "a-1", "0-1-2", "0--1", "1.5-2", "0-99999999999999999999", "０-１"}) {
        EXPECT_FALSE(ParseRange(bad, a, b)) << bad;
    }
}

TEST(LeadingInteger, TakesLeadingDigitsAndSaturates) {
    EXPECT_EQ(LeadingInteger("140512023"), 140512023);
    EXPECT_EQ(LeadingInteger("12abc"), 12);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger(""), 0);
    EXPECT_EQ(LeadingInteger("99999999999999999999999"), std::numeric_limits<long long>::max());
}

TEST(Gbk, RoundTripsChineseText) {
    const std::string text = "保存：总注数：3注";
    const std::string gbk = Utf8ToGbk(text);
    EXPECT_EQ(gbk,
              "\xB1\xA3\xB4\xE6\xA3\xBA\xD7\xDC\xD7\xA2\xCA\xFD\xA3\xBA"
              "3"
              "\xD7\xA2");
    EXPECT_EQ(GbkToUtf8(gbk), text);
    EXPECT_EQ(Utf8ToGbk("单单单"), "\xB5\xA5\xB5\xA5\xB5\xA5");
}

TEST(Gbk, InvalidBytesAreReplacedNotFatal) {
    EXPECT_EQ(GbkToUtf8(std::string("a\xFF"
                                    "b",
                                    3)),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(GbkToUtf8(std::string("1\xB1", 2)), "1\xEF\xBF\xBD");  // cut double-byte character
    EXPECT_EQ(Utf8ToGbk("a\xC0z"), "a?z");
    EXPECT_EQ(Utf8ToGbk("😀1"), "?1");  // no GBK form
    const std::string nul("a\0b", 3);
    EXPECT_EQ(GbkToUtf8(nul), nul);
}

// Pieces cut anywhere, even inside a code unit or between the halves of a surrogate pair,
// decode as the whole does; an unpaired surrogate becomes U+FFFD.
TEST(Utf16Decoder, PiecesCutAnywhereDecodeAsTheWhole) {
    const std::string little(
        "\x1F\x67\x3D\xD8\x00\xDE"
        "7\0"
        "\x00\xD8"
        "8\0",
        12);  // 期, U+1F600, 7, lone, 8
    for (std::size_t cut = 0; cut <= little.size(); ++cut) {
        Utf16Decoder decoder(false);
        std::string text(decoder.decode(std::string_view(little).substr(0, cut)));
        text += decoder.decode(std::string_view(little).substr(cut));
        EXPECT_EQ(text,
                  "期\xF0\x9F\x98\x80"
                  "7\xEF\xBF\xBD"
                  "8")
            << cut;
    }
    Utf16Decoder big(true);
    EXPECT_EQ(big.decode(std::string_view("\x67\x1F\0"
                                          "8",
                                          4)),
              "期8");
}

}  // namespace
}  // namespace sanxing
