#include "analysis/trend.h"

#include <algorithm>

#include "numbers/set_text.h"

namespace sanxing::analysis {

namespace {

constexpr std::array<std::string_view, 2> kBigSmall = {"大", "小"};
constexpr std::array<std::string_view, 2> kOddEven = {"奇", "偶"};
constexpr std::array<std::string_view, 2> kPrimeComposite = {"质", "合"};
constexpr std::array<std::string_view, 3> kRoads = {"0", "1", "2"};

// Where each pattern's values start after a position's ten digits.
constexpr std::array<int, 4> kPatternOffset = {10, 12, 14, 16};

bool IsLotteryPrime(int digit) { return digit == 1 || digit == 2 || digit == 3 || digit == 5 || digit == 7; }

DrawCategories Categorise(int value) {
    DrawCategories c;
    auto add = [&c](int category) { c.list[static_cast<std::size_t>(c.size++)] = static_cast<std::uint8_t>(category); };
    for (int position = 0; position < 3; ++position) {
        const int digit = Digit(value, position + 1);
        add(DigitCategory(position, digit));
        for (const Pattern pattern : kPatterns) add(PatternCategory(position, pattern, PatternValueOf(pattern, digit)));
    }
    const int sum = DigitSum(value);
    add(kSumCategories + sum);
    add(kSumTailCategories + sum % 10);
    add(kSpanCategories + DigitSpan(value));
    add(kShapeCategories + static_cast<int>(ShapeOf(value)));
    for (int digit = 0; digit <= 9; ++digit) {
        const bool present = Digit(value, 1) == digit || Digit(value, 2) == digit || Digit(value, 3) == digit;
        if (present) add(kGroupDigitCategories + digit);
    }
    return c;
}

std::array<DrawCategories, 1000> CategoryTable() {
    std::array<DrawCategories, 1000> table;
    for (int value = 0; value < 1000; ++value) table[static_cast<std::size_t>(value)] = Categorise(value);
    return table;
}

// The figures of one category from its occurrence rows (the first one before the range).
CategoryFigures FiguresOf(const std::vector<std::int32_t>& rows, int count) {
    CategoryFigures f;
    f.appearances = static_cast<int>(rows.size()) - 1;
    f.current = count - 1 - rows.back();
    // The omission peaks at the draw before each occurrence and at the newest draw.
    f.max = f.current;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i] > 0) f.max = std::max(f.max, rows[i] - 1 - rows[i - 1]);
    }
    f.average = static_cast<double>(count - f.appearances) / (f.appearances + 1);
    return f;
}

}  // namespace

int DigitSum(int value) { return Digit(value, 1) + Digit(value, 2) + Digit(value, 3); }

int DigitSpan(int value) {
    const int h = Digit(value, 1), t = Digit(value, 2), u = Digit(value, 3);
    return std::max({h, t, u}) - std::min({h, t, u});
}

Shape ShapeOf(int value) {
    const int h = Digit(value, 1), t = Digit(value, 2), u = Digit(value, 3);
    if (h == t && t == u) return Shape::Triple;
    if (h == t || t == u || h == u) return Shape::GroupThree;
    return Shape::GroupSix;
}

std::string_view PatternName(Pattern pattern) {
    static constexpr std::array<std::string_view, 4> kNames = {"大小", "奇偶", "质合", "012路"};
    return kNames[static_cast<std::size_t>(pattern)];
}

std::span<const std::string_view> PatternValues(Pattern pattern) {
    switch (pattern) {
        case Pattern::BigSmall: return kBigSmall;
        case Pattern::OddEven: return kOddEven;
        case Pattern::PrimeComposite: return kPrimeComposite;
        case Pattern::Road: return kRoads;
    }
    return {};
}

int PatternValueOf(Pattern pattern, int digit) {
    switch (pattern) {
        case Pattern::BigSmall: return digit >= 5 ? 0 : 1;
        case Pattern::OddEven: return digit % 2 == 1 ? 0 : 1;
        case Pattern::PrimeComposite: return IsLotteryPrime(digit) ? 0 : 1;
        case Pattern::Road: return digit % 3;
    }
    return 0;
}

