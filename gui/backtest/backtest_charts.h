#pragma once
// The charts of 历史验证: the tolerance curve with the current tolerance marked, the hit rate
// against chance per year, and the running net in 元 over the range. Each returns a new
// chart for ReplaceChart; axes are scaled to the data.

#include <cstdint>
#include <vector>

#include "analysis/backtest.h"
#include "analysis/money.h"
#include "analysis/years.h"

class QChart;

namespace sanxing {

// Hit rate and chance against the tolerance 0-t, and the figures of the current tolerance
// at its upper end.
QChart* MakeCurveChart(const analysis::Backtest& backtest, const analysis::Conditions& conditions);

// Hit rate of each year against chance.
QChart* MakeYearChart(const std::vector<analysis::YearFigures>& years, double chance);

// The net after each draw, and the straight line that chance alone would follow.
QChart* MakeNetChart(const std::vector<std::int64_t>& runningNet, const analysis::Money& money);

}  // namespace sanxing
