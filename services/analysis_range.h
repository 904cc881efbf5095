#pragma once
// The draws an analysis looks at, read from the history in one query: the chosen range
// (with the draws stored before it, when asked) and where the lottery's history ends.

#include <string>

#include "analysis/draw_range.h"
#include "history/history_db.h"
#include "runtime/result.h"

namespace sanxing::services {

struct AnalysisRange : analysis::RangeDraws {
    const history::Lottery* lottery = nullptr;
    std::string historyEnd;  // "开奖历史到 …" (history/data_end.h)
};

// Fails with the Chinese reason: the history cannot be read, has no draw of the lottery,
// or the range holds none (analysis::PickRange).
Result<AnalysisRange> ReadAnalysisRange(const history::HistoryDb& db, const analysis::AnalysisChoice& choice,
                                        analysis::Past past = analysis::Past::Left);

}  // namespace sanxing::services
