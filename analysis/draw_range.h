#pragma once
// Which past draws an analysis looks at: all draws of a lottery, the newest N, or the
// issues from X to Y (both included). A range larger than the history uses what there is
// and says so.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/analysed_draw.h"
#include "history/lotteries.h"
#include "runtime/controls.h"
#include "runtime/result.h"

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

// What an analysis looks at: one value from the choices to the back-test, the trend and
// the CLI.
struct AnalysisChoice {
    const history::Lottery* lottery = nullptr;
    RangeChoice range;
    Position position = Position::Front;
};

// The window's choice: the lottery of 组合框_彩种, the three digits of 组合框_验证, every draw.
AnalysisChoice AnalysisChoiceFromControls(const Controls& controls);

// Whether the draws stored before the range are kept: omission counts back through them.
enum class Past { Left, Kept };

// Which stored draws a range is picked from: the newest N of them, or every draw (nothing).
// Only 最新 N 期 without the past needs fewer than all; the newest stored draw is always read.
std::optional<std::size_t> NewestToRead(const RangeChoice& range, Past past);

struct RangeDraws {
    std::vector<AnalysedDraw> draws;  // oldest first: the draws before the range when kept, then the range
    std::size_t rangeStart = 0;       // where the range begins in `draws`
    std::string note;                 // empty, or what was used instead of what was asked
    std::span<const AnalysedDraw> range() const { return std::span(draws).subspan(rangeStart); }
};

// The chosen range among `read`, the stored draws NewestToRead asked for (oldest first),
// with the three digits at the chosen position. Fails with a Chinese message when the
// lottery has no history (saying how to import one) or the range holds no draw. A range
// larger than the history uses what there is, and draws whose number is malformed are
// left out: the note says so.
Result<RangeDraws> PickRange(std::vector<Draw>&& read, const AnalysisChoice& choice, Past past);

// Checks an issue typed as a range end: digits only, at most 20. Fails with the Chinese reason.
Result<void> CheckIssueText(std::string_view issue);

}  // namespace sanxing::analysis
