#pragma once
// Gaps in a lottery's history: issue numbers missing between two stored draws of the same
// day (the four time-based kinds) or the same year (福彩3D, 排列三). What lies before the
// first draw or after the last draw of a day or year is not known to be missing.

#include <string>
#include <vector>

#include "history/lotteries.h"

namespace sanxing::history {

struct IssueGap {
    std::string first;  // the first missing issue
    std::string last;   // the last missing issue (equal to first for a single one)
    std::size_t count = 0;
};

// `issues` in either order, all of the lottery's length.
std::vector<IssueGap> FindGaps(std::vector<std::string> issues, const Lottery& lottery);

// "241012005" or "241012005-241012007（3 期）".
std::string GapText(const IssueGap& gap);

}  // namespace sanxing::history
