#pragma once
// Reading one line of a players' draw file, once the columns are known: the issue in the
// lottery's stored form, the number (one field of the lottery's digit count, or that many
// one-digit fields, starting at the number's column), the date if there is one. A line
// that does not give exactly that is rejected with the reason, never guessed.

#include <chrono>
#include <span>
#include <string>
#include <string_view>

#include "history/column_map.h"
#include "history/lotteries.h"

namespace sanxing::history {

struct ParsedLine {
    enum class Kind { Blank, Header, Draw, Rejected };
    Kind kind = Kind::Blank;
    std::string issue;           // in the lottery's stored form
    std::string number;          // the digits, no separators
    std::string date;            // "YYYY-MM-DD" or empty
    std::string reason;          // why a line was rejected (Chinese)
    bool issueRestored = false;  // the issue's dropped leading zeros were put back by the date's year
};

// The line's fields read with `columns` (complete) as a draw of `lottery`, or rejected;
// issues are judged against `today` (Today() by default). A date field that begins as a
// date but is not a whole one ("2025-08-1") rejects the line.
ParsedLine ReadDrawFields(std::span<const std::string_view> fields, const ColumnMap& columns, const Lottery& lottery,
                          std::chrono::sys_days today);
ParsedLine ReadDrawFields(std::span<const std::string_view> fields, const ColumnMap& columns, const Lottery& lottery);

// The number a field holds: exactly `digits` digits, or that many single digits one
// space or comma apart (a quoted "8,1,6"); empty when it holds none.
std::string NumberInField(std::string_view field, int digits);

// The date a field begins with ("2024-05-30", "2024/5/30", "2024.05.30", "2024年5月30日"
// or "20240530", perhaps followed by a weekday) as "YYYY-MM-DD"; empty when it is none.
std::string DateInField(std::string_view field);

// Why the fields of a draw line that ends the input without a line break may have been
// cut short, or empty: the last field is the date and not plainly whole, or the date's
// field is missing, or the last field is an issue shorter than the one before
// (`issueWidth`, 0 when there was none).
std::string CutShortReason(std::span<const std::string_view> fields, const ColumnMap& columns, std::size_t issueWidth);

// Whether the line holds words (letters or Chinese), as a header does.
bool HasWords(std::string_view line);

// A header line in the middle of a file: no digits, and a word that headers use (期号,
// 号码, 开奖, 日期, issue, number, date, ...).
bool IsHeaderLine(std::string_view line);

}  // namespace sanxing::history
