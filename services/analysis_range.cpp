#include "services/analysis_range.h"

#include <utility>

#include "history/data_end.h"

namespace sanxing::services {

Result<AnalysisRange> ReadAnalysisRange(const history::HistoryDb& db, const analysis::AnalysisChoice& choice,
                                        analysis::Past past) {
    const std::string_view lottery = choice.lottery->name;
    const auto newest = analysis::NewestToRead(choice.range, past);
    auto read = newest ? db.newest(lottery, *newest) : db.between(lottery, {}, {});
    if (!read) return Failure{read.error()};
    // Every read ends with the newest stored draw: where the history ends.
    std::string end = read->empty() ? std::string() : history::DataEndText(read->back());
    auto picked = analysis::PickRange(std::move(*read), choice, past);
    if (!picked) return Failure{picked.error()};
    return AnalysisRange{std::move(*picked), choice.lottery, std::move(end)};
}

}  // namespace sanxing::services
