#include "analysis/trend.h"

#include <algorithm>

#include "numbers/set_text.h"

namespace sanxing::analysis {

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

std::array<int, 6> CategoriesOf(int value) {
    return {kDigitCategories + Digit(value, 1),      kDigitCategories + 10 + Digit(value, 2),
            kDigitCategories + 20 + Digit(value, 3), kSumCategories + DigitSum(value),
            kSpanCategories + DigitSpan(value),      kShapeCategories + static_cast<int>(ShapeOf(value))};
}

Trend ComputeTrend(std::span<const AnalysedDraw> draws) {
    Trend trend;
    const int n = static_cast<int>(draws.size());
    trend.rows_ = draws.size();
    trend.cells_.resize(draws.size() * kCategoryCount);
    // Per category: the draws since its last occurrence (the running omission).
    std::array<int, kCategoryCount> missing{};
    for (int i = 0; i < n; ++i) {
        std::int32_t* row = &trend.cells_[static_cast<std::size_t>(i) * kCategoryCount];
        for (int c = 0; c < kCategoryCount; ++c) row[c] = ++missing[c];
        for (const int c : CategoriesOf(draws[i].value)) {
            CategoryFigures& f = trend.figures_[c];
            f.max = std::max(f.max, missing[c] - 1);  // the run that this occurrence ends
            ++f.appearances;
            missing[c] = 0;
            row[c] = 0;
        }
    }
    for (int c = 0; c < kCategoryCount; ++c) {
        CategoryFigures& f = trend.figures_[c];
        f.current = missing[c];
        f.max = std::max(f.max, missing[c]);  // the run after the last occurrence
        f.average = static_cast<double>(n - f.appearances) / (f.appearances + 1);
    }
    return trend;
}

}  // namespace sanxing::analysis
