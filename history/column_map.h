#pragma once
// Which fields of a draw file's lines hold the issue, the number and the date: found by
// the detector, shown in the import preview, given to sanxing-cli as
// --import-columns 期号=1,号码=3-5,日期=2 (fields counted from 1; 号码=3-5 means the
// number's digits one a field).

#include <string>
#include <string_view>

#include "history/lotteries.h"
#include "runtime/result.h"

namespace sanxing::history {

struct ColumnMap {
    int issue = -1;        // field index from 0; -1 when not known
    int number = -1;       // the number's field, or the first of its one-digit fields
    int numberFields = 1;  // 1: the whole number in one field; else one field per digit
    int date = -1;         // -1: no date

    bool complete() const { return issue >= 0 && number >= 0; }
    bool holdsNumber(int field) const { return number >= 0 && field >= number && field < number + numberFields; }
    bool operator==(const ColumnMap&) const = default;
};

// "期号=1,号码=3-5,日期=2"; the parts that are known.
std::string ColumnMapText(const ColumnMap& columns);

// Reads the text form; fails with the Chinese reason (an unknown role, a field given
// twice, no 期号 or 号码).
Result<ColumnMap> ParseColumnMap(std::string_view text);

// Whether the map can read `lottery`'s draws: its number fields are one, or one per digit.
Result<void> CheckColumnMap(const ColumnMap& columns, const Lottery& lottery);

// What a field is for: 期号, 号码, 日期, a digit's place (万位, 千位, 百位, 十位, 个位) when
// the number takes one field per digit, else 忽略.
std::string_view ColumnRole(const ColumnMap& columns, int field, const Lottery& lottery);

}  // namespace sanxing::history
