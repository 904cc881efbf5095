#pragma once
// Schemes side by side over the same draws: for each, the active groups, the result size
// at its tolerance, the hits, the chance, the p-value of the hits against chance and the
// net in 元.

#include <cstdint>
#include <span>
#include <string>

#include "analysis/backtest.h"
#include "analysis/money.h"

namespace sanxing::analysis {

struct SchemeFigures {
    std::string scheme;  // the scheme file; empty for the current conditions
    int activeGroups = 0;
    int resultSize = 0;
    int hits = 0;
    double chance = 0;
    double pValue = 1;
    std::int64_t net = 0;
};

// From a back-test already run under the scheme's conditions.
SchemeFigures FiguresOfScheme(std::string scheme, const Backtest& backtest, const Prices& prices);

SchemeFigures FiguresOfScheme(std::string scheme, const Conditions& conditions, std::span<const AnalysedDraw> draws,
                              const Prices& prices);

}  // namespace sanxing::analysis
