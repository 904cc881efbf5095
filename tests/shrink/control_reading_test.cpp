#include "shrink/control_reading.h"

#include <gtest/gtest.h>

#include <string>

#include "group_fixture.h"
#include "shrink/pair_kill_boxes.h"
#include "shrink/text_keys.h"

namespace sanxing::group_test {
namespace {

KeySet Keys(std::initializer_list<int> keys) {
    KeySet set;
    for (const int k : keys) set.set(static_cast<std::size_t>(k));
    return set;
}

TEST(ControlReading, NumberedNamesArePaddedToTheirWidth) {
    const auto& names = ctl::kSumBoxes;
    ASSERT_EQ(names.size(), 28u);
    EXPECT_EQ(names.front(), "选择框_合值00");
    EXPECT_EQ(names[5], "选择框_合值05");
    EXPECT_EQ(names.back(), "选择框_合值27");
    EXPECT_EQ(std::get<0>(ctl::kPositionPanels).digits[9], "选择框_百位9");
}

TEST(TextKeys, DigitsAnywhereInTheText) {
    EXPECT_EQ(ScanTextKeys("0,5").digits, std::bitset<10>(0b100001));
    EXPECT_EQ(ScanTextKeys("05").digits, std::bitset<10>(0b100001));
    EXPECT_EQ(ScanTextKeys("").digits, std::bitset<10>());
    EXPECT_EQ(ScanTextKeys("中文\t\x01\xff").digits, std::bitset<10>());
    EXPECT_EQ(DigitsIn("a9b1"), ScanTextKeys("a9b1").digits);
}

TEST(TextKeys, DigitPairsOnlyWhereTwoDigitsTouch) {
    EXPECT_EQ(ScanTextKeys("3570").pairs, Keys({35, 57, 70}));
    EXPECT_EQ(ScanTextKeys("35,70").pairs, Keys({35, 70}));
    EXPECT_EQ(ScanTextKeys("3 5中7\r\n0").pairs, KeySet());
    EXPECT_EQ(ScanTextKeys("9").pairs, KeySet());
    EXPECT_EQ(ScanTextKeys("09").pairs, Keys({9}));
}

TEST(TextKeys, DigitPairsBeforeACommaAreWholeEntries) {
    EXPECT_EQ(ScanTextKeys(",05,,12,").pairsBeforeComma, Keys({5, 12}));
    EXPECT_EQ(ScanTextKeys("115,").pairsBeforeComma, Keys({15}));
    EXPECT_EQ(ScanTextKeys("5,15 ,07").pairsBeforeComma, KeySet());
    EXPECT_EQ(ScanTextKeys("05，").pairsBeforeComma, KeySet()) << "a full-width comma is not a comma";
}

TEST(ControlReading, PastedMegabyteTextIsScannedOnce) {
    std::string text;
    while (text.size() < (1u << 20)) text += "中文 \x01\r\n,;";
    text += "12,";
    ControlStore store{ControlTable()};
    store.setText("编辑框_百十和值", text);
    store.setText("编辑框_百十两码", text);
    store.setText("编辑框_两码总跨度", text);
    EXPECT_EQ(HundredsTensSumGroup(store)->count(), 1000 - 70);  // h + t = 12: 39 .. 93
    EXPECT_EQ(HundredsTensCodeGroup(store)->count(), 1000 - 10);
    // Digits 1 and 2 kill pair-span totals ending in 1 or 2; the total is twice the span,
    // so spans 1 (54 numbers) and 6 (144 numbers).
    EXPECT_EQ(PairSpanTotalGroup(store)->count(), 1000 - 54 - 144);
}

}  // namespace
}  // namespace sanxing::group_test
