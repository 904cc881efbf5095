// Reading the range of an analysis from a real history database: one statement per range,
// the same range and notes whether the draws before it are kept or not.

#include <gtest/gtest.h>

#include "history/history_fixture.h"
#include "services/analysis_range.h"
#include "services/statement_count.h"
#include "services/trend_report.h"

namespace sanxing::services {
namespace {

using analysis::AnalysisChoice;
using analysis::Past;
using analysis::Position;
using analysis::RangeChoice;
using history::testing::Fc3d;
using history::testing::Fc3dDraws;

class AnalysisRangeTest : public history::testing::HistoryTest {};

std::vector<std::string> IssuesOf(std::span<const analysis::AnalysedDraw> draws) {
    std::vector<std::string> list;
    for (const analysis::AnalysedDraw& d : draws) list.push_back(d.issue);
    return list;
}

const std::vector<RangeChoice> kRanges = {RangeChoice::All(),
                                          RangeChoice::Newest(2),
                                          RangeChoice::Newest(500),
                                          RangeChoice::Newest(0),
                                          RangeChoice::Issues("2024004", "2024002"),
                                          RangeChoice::Issues("2023001", "2024003"),
                                          RangeChoice::Issues("2024005", ""),
                                          RangeChoice::Issues("", "20240030"),
                                          RangeChoice::Issues("2025001", "")};

TEST_F(AnalysisRangeTest, EveryRangeIsOneStatement) {
    testing::StatementCount statements(dbPath);
    history::HistoryDb db = OpenDb();
    ASSERT_TRUE(db.record("福彩3D", Fc3dDraws(6)));
    for (const Past past : {Past::Left, Past::Kept}) {
        for (const RangeChoice& range : kRanges) {
            const int before = statements.count();
            (void)ReadAnalysisRange(db, {&Fc3d(), range, Position::Front}, past);
            EXPECT_EQ(statements.count() - before, 1) << range.from << range.newest;
        }
    }
    const int before = statements.count();
    ASSERT_TRUE(ReadTrendReport(db, {&Fc3d(), RangeChoice::Newest(2), Position::Front}));
    EXPECT_EQ(statements.count() - before, 1);
}

// The trend's read of the whole history picks what the back-test's read picks, says the
// same, and keeps every draw before the range; both say where the history ends.
TEST_F(AnalysisRangeTest, PastKeptIsTheSameRangeWithTheDrawsBeforeIt) {
    history::HistoryDb db = OpenDb();
    const AnalysisChoice none{&Fc3d(), RangeChoice::All(), Position::Front};
    EXPECT_EQ(ReadAnalysisRange(db, none, Past::Kept).error(), ReadAnalysisRange(db, none).error());
    EXPECT_NE(ReadAnalysisRange(db, none).error().find("导入开奖号码"), std::string::npos);
    std::vector<history::StoredDraw> draws = Fc3dDraws(6);  // 2024001 .. 2024006
    draws.back().date = "2099-08-19";                       // never stale: no advice to update
    ASSERT_TRUE(db.record("福彩3D", draws));
    for (const RangeChoice& range : kRanges) {
        const AnalysisChoice choice{&Fc3d(), range, Position::Front};
        const auto expected = ReadAnalysisRange(db, choice);
        const auto loaded = ReadAnalysisRange(db, choice, Past::Kept);
        ASSERT_EQ(static_cast<bool>(loaded), static_cast<bool>(expected)) << range.from << range.newest;
        if (!expected) {
            EXPECT_EQ(loaded.error(), expected.error());
            continue;
        }
        EXPECT_EQ(IssuesOf(loaded->range()), IssuesOf(expected->range()));
        EXPECT_EQ(expected->rangeStart, 0u);
        EXPECT_EQ(loaded->note, expected->note);
        EXPECT_EQ(loaded->historyEnd, "开奖历史到 2024006（2099-08-19）");
        EXPECT_EQ(expected->historyEnd, loaded->historyEnd);
        const std::vector<std::string> all = IssuesOf(loaded->draws);
        EXPECT_EQ(all, IssuesOf(ReadAnalysisRange(db, {&Fc3d(), RangeChoice::Issues("", all.back())})->range()));
    }
    // A history, but a range of no draw: said as such, not as a missing history.
    EXPECT_NE(ReadAnalysisRange(db, {&Fc3d(), RangeChoice::Newest(0)}).error().find("0 期"), std::string::npos);
    // A five-digit lottery: the three digits of each position, before the range too.
    ASSERT_TRUE(db.record("重庆时时彩", {{"241012001", "12345"}, {"241012002", "67890"}}));
    for (const auto& [position, values] : std::vector<std::pair<Position, std::vector<int>>>{
             {Position::Front, {123, 678}}, {Position::Middle, {234, 789}}, {Position::Back, {345, 890}}}) {
        const auto loaded =
            ReadAnalysisRange(db, {&history::testing::Chongqing(), RangeChoice::Newest(1), position}, Past::Kept);
        ASSERT_TRUE(loaded) << loaded.error();
        EXPECT_EQ(loaded->rangeStart, 1u);
        EXPECT_EQ((std::vector<int>{loaded->draws[0].value, loaded->draws[1].value}), values);
    }
}

}  // namespace
}  // namespace sanxing::services
