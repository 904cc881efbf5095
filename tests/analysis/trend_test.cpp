// Trend figures on small ranges computed by hand: 123, 455, 123, 777, 120 (oldest first).

#include <gtest/gtest.h>

#include "analysis/trend.h"

namespace sanxing::analysis {
namespace {

std::vector<AnalysedDraw> Draws(std::initializer_list<int> values) {
    std::vector<AnalysedDraw> draws;
    for (const int v : values) draws.push_back({std::to_string(draws.size() + 1), std::to_string(v), v});
    return draws;
}

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

TEST(Trend, FiguresAndCellsOfAFiveDrawRange) {
    const Trend t = ComputeTrend(Draws({123, 455, 123, 777, 120}));
    ASSERT_EQ(t.count(), 5u);
    ExpectFigures(t, kDigitCategories + 1, 3, 0, 1, 0.5);   // 百位1: rows 0, 2, 4
    ExpectFigures(t, kDigitCategories + 4, 1, 3, 3, 2.0);   // 百位4: row 1
    ExpectFigures(t, kDigitCategories + 9, 0, 5, 5, 5.0);   // 百位9: never
    ExpectFigures(t, kDigitCategories + 23, 2, 2, 2, 1.0);  // 个位3: rows 0, 2
    ExpectFigures(t, kSumCategories + 6, 2, 2, 2, 1.0);     // sum 6: rows 0, 2
    ExpectFigures(t, kSpanCategories + 2, 3, 0, 1, 0.5);    // span 2: rows 0, 2, 4
    ExpectFigures(t, kShapeCategories + static_cast<int>(Shape::Triple), 1, 1, 3, 2.0);
    EXPECT_EQ(Cells(t, kDigitCategories + 4), (std::vector<int>{1, 0, 1, 2, 3}));
    EXPECT_EQ(Cells(t, kDigitCategories + 9), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(Cells(t, kShapeCategories + static_cast<int>(Shape::GroupThree)), (std::vector<int>{1, 0, 1, 2, 3}));
}

TEST(Trend, CategoryInEveryDrawOneDrawAndNoDraw) {
    const Trend every = ComputeTrend(Draws({121, 323, 20}));  // 十位2 in every draw
    ExpectFigures(every, kDigitCategories + 12, 3, 0, 0, 0.0);
    EXPECT_EQ(Cells(every, kDigitCategories + 12), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(ShapeOf(20), Shape::GroupThree);
    EXPECT_EQ(DigitSpan(20), 2);

    const Trend one = ComputeTrend(Draws({123}));
    ExpectFigures(one, kDigitCategories + 1, 1, 0, 0, 0.0);
    ExpectFigures(one, kDigitCategories + 0, 0, 1, 1, 1.0);

    const Trend none = ComputeTrend({});
    EXPECT_EQ(none.count(), 0u);
    for (int c = 0; c < kCategoryCount; ++c) ExpectFigures(none, c, 0, 0, 0, 0.0);
}

}  // namespace
}  // namespace sanxing::analysis
