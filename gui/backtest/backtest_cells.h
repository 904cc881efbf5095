#pragma once
// How 历史验证's pages show their figures in text and table cells.

#include <QString>
#include <string_view>

#include "analysis/significance.h"
#include "gui/analysis/value_table_model.h"

namespace sanxing {

inline QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

inline QString Percent(double fraction) { return QString::number(fraction * 100, 'f', 1) + '%'; }

inline TableCell PercentCell(double fraction) { return {Percent(fraction), fraction}; }

// "0.43", "0.003" or "< 0.0001"; sorted by the value.
inline TableCell PValueCell(double pValue) { return {Utf8(analysis::PValueFigure(pValue)), pValue}; }

}  // namespace sanxing
