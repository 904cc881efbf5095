#include <gtest/gtest.h>

#include <random>

#include "numbers/number_set.h"
#include "numbers/set_text.h"
#include "numbers/tolerance.h"

namespace sanxing {
namespace {

// The universe numbers found in a text by plain substring search, as set text.
std::string RewriteBySearch(const std::string& text) {
    std::string out;
    for (int n = 0; n < 1000; ++n) {
        if (text.find(NumberText(n)) != std::string::npos) out += NumberText(n) + " ";
    }
    return out;
}

TEST(Universe, IsTheThousandNumbersSeparatedBySpaces) {
    const std::string_view u = UniverseText();
    EXPECT_EQ(u.size(), 3999u);
    EXPECT_TRUE(u.starts_with("000 001 002"));
    EXPECT_TRUE(u.ends_with("998 999"));
    EXPECT_EQ(CountSetText(u), 1000u);
    EXPECT_EQ(NumberText(5), "005");
    EXPECT_EQ(NumberText(42), "042");
    EXPECT_EQ(NumberSet::Universe().toText(), std::string(u) + " ");
}

TEST(SetText, CountAndCaption) {
    EXPECT_EQ(CountSetText("001 002 "), 2u);
    EXPECT_EQ(CountSetText("001  002 "), 3u);
    EXPECT_EQ(CountSetText(""), 0u);
    EXPECT_EQ(CountCaption(2), "2注");
    EXPECT_EQ(CountCaption(0, "注！"), "0注！");
}

TEST(SetText, DigitSetAndMembership) {
    EXPECT_EQ(DigitSet("919"), "19");
    EXPECT_EQ(DigitSet("000"), "0");
    EXPECT_EQ(DigitSet("a9b1c"), "19");
    EXPECT_TRUE(TextContains("0123 456", "123"));
    EXPECT_TRUE(TextContains("x", ""));
    EXPECT_FALSE(TextContains("", ""));
    EXPECT_EQ(Digit(357, 1), 3);
    EXPECT_EQ(Digit(357, 2), 5);
    EXPECT_EQ(Digit(357, 3), 7);
}

TEST(CanonicalRewrite, WorkedExamples) {
    EXPECT_EQ(CanonicalRewrite("999,000,555 555"), "000 555 999 ");
    EXPECT_EQ(CanonicalRewrite("0123"), "012 123 ");
    EXPECT_EQ(CanonicalRewrite("12345"), "123 234 345 ");
    EXPECT_EQ(CanonicalRewrite("1 2 3"), "");
    EXPECT_EQ(CanonicalRewrite("999,001\r\n001"), "001 999 ");
    EXPECT_EQ(CanonicalRewrite("１２３ 中文456"), "456 ");  // full-width digits are not digits
}

TEST(CanonicalRewrite, AgreesWithSubstringSearchOnRandomText) {
    std::mt19937 random(7);
    const std::string alphabet = "0123456789 ,\r\n9a中";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        ASSERT_EQ(CanonicalRewrite(text), RewriteBySearch(text)) << text;
    }
}

TEST(SetTextContains, MatchesASearchOfTheSetText) {
    std::mt19937 random(11);
    const std::vector<std::string> keys = {"",    "1",  "12", "123",   "1234", "1a3",
                                           "3 4", "9 ", " 0", "00 00", "中",   "99 9"};
    for (int round = 0; round < 200; ++round) {
        NumberSet set;
        const int size = round % 5 == 0 ? 0 : static_cast<int>(random() % 30);
        for (int i = 0; i < size; ++i) set.insert(static_cast<int>(random() % 1000));
        const std::string text = set.toText();
        for (const std::string& key : keys) {
            ASSERT_EQ(SetTextContains(set, key), TextContains(text, key)) << "key '" << key << "' in '" << text << "'";
        }
        const std::string number = NumberText(static_cast<int>(random() % 1000));
        ASSERT_EQ(SetTextContains(set, number), TextContains(text, number));
    }
}

TEST(NumberSet, OperationsStayInsideTheUniverse) {
    NumberSet set;
    EXPECT_TRUE(set.empty());
    EXPECT_EQ(set.complement().count(), 1000);
    set.insert(0);
    set.insert(999);
    EXPECT_EQ(set.toText(), "000 999 ");
    EXPECT_EQ(set.complement().count(), 998);
    EXPECT_EQ((set | NumberSet::Universe()).count(), 1000);
    EXPECT_EQ((set & NumberSet::Universe()), set);
    set.erase(0);
    EXPECT_EQ(set.toText(), "999 ");
    EXPECT_EQ(NumberSet::Containing("").count(), 0);
}

TEST(ToleranceRange, TypedRangesRunFromZeroUpToSixtyFour) {
    for (const char* good : {"0-0", "1-5", "0-64", "64-64", " 2 - 3 "})
        EXPECT_TRUE(IsTypedToleranceRange(good)) << good;
    for (const char* bad : {"", "abc", "2", "2-1", "0-65", "-1-2", "0-1-2", "1-x", "０-１", "99999999999999999999-1"}) {
        EXPECT_FALSE(IsTypedToleranceRange(bad)) << bad;
    }
}

TEST(ToleranceRange, BoundsEitherWayAndFallsBackToZero) {
    const auto range = ToleranceRange::FromText("0-2");
    EXPECT_TRUE(range.contains(0));
    EXPECT_TRUE(range.contains(2));
    EXPECT_FALSE(range.contains(3));
    EXPECT_TRUE(ToleranceRange::FromText("2-0").contains(1));
    EXPECT_FALSE(ToleranceRange::FromText("1-1").contains(0));
    EXPECT_TRUE(ToleranceRange::FromText("1-1").contains(1));
    for (const char* bad : {"", "abc", "2", "1-", "-1", "0-1-2", "1-x"}) {
        const auto fallback = ToleranceRange::FromText(bad);
        EXPECT_TRUE(fallback.contains(0)) << bad;
        EXPECT_FALSE(fallback.contains(1)) << bad;
    }
}

}  // namespace
}  // namespace sanxing
