#include "history/draw_line.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <optional>

#include "history/canonical_issue.h"
#include "runtime/text.h"
#include "runtime/today.h"

namespace sanxing::history {

namespace {

constexpr std::array<std::string_view, 8> kHeaderWords{"期号", "号码",  "开奖",   "日期",
                                                       "期数", "issue", "number", "date"};

ParsedLine Rejected(std::string reason) {
    ParsedLine parsed;
    parsed.kind = ParsedLine::Kind::Rejected;
    parsed.reason = std::move(reason);
    return parsed;
}

std::string Place(int first, int count) {
    return count == 1 ? "第 " + std::to_string(first + 1) + " 列"
                      : "第 " + std::to_string(first + 1) + "–" + std::to_string(first + count) + " 列";
}

// A date read from the front of a field, and how its month and day were written.
struct DateParts {
    int year = 0, month = 0, day = 0;
    int monthDigits = 0, dayDigits = 0;
    bool dayMarked = false;  // 日 (or 号) after the day
};

enum class DateForm { None, Whole, Broken };

// None when `field` does not begin as a date (eight digits, or four and a separator);
// Broken when it begins as one but is not whole: a part missing or too long, a month or
// day with a leading zero beside one without ("2025-08-1", as a file cut short leaves
// it), 月 without 日.
DateForm ReadDate(std::string_view field, DateParts& date) {
    std::size_t at = 0;
    const auto number = [&](int most, int& width) {
        int value = 0;
        for (width = 0; at < field.size() && IsAsciiDigit(field[at]) && width < most; ++width) {
            value = value * 10 + (field[at++] - '0');
        }
        return value;
    };
    const auto separator = [&](std::string_view chinese) {
        if (at < field.size() && (field[at] == '-' || field[at] == '/' || field[at] == '.')) return ++at, true;
        if (field.substr(at).starts_with(chinese)) return at += chinese.size(), true;
        return false;
    };
    const std::size_t digitsAtFront = std::find_if_not(field.begin(), field.end(), IsAsciiDigit) - field.begin();
    int width = 0;
    if (digitsAtFront == 8) {  // 20240530
        date.year = number(4, width), date.month = number(2, date.monthDigits), date.day = number(2, date.dayDigits);
        return DateForm::Whole;
    }
    if (digitsAtFront != 4) return DateForm::None;
    date.year = number(4, width);
    if (!separator("年")) return DateForm::None;
    date.month = number(2, date.monthDigits);
    if (date.monthDigits == 0) return DateForm::Broken;
    const bool chinese = field.substr(at).starts_with("月");
    if (!separator("月")) return DateForm::Broken;
    date.day = number(2, date.dayDigits);
    if (date.dayDigits == 0 || (at < field.size() && IsAsciiDigit(field[at]))) return DateForm::Broken;
    date.dayMarked = field.substr(at).starts_with("日") || field.substr(at).starts_with("号");
    if (chinese && !date.dayMarked) return DateForm::Broken;
    const auto padded = [](int value, int digits) { return digits == 2 && value < 10; };
    if ((padded(date.month, date.monthDigits) && date.dayDigits == 1) ||
        (padded(date.day, date.dayDigits) && date.monthDigits == 1)) {
        return DateForm::Broken;
    }
    return DateForm::Whole;
}

// The date as "YYYY-MM-DD"; empty before 1990 (a spreadsheet's empty date) or when no
// such day exists.
std::string DateText(const DateParts& parts) {
    const std::chrono::year_month_day date{std::chrono::year(parts.year),
                                           std::chrono::month(static_cast<unsigned>(parts.month)),
                                           std::chrono::day(static_cast<unsigned>(parts.day))};
    if (!date.ok() || parts.year < 1990) return {};
    char text[32];  // room for any int, though the date is checked
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts.year, parts.month, parts.day);
    return text;
}

bool IsOneDigit(std::string_view field) { return field.size() == 1 && IsAsciiDigit(field[0]); }

std::string_view FieldAt(std::span<const std::string_view> fields, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < fields.size() ? fields[static_cast<std::size_t>(index)]
                                                                         : std::string_view();
}

// `digits` one-digit fields from `first` on, as one number; empty when they are not.
std::string DigitFields(std::span<const std::string_view> fields, int first, int digits) {
    std::string number;
    for (int k = 0; k < digits; ++k) {
        const std::string_view field = FieldAt(fields, first + k);
        if (!IsOneDigit(field)) return {};
        number += field;
    }
    return number;
}

// The number at its column in the form the columns name; else, as files mix the two
// forms, in the other one where that cannot be mistaken: a whole number in one field, or
// one-digit fields not followed by another one-digit field (a sum or span column after
// them, or a number whose leading zeros a spreadsheet dropped, would make them doubtful).
std::string NumberAt(std::span<const std::string_view> fields, int first, int digits, bool oneDigitFields) {
    const std::string whole = NumberInField(FieldAt(fields, first), digits);
    if (!oneDigitFields && !whole.empty()) return whole;
    std::string spread = DigitFields(fields, first, digits);
    if (oneDigitFields && !spread.empty()) return spread;
    if (oneDigitFields) return whole;
    return IsOneDigit(FieldAt(fields, first + digits)) ? std::string() : spread;
}

// Why the line gives no number where the columns say.
std::string NoNumber(std::span<const std::string_view> fields, const ColumnMap& columns, const Lottery& lottery) {
    const std::string digits = std::to_string(lottery.digits);
    if (columns.numberFields == 1) {
        return std::string(lottery.name) + "的号码应为 " + digits + " 位数字，" + Place(columns.number, 1) + "是“" +
               ShownText(FieldAt(fields, columns.number)) + "”";
    }
    std::string shown;
    for (int k = 0; k < columns.numberFields; ++k) {
        if (k > 0) shown += ' ';
        const std::string_view field = FieldAt(fields, columns.number + k);
        shown += field.empty() ? std::string("空") : ShownText(field);
    }
    return std::string(lottery.name) + "的号码应为" + Place(columns.number, columns.numberFields) + "的 " + digits +
           " 个一位数字，此行是“" + shown + "”";
}

}  // namespace

