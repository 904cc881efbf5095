#pragma once
// The JSON and plain-text forms of the back-test, the trend figures and 查号 that
// sanxing-cli prints. The field names are documented in the README.

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "analysis/backtest.h"
#include "analysis/trend.h"
#include "services/analysis_report.h"

namespace sanxing {

// Everything but the draws, which BacktestDrawsJson writes one by one as JSON text: a
// long back-test never becomes one JSON tree.
// With `compared`, the comparison too (--compare given).
nlohmann::json BacktestJson(const analysis::Conditions& conditions, const services::BacktestReport& report,
                            bool compared);
std::string BacktestDrawsJson(const analysis::Conditions& conditions, const analysis::Backtest& backtest);
nlohmann::json TrendJson(const analysis::Trend& trend);
nlohmann::json ExplainJson(const analysis::Explanation& explanation);

// Streams the tables as they are made: a long back-test never sits in memory as text.
void WriteBacktestText(std::ostream& out, const analysis::Conditions& conditions,
                       const services::BacktestReport& report, bool compared);
std::string TrendText(const analysis::Trend& trend);
std::string ExplainText(const analysis::Explanation& explanation);

}  // namespace sanxing
