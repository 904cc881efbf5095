#pragma once
// Finding the columns of a draw file from its first lines: the issue column (the field
// that reads as an issue of the lottery most often), the number (one field of the
// lottery's digit count, or that many one-digit fields side by side; on a tie the
// leftmost after the issue; never a column whose header names the trial draw, 试机号),
// the date column if any; every other column (sums, spans,
// shapes, sales, prizes, text) is ignored. A first line of words is a header. Qt-free and
// bounded: it looks at kDetectionLines lines of at most kMaxFields fields.

#include <cstddef>
#include <span>
#include <string>

#include "history/column_map.h"
#include "history/lotteries.h"

namespace sanxing::history {

// Lines looked at, after a header.
inline constexpr std::size_t kDetectionLines = 50;

struct Detection {
    ColumnMap columns;               // complete when the issue and number columns were found
    bool firstLineIsHeader = false;  // the first line given is a header
    std::size_t sampled = 0;         // lines looked at, the header left out
    std::size_t fitting = 0;         // of them, lines the columns read as a draw
    // A lottery of another digit count whose draws the lines are, when they fit it
    // better than the chosen one (a file of three-digit draws picked for a five-digit
    // lottery, or the reverse); nullptr otherwise.
    const Lottery* better = nullptr;
    // The detected number's digits stand in five one-digit fields side by side in most
    // lines (a 排列五 file), of which only the first three would be read: nothing is read
    // then unless the columns are given.
    bool fiveDigitDraws = false;
};

// `lines`: the file's first non-blank lines (UTF-8), at most kDetectionLines + 1 of them.
Detection DetectColumns(std::span<const std::string> lines, const Lottery& lottery);

// The same lines read with given columns: the header and the fitting lines counted, and
// another lottery offered as DetectColumns does when the lines fit it better.
Detection CountFitting(std::span<const std::string> lines, const ColumnMap& columns, const Lottery& lottery);

// "无法识别期号和号码所在的列", the first line, and the better lottery if there is one.
std::string UndetectedMessage(const Detection& detection, std::string_view firstLine, const Lottery& lottery);

}  // namespace sanxing::history
