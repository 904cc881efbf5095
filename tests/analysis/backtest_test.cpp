// Back-test and 查号 on small ranges computed by hand. Conditions: 百位7 unticked (row 1
// kills h = 7, 100 numbers), 个位0 and 个位1 unticked (row 3 kills u ∈ {0, 1}, 200
// numbers), 豹子 unticked (row 4 kills the 10 triples). Failures of the universe by hand:
// 287 numbers fail at least one group, 23 fail two (20 with h = 7 and u ∈ {0, 1}, plus
// 777, 000, 111), none fails three: 713 with no failure, 264 with one.

#include <gtest/gtest.h>

#include "analysis/backtest.h"
#include "runtime/control_store.h"
#include "window/control_table.h"

namespace sanxing::analysis {
namespace {

// Front three digits: 712 (row 1), 700 (rows 1, 3), 555 (row 4), 123 (none), 799 (row 1), 341 (row 3).
const std::vector<Draw> kDraws = {{"001", "71234"}, {"002", "70001"}, {"003", "55500"},
                                  {"004", "12399"}, {"005", "79977"}, {"006", "34121"}};

class BacktestTest : public ::testing::Test {
protected:
    ControlStore store{ControlTable()};

    void SetUp() override {
        for (const char* box : {"选择框_百位7", "选择框_个位0", "选择框_个位1", "选择框_豹子"})
            store.setTicked(box, false);
    }
    Backtest run(const std::vector<Draw>& draws = kDraws) {
        return RunBacktest(Conditions::FromControls(store), AnalyseDraws(draws, 5, Position::Front).draws);
    }
};

std::vector<int> Column(const std::vector<CurvePoint>& curve, int CurvePoint::*field) {
    std::vector<int> values;
    for (const CurvePoint& p : curve) values.push_back(p.*field);
    return values;
}

TEST(AnalysedDraws, PositionPicksThreeDigitsAndThreeDigitLotteriesUseTheWholeNumber) {
    EXPECT_EQ(AnalysedValue("81621", 5, Position::Front), 816);
    EXPECT_EQ(AnalysedValue("81621", 5, Position::Middle), 162);
    EXPECT_EQ(AnalysedValue("81621", 5, Position::Back), 621);
    EXPECT_EQ(AnalysedValue("016", 3, Position::Back), 16);
    for (const char* bad : {"", "8162", "81a21", "816 1", "816"})
        EXPECT_FALSE(AnalysedValue(bad, 5, Position::Front)) << bad;
    const AnalysedRange range =
        AnalyseDraws(std::vector<Draw>{{"1", "123"}, {"2", "12x"}, {"3", "1234"}}, 3, Position::Front);
    ASSERT_EQ(range.draws.size(), 1u);
    EXPECT_EQ(range.skipped, 2u);
    EXPECT_EQ(PositionFromName("中三"), Position::Middle);
    EXPECT_FALSE(PositionFromName("中"));
}

TEST_F(BacktestTest, PerDrawFailedGroupsInBaseAndHitWithAnEmptyBase) {
    const Backtest b = run();
    const Conditions c = Conditions::FromControls(store);
    ASSERT_EQ(b.draws.size(), 6u);
    std::vector<int> failures;
    for (const DrawOutcome& d : b.draws) failures.push_back(d.failures);
    EXPECT_EQ(failures, (std::vector<int>{1, 2, 1, 0, 1, 1}));
    EXPECT_EQ(c.failedGroups(b.draws[1].failedMask), (std::vector<GroupName>{{1, "百位"}, {3, "个位"}}));
    EXPECT_EQ(c.failedGroups(b.draws[2].failedMask), (std::vector<GroupName>{{4, "形态"}}));
    for (const DrawOutcome& d : b.draws) EXPECT_TRUE(d.inBase);
    EXPECT_TRUE(b.draws[3].hit);  // tolerance 0-0: only the draw that failed nothing
    EXPECT_EQ(b.hits, 1);
    EXPECT_EQ(b.resultSize, 713);
}

TEST_F(BacktestTest, GroupFiguresWithRunsAtTheEdges) {
    const Backtest b = run();
    ASSERT_EQ(b.groups.size(), 3u);
    // Row 1 kills K K P P K P, row 3 P K P P P K, row 4 P P K P P P.
    const GroupFigures& h = b.groups[0];
    EXPECT_EQ(h.group, (GroupName{1, "百位"}));
    EXPECT_EQ(h.passes, 900);
    EXPECT_EQ(h.kills, 3);
    EXPECT_DOUBLE_EQ(h.expectedKills, 0.6);
    EXPECT_EQ(h.sinceLastKill, 1);
    EXPECT_EQ(h.longestKillRun, 2);
    EXPECT_EQ(h.longestPassRun, 2);
    EXPECT_TRUE(h.killsMoreThanChance());
    const GroupFigures& u = b.groups[1];
    EXPECT_EQ(u.group.row, 3);
    EXPECT_EQ(u.passes, 800);
    EXPECT_DOUBLE_EQ(u.expectedKills, 1.2);
    EXPECT_EQ(u.sinceLastKill, 0);  // the newest draw was killed
    EXPECT_EQ(u.longestKillRun, 1);
    EXPECT_EQ(u.longestPassRun, 3);
    EXPECT_EQ(b.groups[2].sinceLastKill, 3);

    // Never killed and always killed.
    const Backtest edges = run({{"1", "72222"}, {"2", "73333"}, {"3", "74444"}});
    EXPECT_EQ(edges.groups[0].kills, 3);
    EXPECT_EQ(edges.groups[0].longestKillRun, 3);
    EXPECT_EQ(edges.groups[0].longestPassRun, 0);
    EXPECT_EQ(edges.groups[0].sinceLastKill, 0);
    EXPECT_EQ(edges.groups[1].kills, 0);
    EXPECT_EQ(edges.groups[1].longestKillRun, 0);
    EXPECT_EQ(edges.groups[1].longestPassRun, 3);
    EXPECT_EQ(edges.groups[1].sinceLastKill, 3);  // the range length
    EXPECT_FALSE(edges.groups[1].killsMoreThanChance());
}

TEST_F(BacktestTest, ToleranceCurveWithAnEmptyBase) {
    const Backtest b = run();
    EXPECT_EQ(Column(b.curve, &CurvePoint::maxFailures), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Column(b.curve, &CurvePoint::hits), (std::vector<int>{1, 5, 6, 6}));
    EXPECT_EQ(Column(b.curve, &CurvePoint::resultSize), (std::vector<int>{713, 977, 1000, 1000}));
    EXPECT_DOUBLE_EQ(b.curve[1].chance, 0.977);
}

TEST_F(BacktestTest, BaseLackingTheDrawnNumbers) {
    // Distinct three-digit tokens 123, 712, 700; "x", "12" and "7000" never equal a draw.
    store.setText("编辑框_大底", "123 712 x 12 700 700 7000 5555");
    store.setText("组合框_容错", "0-1");
    const Backtest b = run();
    std::vector<bool> inBase, hit;
    for (const DrawOutcome& d : b.draws) {
        inBase.push_back(d.inBase);
        hit.push_back(d.hit);
    }
    EXPECT_EQ(inBase, (std::vector<bool>{true, true, false, true, false, false}));
    EXPECT_EQ(hit, (std::vector<bool>{true, false, false, true, false, false}));
    EXPECT_EQ(Column(b.curve, &CurvePoint::hits), (std::vector<int>{1, 2, 3, 3}));
    EXPECT_EQ(Column(b.curve, &CurvePoint::resultSize), (std::vector<int>{1, 2, 3, 3}));
    EXPECT_EQ(b.resultSize, 2);

    store.setText("组合框_容错", "1-1");  // exactly one failure
    const Backtest one = run();
    EXPECT_EQ(one.hits, 1);
    EXPECT_EQ(one.resultSize, 1);
}

TEST_F(BacktestTest, EmptyAndOneDrawRangesAndNoActiveGroup) {
    const Backtest none = run({});
    EXPECT_TRUE(none.draws.empty());
    EXPECT_EQ(none.groups[0].sinceLastKill, 0);
    EXPECT_DOUBLE_EQ(none.groups[0].expectedKills, 0);
    EXPECT_DOUBLE_EQ(none.hitRate(), 0);
    EXPECT_EQ(Column(none.curve, &CurvePoint::hits), (std::vector<int>{0, 0, 0, 0}));

    const Backtest one = run({{"1", "70000"}});
    EXPECT_EQ(one.groups[0].sinceLastKill, 0);
    EXPECT_EQ(one.groups[2].sinceLastKill, 1);
    EXPECT_EQ(one.draws[0].failures, 2);  // 700

    ControlStore fresh(ControlTable());
    const Backtest flat = RunBacktest(Conditions::FromControls(fresh), AnalyseDraws(kDraws, 5, Position::Back).draws);
    EXPECT_TRUE(flat.groups.empty());
    ASSERT_EQ(flat.curve.size(), 1u);
    EXPECT_EQ(flat.curve[0].hits, 6);
    EXPECT_EQ(flat.curve[0].resultSize, 1000);
    EXPECT_EQ(flat.hits, 6);
}

TEST_F(BacktestTest, ExplainNamesTheFailedGroups) {
    const Conditions c = Conditions::FromControls(store);
    const auto both = ExplainNumber(c, " 700 ");
    ASSERT_TRUE(both);
    EXPECT_EQ(both->number, "700");
    EXPECT_EQ(both->failures, 2);
    EXPECT_EQ(both->failed, (std::vector<GroupName>{{1, "百位"}, {3, "个位"}}));
    EXPECT_FALSE(both->inResult);
    EXPECT_EQ(ExplainNumber(c, "123")->failures, 0);
    EXPECT_TRUE(ExplainNumber(c, "123")->inResult);
    for (const char* bad : {"", "12", "1234", "abc", "１２３", "12 3"}) {
        const auto explained = ExplainNumber(c, bad);
        EXPECT_FALSE(explained) << bad;
        EXPECT_NE(explained.error().find("三位数"), std::string::npos) << bad;
    }
}

}  // namespace
}  // namespace sanxing::analysis
