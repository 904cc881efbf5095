#pragma once
// 走势图: omission figures of past draws.
//
// Categories of the three analysed digits: per position (百位, 十位, 个位) the digit 0-9,
// 大小 (大 = 5-9), 奇偶, 质合 (质 = 1 2 3 5 7, as lottery charts count them) and 012路 (the
// digit mod 3); for the three digits together the sum 0-27 (和值), its last digit (和尾),
// the span 0-9 (跨度), the shape (豹子, 组三, 组六) and the 组选 digits (each digit 0-9 the
// draw contains, counted once however often it appears).
//
// The omission of a category at a draw is the number of draws since its last occurrence,
// counted back through every stored draw before it: 0 when the draw has it; when it never
// occurred before, the draws since the first stored draw, plus one. The range only picks
// the rows. Over the range's N draws:
//   appearances  draws of the range that have it
//   current      the omission at the range's newest draw
//   max          the largest omission at any draw of the range (a run that began before
//                the range counts whole)
//   average      (N − appearances) / (appearances + 1)

#include <array>
#include <cstdint>
#include <span>
#include <string>
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

// The patterns of one digit; each value of a pattern is a category of its own.
enum class Pattern { BigSmall, OddEven, PrimeComposite, Road };
inline constexpr std::array<Pattern, 4> kPatterns = {Pattern::BigSmall, Pattern::OddEven, Pattern::PrimeComposite,
                                                     Pattern::Road};
std::string_view PatternName(Pattern pattern);                     // 大小, 奇偶, 质合, 012路
std::span<const std::string_view> PatternValues(Pattern pattern);  // 大 小, 奇 偶, 质 合, 0 1 2
int PatternValueOf(Pattern pattern, int digit);                    // index into PatternValues

// Categories in one index space. Per position: ten digits, then the values of the patterns
// in their order (2 + 2 + 2 + 3); then the sums, sum tails, spans, shapes and 组选 digits.
inline constexpr int kPatternValueCount = 9;
inline constexpr int kPerPosition = 10 + kPatternValueCount;
inline constexpr int kSumCategories = 3 * kPerPosition;             // + sum 0-27
inline constexpr int kSumTailCategories = kSumCategories + 28;      // + last digit of the sum
inline constexpr int kSpanCategories = kSumTailCategories + 10;     // + span 0-9
inline constexpr int kShapeCategories = kSpanCategories + 10;       // + Shape
inline constexpr int kGroupDigitCategories = kShapeCategories + 3;  // + digit 0-9
inline constexpr int kCategoryCount = kGroupDigitCategories + 10;

constexpr int DigitCategory(int position, int digit) { return position * kPerPosition + digit; }
int PatternCategory(int position, Pattern pattern, int value);

// The categories a draw has (3 digits, 12 pattern values, sum, tail, span, shape, and one
// to three 组选 digits), in increasing order.
struct DrawCategories {
    std::array<std::uint8_t, 22> list{};
    int size = 0;
    const std::uint8_t* begin() const { return list.data(); }
    const std::uint8_t* end() const { return list.data() + size; }
};
const DrawCategories& CategoriesOf(int value);

// How the figures are listed (the CLI's text, the CSV export): blocks of categories under
// one name, first the digits, sums, spans and shapes, then the patterns, tails and 组选.
struct CategoryBlock {
    std::string kind;  // 百位, …, 和值, 跨度, 形态, 百位大小, …, 个位012路, 和尾, 组选
    int first = 0;
    int count = 0;
    bool named = false;  // the values are names (大, 豹子), not numbers
};
const std::vector<CategoryBlock>& CategoryBlocks();
// A category's value as its block lists it: "7", "大", "豹子".
std::string CategoryValueText(int category);

struct CategoryFigures {
    int appearances = 0;
    int current = 0;
    int max = 0;
    double average = 0;
};

class Trend {
public:
    // Rows: the draws of the range, oldest first.
    std::size_t count() const { return rows_; }
    const CategoryFigures& figures(int category) const { return figures_[category]; }
    // The omission of `category` at row `row` (0 = the range's oldest draw); 0 when it has it.
    int cell(std::size_t row, int category) const;

private:
    friend Trend ComputeTrend(std::span<const AnalysedDraw> draws, std::size_t rangeStart);
    std::size_t rows_ = 0;
    std::array<CategoryFigures, kCategoryCount> figures_{};
    // Per category, the rows that have it, ascending, after one row before the range: its
    // last occurrence before the range (negative), or, when it never occurred, the row
    // just before the first stored draw. The omission at a row is the distance back to
    // the nearest of them, so the cells of 10,000 rows take no more room than their hits.
    std::array<std::vector<std::int32_t>, kCategoryCount> occurrences_{};
};

// `draws`: every stored draw up to the range's newest, oldest first; the range is
// draws[rangeStart…]. With rangeStart 0 the range is the whole history.
Trend ComputeTrend(std::span<const AnalysedDraw> draws, std::size_t rangeStart = 0);

}  // namespace sanxing::analysis
