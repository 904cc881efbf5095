// Back-test and 查号 on small ranges computed by hand (conditions in backtest_fixture.h).

#include "backtest_fixture.h"

namespace sanxing::analysis {
namespace {

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
    // binom.test(3, 6, 0.1): P(3) + P(4) + P(5) + P(6) = 0.01585, below 0.05 / 3 groups.
    EXPECT_NEAR(h.pValue, 0.01585, 1e-12);
    EXPECT_TRUE(h.standsOut);
    EXPECT_NEAR(b.groups[1].pValue, 0.34464, 1e-12);  // binom.test(2, 6, 0.2)
    EXPECT_FALSE(b.groups[1].standsOut);
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
    EXPECT_FALSE(edges.groups[1].standsOut);
}

TEST_F(BacktestTest, AGroupStandsOutOnlyBelowTheBonferroniThreshold) {
    // A fourth active group lowers the threshold from 0.05 / 3 to 0.0125: 百位's p-value of
    // 0.01585 no longer stands out, though it is below 0.05.
    store.setTicked("选择框_十位9", false);
    const Backtest b = run();
    ASSERT_EQ(b.groups.size(), 4u);
    EXPECT_NEAR(b.groups[0].pValue, 0.01585, 1e-12);
    EXPECT_FALSE(b.groups[0].standsOut);
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
