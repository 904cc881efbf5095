// Trend figures worked out by hand on a history of eight draws, oldest first:
//   before the range: 123 455 780    the range (rows 0-4): 123 777 120 309 998

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/trend.h"

namespace sanxing::analysis {
namespace {

std::vector<AnalysedDraw> Draws(std::initializer_list<int> values) {
    std::vector<AnalysedDraw> draws;
    for (const int v : values) draws.push_back({std::to_string(draws.size() + 1), std::to_string(v), v});
    return draws;
}

const std::vector<AnalysedDraw> kHistory = Draws({123, 455, 780, 123, 777, 120, 309, 998});
constexpr std::size_t kRangeStart = 3;

void ExpectFigures(const Trend& t, int category, int appearances, int current, int max, double average) {
    const CategoryFigures& f = t.figures(category);
    EXPECT_EQ(f.appearances, appearances) << category;
    EXPECT_EQ(f.current, current) << category;
    EXPECT_EQ(f.max, max) << category;
    EXPECT_DOUBLE_EQ(f.average, average) << category;
}

std::vector<int> Cells(const Trend& t, int category) {
    std::vector<int> cells;
    for (std::size_t row = 0; row < t.count(); ++row) cells.push_back(t.cell(row, category));
    return cells;
}

TEST(Trend, CellsCountBackThroughTheWholeHistory) {
    const Trend t = ComputeTrend(kHistory, kRangeStart);
    ASSERT_EQ(t.count(), 5u);
    EXPECT_EQ(Cells(t, DigitCategory(0, 1)), (std::vector<int>{0, 1, 0, 1, 2}));
    EXPECT_EQ(Cells(t, DigitCategory(0, 4)), (std::vector<int>{2, 3, 4, 5, 6}));  // last drawn before the range
    EXPECT_EQ(Cells(t, DigitCategory(0, 6)), (std::vector<int>{4, 5, 6, 7, 8}));  // never: since the first draw, + 1
    EXPECT_EQ(Cells(t, DigitCategory(2, 0)), (std::vector<int>{1, 2, 0, 1, 2}));
}

TEST(Trend, FiguresOverTheRange) {
    const Trend t = ComputeTrend(kHistory, kRangeStart);
    ExpectFigures(t, DigitCategory(0, 1), 2, 2, 2, 1.0);  // (5 − 2) / 3
    ExpectFigures(t, DigitCategory(0, 4), 0, 6, 6, 5.0);  // the run that began before the range counts whole
    ExpectFigures(t, DigitCategory(0, 6), 0, 8, 8, 5.0);  // never in the whole history
    ExpectFigures(t, DigitCategory(2, 0), 1, 2, 2, 2.0);
    ExpectFigures(t, kGroupDigitCategories + 9, 2, 0, 6, 1.0);  // 309 and 998: counted once per draw
    ExpectFigures(t, kSumTailCategories + 6, 2, 0, 3, 1.0);     // sums 6 (123) and 26 (998)
    ExpectFigures(t, kShapeCategories + static_cast<int>(Shape::GroupThree), 1, 0, 5, 2.0);  // 455, then 998
}

TEST(Trend, PatternsOfEachDigit) {
    const std::array<std::string, 4> expected = {"小小小小小大大大大大", "偶奇偶奇偶奇偶奇偶奇", "合质质质合质合质合合",
                                                 "0120120120"};
    for (std::size_t p = 0; p < kPatterns.size(); ++p) {
        std::string values;
        for (int digit = 0; digit <= 9; ++digit) {
            values += PatternValues(kPatterns[p])[PatternValueOf(kPatterns[p], digit)];
        }
        EXPECT_EQ(values, expected[p]) << PatternName(kPatterns[p]);
    }
    // 309: 百位 3 小奇质0, 十位 0 小偶合0, 个位 9 大奇合0, sum 12, tail 2, span 9, 组六, digits 0 3 9.
    std::vector<int> has(CategoriesOf(309).begin(), CategoriesOf(309).end());
    std::vector<int> expect = {DigitCategory(0, 3),
                               DigitCategory(1, 0),
                               DigitCategory(2, 9),
                               kSumCategories + 12,
                               kSumTailCategories + 2,
                               kSpanCategories + 9,
                               kShapeCategories + static_cast<int>(Shape::GroupSix),
                               kGroupDigitCategories + 0,
                               kGroupDigitCategories + 3,
                               kGroupDigitCategories + 9};
    for (const auto& [position, values] :
         std::vector<std::pair<int, std::array<int, 4>>>{{0, {1, 0, 0, 0}}, {1, {1, 1, 1, 0}}, {2, {0, 0, 1, 0}}}) {
        for (std::size_t p = 0; p < kPatterns.size(); ++p) {
            expect.push_back(PatternCategory(position, kPatterns[p], values[p]));
        }
    }
    std::sort(expect.begin(), expect.end());
    EXPECT_EQ(has, expect);
}

TEST(Trend, OneDrawRangesHistoriesAndNothing) {
    const Trend last = ComputeTrend(Draws({123, 456}), 1);  // a range of one draw after one before it
    ExpectFigures(last, DigitCategory(0, 1), 0, 1, 1, 1.0);
    ExpectFigures(last, DigitCategory(0, 9), 0, 2, 2, 1.0);
    ExpectFigures(last, DigitCategory(0, 4), 1, 0, 0, 0.0);

    const Trend one = ComputeTrend(Draws({123}));  // a history of one draw
    ExpectFigures(one, DigitCategory(0, 1), 1, 0, 0, 0.0);
    ExpectFigures(one, DigitCategory(0, 0), 0, 1, 1, 1.0);

    const Trend none = ComputeTrend({});
    EXPECT_EQ(none.count(), 0u);
    for (int c = 0; c < kCategoryCount; ++c) ExpectFigures(none, c, 0, 0, 0, 0.0);
}

}  // namespace
}  // namespace sanxing::analysis
