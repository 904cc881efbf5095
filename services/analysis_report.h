#pragma once
// 历史验证 and sanxing-cli --backtest: conditions tried on a range read once (analysis_range.h),
// with every figure both show: per draw, group and tolerance with the hits' significance,
// year by year, the money at given prices, and saved schemes compared over the same draws.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "analysis/backtest.h"
#include "analysis/comparison.h"
#include "analysis/money.h"
#include "analysis/years.h"
#include "runtime/control_store.h"
#include "services/analysis_range.h"

namespace sanxing::services {

// A saved scheme compared with the current conditions: its file and the scheme as
// CheckConditionScheme gives it.
struct ComparedScheme {
    std::string file;
    nlohmann::json scheme;
};

// What the money and the comparison are figured with.
struct Pricing {
    analysis::Prices prices;
    const ControlStore& controls;  // each scheme is tried on a copy of these
    std::span<const ComparedScheme> schemes;
};

// The figures that change with the prices and the schemes, not with the conditions.
struct MoneyFigures {
    analysis::Money money;
    std::vector<std::int64_t> runningNet;             // the net after each draw, oldest first
    std::vector<analysis::SchemeFigures> comparison;  // the current conditions first, then each scheme
};

struct BacktestReport {
    analysis::Backtest backtest;
    std::vector<analysis::YearFigures> years;
    MoneyFigures priced;
};

// Runs the back-test of `conditions` over the range and figures everything else.
BacktestReport MakeBacktestReport(const AnalysisRange& range, const analysis::Conditions& conditions,
                                  const Pricing& pricing);

// The money and the comparison at other prices or with other schemes, without running the
// back-test again.
MoneyFigures FigureMoney(const AnalysisRange& range, const analysis::Backtest& backtest, const Pricing& pricing);

}  // namespace sanxing::services
