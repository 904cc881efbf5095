#pragma once
// The JSON and plain-text forms of the back-test, the trend figures and 查号 that
// sanxing-cli prints. The field names are documented in the README.

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/backtest.h"
#include "analysis/comparison.h"
#include "analysis/money.h"
#include "analysis/trend.h"
#include "analysis/years.h"

namespace sanxing {

// What --backtest reports beside the back-test itself.
struct BacktestFigures {
    std::vector<analysis::YearFigures> years;
    analysis::Money money;
    // With --compare: the current conditions first, then each usable scheme.
    std::optional<std::vector<analysis::SchemeFigures>> compare;
};

// Everything but the draws, which BacktestDrawsJson writes one by one as JSON text: a
// long back-test never becomes one JSON tree.
nlohmann::json BacktestJson(const analysis::Conditions& conditions, const analysis::Backtest& backtest,
                            const BacktestFigures& figures);
std::string BacktestDrawsJson(const analysis::Conditions& conditions, const analysis::Backtest& backtest);
nlohmann::json TrendJson(const analysis::Trend& trend);
nlohmann::json ExplainJson(const analysis::Explanation& explanation);

// Streams the tables as they are made: a long back-test never sits in memory as text.
void WriteBacktestText(std::ostream& out, const analysis::Conditions& conditions, const analysis::Backtest& backtest,
                       const BacktestFigures& figures);
std::string TrendText(const analysis::Trend& trend);
std::string ExplainText(const analysis::Explanation& explanation);

}  // namespace sanxing
