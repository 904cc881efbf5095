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
    std::string issue;   // in the lottery's stored form
    std::string number;  // the digits, no separators
    std::string date;    // "YYYY-MM-DD" or empty
    std::string reason;  // why a line was rejected (Chinese)
};

// The line's fields read with `columns` (complete) as a draw of `lottery`, or rejected;
// issues are judged against `today` (Today() by default).
ParsedLine ReadDrawFields(std::span<const std::string_view> fields, const ColumnMap& columns, const Lottery& lottery,
                          std::chrono::sys_days today);
ParsedLine ReadDrawFields(std::span<const std::string_view> fields, const ColumnMap& columns, const Lottery& lottery);

// The number a field holds: exactly `digits` digits, or that many single digits one
// space or comma apart (a quoted "8,1,6"); empty when it holds none.
std::string NumberInField(std::string_view field, int digits);

// The date a field begins with ("2024-05-30", "2024/5/30", "2024.05.30", "2024年5月30日"
// or "20240530", perhaps followed by a weekday) as "YYYY-MM-DD"; empty when it is none.
std::string DateInField(std::string_view field);

// Whether the line holds words (letters or Chinese), as a header does.
bool HasWords(std::string_view line);

// A header line in the middle of a file: no digits, and a word that headers use (期号,
// 号码, 开奖, 日期, issue, number, date, ...).
bool IsHeaderLine(std::string_view line);

// At most a few dozen bytes of `text` for a message, not cutting a character.
std::string ShownField(std::string_view text);

}  // namespace sanxing::history
