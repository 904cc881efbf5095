#include "services/trend_report.h"

#include <iterator>
#include <utility>

namespace sanxing::services {

Result<TrendReport> ReadTrendReport(const history::HistoryDb& db, const analysis::AnalysisChoice& choice) {
    auto read = ReadAnalysisRange(db, choice, analysis::Past::Kept);
    if (!read) return Failure{read.error()};
    TrendReport report{analysis::ComputeTrend(read->draws, read->rangeStart),
                       {},
                       read->draws.size(),
                       std::move(read->note),
                       std::move(read->historyEnd)};
    const auto rangeStart = read->draws.begin() + static_cast<std::ptrdiff_t>(read->rangeStart);
    report.draws.assign(std::make_move_iterator(rangeStart), std::make_move_iterator(read->draws.end()));
    return report;
}

}  // namespace sanxing::services