int PatternCategory(int position, Pattern pattern, int value) {
    return position * kPerPosition + kPatternOffset[static_cast<std::size_t>(pattern)] + value;
}

const DrawCategories& CategoriesOf(int value) {
    static const std::array<DrawCategories, 1000> table = CategoryTable();
    return table[static_cast<std::size_t>(value)];
}

const std::vector<CategoryBlock>& CategoryBlocks() {
    static const std::vector<CategoryBlock> blocks = [] {
        std::vector<CategoryBlock> list;
        for (int p = 0; p < 3; ++p) list.push_back({std::string(kPositionDigitNames[p]), DigitCategory(p, 0), 10});
        list.push_back({"和值", kSumCategories, 28});
        list.push_back({"跨度", kSpanCategories, 10});
        list.push_back({"形态", kShapeCategories, 3, true});
        for (int p = 0; p < 3; ++p) {
            for (const Pattern pattern : kPatterns) {
                list.push_back({std::string(kPositionDigitNames[p]) + std::string(PatternName(pattern)),
                                PatternCategory(p, pattern, 0), static_cast<int>(PatternValues(pattern).size()), true});
            }
        }
        list.push_back({"和尾", kSumTailCategories, 10});
        list.push_back({"组选", kGroupDigitCategories, 10});
        return list;
    }();
    return blocks;
}

std::string CategoryValueText(int category) {
    if (category >= kSumCategories) {
        if (category >= kGroupDigitCategories) return std::to_string(category - kGroupDigitCategories);
        if (category >= kShapeCategories) return std::string(kShapeNames[category - kShapeCategories]);
        if (category >= kSpanCategories) return std::to_string(category - kSpanCategories);
        if (category >= kSumTailCategories) return std::to_string(category - kSumTailCategories);
        return std::to_string(category - kSumCategories);
    }
    const int inPosition = category % kPerPosition;
    if (inPosition < 10) return std::to_string(inPosition);
    for (std::size_t p = kPatterns.size(); p-- > 0;) {
        if (inPosition >= kPatternOffset[p]) {
            return std::string(PatternValues(kPatterns[p])[static_cast<std::size_t>(inPosition - kPatternOffset[p])]);
        }
    }
    return {};
}

int Trend::cell(std::size_t row, int category) const {
    const std::vector<std::int32_t>& rows = occurrences_[static_cast<std::size_t>(category)];
    const auto at = static_cast<std::int32_t>(row);
    // The nearest occurrence at or before the row; the first entry always lies before it.
    const auto after = std::upper_bound(rows.begin() + 1, rows.end(), at);
    return at - *(after - 1);
}

Trend ComputeTrend(std::span<const AnalysedDraw> draws, std::size_t rangeStart) {
    rangeStart = std::min(rangeStart, draws.size());
    const auto start = static_cast<std::int32_t>(rangeStart);
    Trend trend;
    trend.rows_ = draws.size() - rangeStart;
    // Before the range only the last occurrence matters; one before the first stored draw
    // stands for "never".
    std::array<std::int32_t, kCategoryCount> last;
    last.fill(-start - 1);
    for (std::int32_t i = 0; i < start; ++i) {
        for (const std::uint8_t c : CategoriesOf(draws[static_cast<std::size_t>(i)].value)) last[c] = i - start;
    }
    for (int c = 0; c < kCategoryCount; ++c) {
        trend.occurrences_[static_cast<std::size_t>(c)].push_back(last[static_cast<std::size_t>(c)]);
    }
    for (std::size_t row = 0; row < trend.rows_; ++row) {
        for (const std::uint8_t c : CategoriesOf(draws[rangeStart + row].value)) {
            trend.occurrences_[c].push_back(static_cast<std::int32_t>(row));
        }
    }
    const int count = static_cast<int>(trend.rows_);
    if (count == 0) return trend;
    for (int c = 0; c < kCategoryCount; ++c) {
        trend.figures_[static_cast<std::size_t>(c)] = FiguresOf(trend.occurrences_[static_cast<std::size_t>(c)], count);
    }
    return trend;
}

}  // namespace sanxing::analysis
