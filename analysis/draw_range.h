#pragma once
// Which past draws an analysis looks at: all draws of a lottery, the newest N, or the
// issues from X to Y (both included). A range larger than the history uses what there is
// and says so.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "analysis/analysed_draw.h"
#include "history/history_db.h"
#include "history/lotteries.h"
#include "runtime/controls.h"

namespace sanxing::analysis {

struct RangeChoice {
    enum class Kind { All, Newest, Issues };
    Kind kind = Kind::All;
    std::size_t newest = 0;  // Kind::Newest
    std::string from, to;    // Kind::Issues, digits only; an empty end is open

    static RangeChoice All() { return {}; }
    static RangeChoice Newest(std::size_t count) { return {Kind::Newest, count, {}, {}}; }
    static RangeChoice Issues(std::string from, std::string to) {
        return {Kind::Issues, 0, std::move(from), std::move(to)};
    }
};

struct SelectedDraws {
    std::vector<Draw> draws;  // oldest first
    std::string note;         // empty, or what was used instead of what was asked
};

// Fails with a Chinese message when the lottery has no history (saying how to import one)
// or the range holds no draw.
Result<SelectedDraws> SelectDraws(const history::HistoryDb& db, const history::Lottery& lottery,
                                  const RangeChoice& range);

struct RangeDraws {
    std::vector<AnalysedDraw> draws;  // oldest first, the three analysed digits of each
    std::string note;                 // what was used instead of what was asked, if anything
    std::string historyEnd;           // where the lottery's history ends (history/data_end.h)
};

// What an analysis looks at: one value from the choices to the back-test, the trend and
// the CLI.
struct AnalysisChoice {
    const history::Lottery* lottery = nullptr;
    RangeChoice range;
    Position position = Position::Front;
};

// The window's choice: the lottery of 组合框_彩种, the three digits of 组合框_验证, every draw.
AnalysisChoice AnalysisChoiceFromControls(const Controls& controls);

// SelectDraws, then the three digits at the chosen position; draws whose number is
// malformed are left out and the note says how many.
Result<RangeDraws> LoadRange(const history::HistoryDb& db, const AnalysisChoice& choice);

// The range and every stored draw before it: what omission counts back through.
struct RangeWithPast {
    std::vector<AnalysedDraw> draws;  // oldest first: the draws before the range, then the range
    std::size_t rangeStart = 0;       // where the range begins in `draws`
    std::string note;                 // as for RangeDraws
    std::string historyEnd;           // as for RangeDraws
    std::span<const AnalysedDraw> range() const { return std::span(draws).subspan(rangeStart); }
};

// As LoadRange (the same range, notes and failures), with the draws before the range, in
// one read of the lottery's whole history.
Result<RangeWithPast> LoadRangeWithPast(const history::HistoryDb& db, const AnalysisChoice& choice);

// Checks an issue typed as a range end: digits only, at most 20. Fails with the Chinese reason.
Result<void> CheckIssueText(std::string_view issue);

}  // namespace sanxing::analysis
