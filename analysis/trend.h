#pragma once
// 走势图: omission figures of past draws. A category is a digit 0-9 at 百位, 十位 or 个位,
// a sum 0-27, a span 0-9 or a shape (豹子, 组三, 组六). Over a range of N draws:
//   appearances  draws in which it occurs
//   current      draws after its newest occurrence (0 if the newest draw has it, N if never)
//   max          longest run of draws without it, the runs before the first and after the
//                last occurrence included
//   average      (N − appearances) / (appearances + 1), the mean length of those runs
// The chart cell of a category at row i is 0 when the draw has it, else the draws since its
// last occurrence up to row i, counted from the start of the range when it has not
// occurred yet (i + 1).

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "analysis/analysed_draw.h"

namespace sanxing::analysis {

enum class Shape { Triple, GroupThree, GroupSix };
inline constexpr std::array<std::string_view, 3> kPositionDigitNames = {"百位", "十位", "个位"};
inline constexpr std::array<std::string_view, 3> kShapeNames = {"豹子", "组三", "组六"};

int DigitSum(int value);
int DigitSpan(int value);
Shape ShapeOf(int value);

// Categories in one index space: 30 position digits, 28 sums, 10 spans, 3 shapes.
inline constexpr int kDigitCategories = 0;   // + position·10 + digit
inline constexpr int kSumCategories = 30;    // + sum
inline constexpr int kSpanCategories = 58;   // + span
inline constexpr int kShapeCategories = 68;  // + shape
inline constexpr int kCategoryCount = 71;

// The six categories a draw has: three digits, its sum, span and shape.
std::array<int, 6> CategoriesOf(int value);

struct CategoryFigures {
    int appearances = 0;
    int current = 0;
    int max = 0;
    double average = 0;
};

class Trend {
public:
    std::size_t count() const { return rows_; }
    const CategoryFigures& figures(int category) const { return figures_[category]; }
    // The chart cell of `category` at row `row` (0 = oldest).
    int cell(std::size_t row, int category) const { return cells_[row * kCategoryCount + category]; }

private:
    friend Trend ComputeTrend(std::span<const AnalysedDraw> draws);
    std::size_t rows_ = 0;
    std::array<CategoryFigures, kCategoryCount> figures_{};
    std::vector<std::int32_t> cells_;  // row-major, kCategoryCount per row
};

Trend ComputeTrend(std::span<const AnalysedDraw> draws);

}  // namespace sanxing::analysis
