#pragma once
// 走势图 and sanxing-cli --trend: the trend figures of a range, omission counted back
// through every stored draw before it, read in one query.

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/trend.h"
#include "services/analysis_range.h"

namespace sanxing::services {

struct TrendReport {
    analysis::Trend trend;
    std::vector<analysis::AnalysedDraw> draws;  // the range, oldest first
    std::size_t countedBack = 0;                // the draws omission counts through: the range and those before it
    std::string note;                           // as AnalysisRange's
    std::string historyEnd;
};

// Fails as ReadAnalysisRange does.
Result<TrendReport> ReadTrendReport(const history::HistoryDb& db, const analysis::AnalysisChoice& choice);

}  // namespace sanxing::services
