// Picking the draws of a range from the stored draws read for it.

#include <gtest/gtest.h>

#include "analysis/draw_range.h"
#include "history/history_fixture.h"

namespace sanxing::analysis {
namespace {

using history::testing::Fc3d;
using history::testing::Fc3dDraws;

std::vector<std::string> Issues(std::span<const AnalysedDraw> draws) {
    std::vector<std::string> list;
    for (const AnalysedDraw& d : draws) list.push_back(d.issue);
    return list;
}

Result<RangeDraws> Pick(std::vector<Draw> read, const RangeChoice& range, Past past = Past::Left) {
    return PickRange(std::move(read), {&Fc3d(), range, Position::Front}, past);
}

TEST(DrawRange, NoHistorySaysHowToImportOne) {
    const auto picked = Pick({}, RangeChoice::Newest(10));
    ASSERT_FALSE(picked);
    EXPECT_NE(picked.error().find("导入开奖号码"), std::string::npos);
    EXPECT_NE(picked.error().find("福彩3D"), std::string::npos);
}

TEST(DrawRange, NewestAllAndIssueRangesOldestFirst) {
    const auto newest = Pick(Fc3dDraws(5), RangeChoice::Newest(2));  // 2024001 .. 2024005
    ASSERT_TRUE(newest);
    EXPECT_EQ(Issues(newest->range()), (std::vector<std::string>{"2024004", "2024005"}));
    EXPECT_EQ(newest->rangeStart, 0u);
    EXPECT_EQ(newest->note, "");
    EXPECT_EQ(newest->draws[0].number, "004");
    EXPECT_EQ(Pick(Fc3dDraws(5), RangeChoice::All())->draws.size(), 5u);

    const auto between = Pick(Fc3dDraws(5), RangeChoice::Issues("2024004", "2024002"));  // ends swapped
    EXPECT_EQ(Issues(between->range()), (std::vector<std::string>{"2024002", "2024003", "2024004"}));
    EXPECT_EQ(between->note, "");
    EXPECT_EQ(Pick(Fc3dDraws(5), RangeChoice::Issues("2024003", "2024003"))->draws.size(), 1u);
    // Kept, the draws before the range come first.
    const auto kept = Pick(Fc3dDraws(5), RangeChoice::Issues("2024003", "2024004"), Past::Kept);
    EXPECT_EQ(Issues(kept->draws), (std::vector<std::string>{"2024001", "2024002", "2024003", "2024004"}));
    EXPECT_EQ(kept->rangeStart, 2u);
}

TEST(DrawRange, LargerThanTheHistoryUsesWhatThereIsAndSaysSo) {
    const auto newest = Pick(Fc3dDraws(5), RangeChoice::Newest(500));
    ASSERT_TRUE(newest);
    EXPECT_EQ(newest->draws.size(), 5u);
    EXPECT_NE(newest->note.find("只有 5 期"), std::string::npos) << newest->note;
    const auto wide = Pick(Fc3dDraws(5), RangeChoice::Issues("2023001", "2024999"));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->draws.size(), 5u);
    EXPECT_NE(wide->note.find("2024001 到 2024005"), std::string::npos) << wide->note;
}

TEST(DrawRange, MalformedNumbersAreLeftOutAndCounted) {
    std::vector<Draw> read = Fc3dDraws(3);
    read[1].number = "12";
    const auto picked = Pick(read, RangeChoice::All());
    ASSERT_TRUE(picked);
    EXPECT_EQ(Issues(picked->range()), (std::vector<std::string>{"2024001", "2024003"}));
    EXPECT_NE(picked->note.find("1 期号码不是 3 位数字"), std::string::npos) << picked->note;
    read[0].number = read[2].number = "x";
    EXPECT_FALSE(Pick(read, RangeChoice::All()));
}

TEST(DrawRange, EmptyRangesAndBadIssues) {
    const auto outside = Pick(Fc3dDraws(5), RangeChoice::Issues("2025001", "2025009"));
    ASSERT_FALSE(outside);
    EXPECT_NE(outside.error().find("没有"), std::string::npos);
    EXPECT_FALSE(Pick(Fc3dDraws(5), RangeChoice::Newest(0)));
    EXPECT_TRUE(CheckIssueText("2024001"));
    for (const char* bad : {"", "2024-001", "abc", "123456789012345678901"}) EXPECT_FALSE(CheckIssueText(bad)) << bad;
}

}  // namespace
}  // namespace sanxing::analysis
