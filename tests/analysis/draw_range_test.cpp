// Choosing the draws of a range from a real history database.

#include <gtest/gtest.h>

#include "analysis/draw_range.h"
#include "history/history_fixture.h"

namespace sanxing::analysis {
namespace {

using history::testing::Fc3d;
using history::testing::Fc3dDraws;

class DrawRangeTest : public history::testing::HistoryTest {
protected:
    std::vector<std::string> issues(const SelectedDraws& selected) {
        std::vector<std::string> list;
        for (const Draw& d : selected.draws) list.push_back(d.issue);
        return list;
    }
};

TEST_F(DrawRangeTest, NoHistorySaysHowToImportOne) {
    const history::HistoryDb db = OpenDb();
    const auto selected = SelectDraws(db, Fc3d(), RangeChoice::Newest(10));
    ASSERT_FALSE(selected);
    EXPECT_NE(selected.error().find("导入开奖号码"), std::string::npos);
    EXPECT_NE(selected.error().find("福彩3D"), std::string::npos);
}

TEST_F(DrawRangeTest, NewestAllAndIssueRangesOldestFirst) {
    history::HistoryDb db = OpenDb();
    ASSERT_TRUE(db.record("福彩3D", Fc3dDraws(5)));  // 2024001 .. 2024005
    const auto newest = SelectDraws(db, Fc3d(), RangeChoice::Newest(2));
    ASSERT_TRUE(newest);
    EXPECT_EQ(issues(*newest), (std::vector<std::string>{"2024004", "2024005"}));
    EXPECT_EQ(newest->note, "");
    EXPECT_EQ(newest->draws[0].number, "004");
    EXPECT_EQ(SelectDraws(db, Fc3d(), RangeChoice::All())->draws.size(), 5u);

    const auto between = SelectDraws(db, Fc3d(), RangeChoice::Issues("2024004", "2024002"));  // ends swapped
    EXPECT_EQ(issues(*between), (std::vector<std::string>{"2024002", "2024003", "2024004"}));
    EXPECT_EQ(between->note, "");
    EXPECT_EQ(SelectDraws(db, Fc3d(), RangeChoice::Issues("2024003", "2024003"))->draws.size(), 1u);
}

TEST_F(DrawRangeTest, LargerThanTheHistoryUsesWhatThereIsAndSaysSo) {
    history::HistoryDb db = OpenDb();
    ASSERT_TRUE(db.record("福彩3D", Fc3dDraws(5)));
    const auto newest = SelectDraws(db, Fc3d(), RangeChoice::Newest(500));
    ASSERT_TRUE(newest);
    EXPECT_EQ(newest->draws.size(), 5u);
    EXPECT_NE(newest->note.find("只有 5 期"), std::string::npos) << newest->note;
    const auto wide = SelectDraws(db, Fc3d(), RangeChoice::Issues("2023001", "2024999"));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->draws.size(), 5u);
    EXPECT_NE(wide->note.find("2024001 到 2024005"), std::string::npos) << wide->note;
}

// The trend's one read of the whole history picks what LoadRange picks, says the same,
// and keeps every draw before the range.
TEST_F(DrawRangeTest, RangeWithPastIsLoadRangeWithTheDrawsBeforeIt) {
    history::HistoryDb db = OpenDb();
    const AnalysisChoice none{&Fc3d(), RangeChoice::All(), Position::Front};
    EXPECT_EQ(LoadRangeWithPast(db, none).error(), LoadRange(db, none).error());
    ASSERT_TRUE(db.record("福彩3D", Fc3dDraws(6)));  // 2024001 .. 2024006
    const auto analysedIssues = [](std::span<const AnalysedDraw> draws) {
        std::vector<std::string> list;
        for (const AnalysedDraw& d : draws) list.push_back(d.issue);
        return list;
    };
    for (const RangeChoice& range : {RangeChoice::All(), RangeChoice::Newest(2), RangeChoice::Newest(500),
                                     RangeChoice::Newest(0), RangeChoice::Issues("2024004", "2024002"),
                                     RangeChoice::Issues("2023001", "2024003"), RangeChoice::Issues("2024005", ""),
                                     RangeChoice::Issues("", "20240030"), RangeChoice::Issues("2025001", "")}) {
        const AnalysisChoice choice{&Fc3d(), range, Position::Front};
        const auto expected = LoadRange(db, choice);
        const auto loaded = LoadRangeWithPast(db, choice);
        ASSERT_EQ(static_cast<bool>(loaded), static_cast<bool>(expected)) << range.from << range.newest;
        if (!expected) {
            EXPECT_EQ(loaded.error(), expected.error());
            continue;
        }
        EXPECT_EQ(analysedIssues(loaded->range()), analysedIssues(expected->draws));
        EXPECT_EQ(loaded->note, expected->note);
        const std::vector<std::string> all = analysedIssues(loaded->draws);
        EXPECT_EQ(all, issues(SelectDraws(db, Fc3d(), RangeChoice::Issues("", all.back())).value()));
    }
    // A five-digit lottery: the three digits of each position, before the range too.
    ASSERT_TRUE(db.record("重庆时时彩", {{"241012001", "12345"}, {"241012002", "67890"}}));
    for (const auto& [position, values] : std::vector<std::pair<Position, std::vector<int>>>{
             {Position::Front, {123, 678}}, {Position::Middle, {234, 789}}, {Position::Back, {345, 890}}}) {
        const auto loaded = LoadRangeWithPast(db, {&history::testing::Chongqing(), RangeChoice::Newest(1), position});
        ASSERT_TRUE(loaded) << loaded.error();
        EXPECT_EQ(loaded->rangeStart, 1u);
        EXPECT_EQ((std::vector<int>{loaded->draws[0].value, loaded->draws[1].value}), values);
    }
}

TEST_F(DrawRangeTest, EmptyRangesAndBadIssues) {
    history::HistoryDb db = OpenDb();
    ASSERT_TRUE(db.record("福彩3D", Fc3dDraws(5)));
    const auto outside = SelectDraws(db, Fc3d(), RangeChoice::Issues("2025001", "2025009"));
    ASSERT_FALSE(outside);
    EXPECT_NE(outside.error().find("没有"), std::string::npos);
    EXPECT_FALSE(SelectDraws(db, Fc3d(), RangeChoice::Newest(0)));
    EXPECT_TRUE(CheckIssueText("2024001"));
    for (const char* bad : {"", "2024-001", "abc", "123456789012345678901"}) EXPECT_FALSE(CheckIssueText(bad)) << bad;
}

}  // namespace
}  // namespace sanxing::analysis