std::string NumberInField(std::string_view field, int digits) {
    const auto count = static_cast<std::size_t>(digits);
    if (field.size() == count && std::all_of(field.begin(), field.end(), IsAsciiDigit)) return std::string(field);
    // Single digits one apart: "8 1 6", "8,1,6" or "8-1-6"; or zero-padded ones a space or
    // comma apart, as a list of digit strings gives them ("05 09 05").
    std::string number;
    bool padded = false;
    bool dashed = false;
    for (std::size_t at = 0; at <= field.size();) {
        const std::size_t end = std::min(field.find_first_of(" ,-", at), field.size());
        const std::string_view digit = field.substr(at, end - at);
        if (digit.size() == 2 && digit[0] == '0' && IsAsciiDigit(digit[1])) {
            padded = true;
        } else if (digit.size() != 1 || !IsAsciiDigit(digit[0])) {
            return {};
        }
        number += digit.back();
        if (end < field.size()) dashed |= field[end] == '-';
        at = end + 1;
    }
    if (number.size() != count || (padded && dashed)) return {};
    return number;
}

std::string DateInField(std::string_view field) {
    DateParts parts;
    return ReadDate(field, parts) == DateForm::Whole ? DateText(parts) : std::string();
}

bool HasWords(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
    });
}

bool IsHeaderLine(std::string_view line) {
    if (std::any_of(line.begin(), line.end(), IsAsciiDigit)) return false;
    return std::any_of(kHeaderWords.begin(), kHeaderWords.end(),
                       [&](std::string_view word) { return line.find(word) != std::string_view::npos; });
}

ParsedLine ReadDrawFields(std::span<const std::string_view> fields, const ColumnMap& columns, const Lottery& lottery) {
    return ReadDrawFields(fields, columns, lottery, Today());
}

ParsedLine ReadDrawFields(std::span<const std::string_view> fields, const ColumnMap& columns, const Lottery& lottery,
                          std::chrono::sys_days today) {
    const std::string_view issueField = FieldAt(fields, columns.issue);
    if (issueField.empty()) return Rejected("没有期号（" + Place(columns.issue, 1) + "是空的）");
    auto issue = CanonicalIssue(issueField, lottery, today);
    ParsedLine parsed;
    if (!issue) {
        DateParts parts;
        std::optional<std::string> restored;
        if (columns.date >= 0 && ReadDate(FieldAt(fields, columns.date), parts) == DateForm::Whole) {
            restored = RestoredIssue(issueField, lottery, parts.year, today);
        }
        if (!restored) return Rejected(issue.error());
        issue = std::move(*restored);
        parsed.issueRestored = true;
    }

    parsed.number = NumberAt(fields, columns.number, lottery.digits, columns.numberFields > 1);
    if (parsed.number.empty()) return Rejected(NoNumber(fields, columns, lottery));
    if (columns.date >= 0) {
        const std::string_view dateField = FieldAt(fields, columns.date);
        DateParts parts;
        const DateForm form = ReadDate(dateField, parts);
        if (form == DateForm::Broken) return Rejected("开奖日期“" + ShownText(dateField) + "”不完整或写法不对");
        if (form == DateForm::Whole) parsed.date = DateText(parts);
    }
    parsed.issue = std::move(*issue);
    parsed.kind = ParsedLine::Kind::Draw;
    return parsed;
}

std::string CutShortReason(std::span<const std::string_view> fields, const ColumnMap& columns, std::size_t issueWidth) {
    const int last = static_cast<int>(fields.size()) - 1;
    const std::string_view field = fields.back();
    if (last == columns.issue && field.size() < issueWidth) return "期号“" + ShownText(field) + "”不完整";
    if (columns.date < 0 || last > columns.date) return {};
    if (last < columns.date) return "没有开奖日期";
    // A one-digit day after a two-digit month may have lost its second digit.
    DateParts parts;
    if (ReadDate(field, parts) == DateForm::Whole &&
        (parts.dayDigits == 2 || parts.monthDigits == 1 || parts.dayMarked)) {
        return {};
    }
    return "开奖日期“" + ShownText(field) + "”不完整";
}

}  // namespace sanxing::history
