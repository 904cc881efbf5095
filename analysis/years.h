#pragma once
// The back-test year by year: whether the conditions held up in every calendar year of
// the range or only on the whole, each year against chance at the current tolerance.

#include <optional>
#include <string_view>
#include <vector>

#include "analysis/backtest.h"
#include "history/lotteries.h"

namespace sanxing::analysis {

// The calendar year of an issue: YYYY of a daily lottery's YYYYNNN, 20YY of the YYMMDD in
// a time-based lottery's issue. Nothing when the issue does not have the lottery's form.
std::optional<int> IssueYear(std::string_view issue, const history::Lottery& lottery);

struct YearFigures {
    int year = 0;  // 0: issues that carry no year
    int draws = 0;
    int hits = 0;
    double expected = 0;  // draws × chance at the current tolerance
    double pValue = 1;    // two-sided exact binomial test of hits against chance
};

// The years of the range in ascending order (issues without a year first, as year 0).
std::vector<YearFigures> FiguresByYear(const Backtest& backtest, const history::Lottery& lottery);

}  // namespace sanxing::analysis
