// Year by year over a small 福彩3D range under the conditions of backtest_fixture.h
// (tolerance 0-0: chance 0.713; only 123 fails no group).

#include "analysis/years.h"
#include "backtest_fixture.h"
#include "history/lotteries.h"

namespace sanxing::analysis {
namespace {

const history::Lottery& Named(const char* name) { return *history::FindLottery(name); }

TEST(Years, TheYearOfAnIssue) {
    EXPECT_EQ(IssueYear("2024144", Named("福彩3D")), 2024);
    EXPECT_EQ(IssueYear("241012023", Named("重庆时时彩")), 2024);  // YYMMDD then three digits
    EXPECT_EQ(IssueYear("024101202", Named("新疆时时彩")), 2024);  // YYMMDD then two digits
    for (const char* bad : {"", "202414", "20241440", "2024x44"}) EXPECT_FALSE(IssueYear(bad, Named("福彩3D"))) << bad;
}

TEST_F(BacktestTest, HitsAndChanceForEachYear) {
    const std::vector<Draw> draws = {
        {"2023150", "712"}, {"2023151", "123"}, {"2024001", "700"}, {"2024002", "123"}, {"2024003", "799"}};
    const Backtest b = RunBacktest(Conditions::FromControls(store), AnalyseDraws(draws, 3, Position::Front).draws);
    const std::vector<YearFigures> years = FiguresByYear(b, Named("福彩3D"));
    ASSERT_EQ(years.size(), 2u);
    EXPECT_EQ(years[0].year, 2023);
    EXPECT_EQ(years[0].draws, 2);
    EXPECT_EQ(years[0].hits, 1);
    EXPECT_DOUBLE_EQ(years[0].expected, 1.426);
    EXPECT_NEAR(years[0].pValue, 0.491631, 1e-12);  // P(0) + P(1) = 0.287² + 2 · 0.713 · 0.287
    EXPECT_EQ(years[1].year, 2024);
    EXPECT_EQ(years[1].draws, 3);
    EXPECT_EQ(years[1].hits, 1);
    EXPECT_NEAR(years[1].pValue, 0.199827194, 1e-12);  // P(0) + P(1) of 3 draws

    // An issue without the lottery's form is counted under year 0, first.
    const Backtest odd =
        RunBacktest(Conditions::FromControls(store),
                    AnalyseDraws(std::vector<Draw>{{"2024001", "123"}, {"17", "123"}}, 3, Position::Front).draws);
    const std::vector<YearFigures> withUnknown = FiguresByYear(odd, Named("福彩3D"));
    ASSERT_EQ(withUnknown.size(), 2u);
    EXPECT_EQ(withUnknown[0].year, 0);
    EXPECT_EQ(withUnknown[0].draws, 1);
}

}  // namespace
}  // namespace sanxing::analysis
