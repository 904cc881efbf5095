#include "analysis/years.h"

#include <algorithm>
#include <map>

#include "analysis/significance.h"
#include "runtime/text.h"

namespace sanxing::analysis {

std::optional<int> IssueYear(std::string_view issue, const history::Lottery& lottery) {
    if (issue.size() != static_cast<std::size_t>(lottery.issueLength) ||
        !std::all_of(issue.begin(), issue.end(), IsAsciiDigit)) {
        return std::nullopt;
    }
    const auto digits = [&](std::size_t at, std::size_t count) {
        int value = 0;
        for (const char c : issue.substr(at, count)) value = value * 10 + (c - '0');
        return value;
    };
    if (lottery.digits == 3) return digits(0, 4);  // YYYYNNN
    // YYMMDD before the serial number of the day.
    const std::size_t serial = static_cast<std::size_t>(lottery.serialLength);
    if (issue.size() < serial + 6) return std::nullopt;
    return 2000 + digits(issue.size() - serial - 6, 2);
}

std::vector<YearFigures> FiguresByYear(const Backtest& backtest, const history::Lottery& lottery) {
    std::map<int, YearFigures> years;
    for (const DrawOutcome& d : backtest.draws) {
        const int year = IssueYear(d.issue, lottery).value_or(0);
        YearFigures& y = years[year];
        y.year = year;
        ++y.draws;
        y.hits += d.hit;
    }
    std::vector<YearFigures> list;
    for (auto& [year, y] : years) {
        y.expected = y.draws * backtest.chance();
        y.pValue = BinomialPValue(y.hits, y.draws, backtest.chance());
        list.push_back(y);
    }
    return list;
}

}  // namespace sanxing::analysis
