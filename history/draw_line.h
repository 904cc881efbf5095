#pragma once
// Reading one line of a players' draw file: an issue, then the digits, in the layouts
// such files have ("2024144 816", "2024144,8,1,6", "第2024144期 8 1 6",
// "2024-05-30,2024144,816", "20241012-023 1,2,3,4,5", ...). A line whose digits do not
// give exactly the lottery's digit count is rejected, never guessed.

#include <string>
#include <string_view>

#include "history/lotteries.h"

namespace sanxing::history {

struct ParsedLine {
    enum class Kind { Blank, Header, Draw, Rejected };
    Kind kind = Kind::Blank;
    std::string issue;   // in the lottery's stored form
    std::string number;  // the digits, no separators
    std::string date;    // "YYYY-MM-DD" or empty
    std::string reason;  // why a line was rejected (Chinese)
};

// `line` is UTF-8 without its line break.
ParsedLine ParseDrawLine(std::string_view line, const Lottery& lottery);

}  // namespace sanxing::history
