#include "history/draw_line.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>

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

// The date's parts read from the front of `field`; false when it does not begin with one.
bool ReadDate(std::string_view field, int& year, int& month, int& day) {
    std::size_t at = 0;
    const auto number = [&](std::size_t most) {
        int value = 0;
        std::size_t width = 0;
        while (at < field.size() && IsAsciiDigit(field[at]) && width < most) {
            value = value * 10 + (field[at++] - '0');
            ++width;
        }
        return width == 0 ? -1 : value;
    };
    const auto separator = [&](std::string_view chinese) {
        if (at < field.size() && (field[at] == '-' || field[at] == '/' || field[at] == '.')) return ++at, true;
        if (field.substr(at).starts_with(chinese)) return at += chinese.size(), true;
        return false;
    };
    const std::size_t digitsAtFront = std::find_if_not(field.begin(), field.end(), IsAsciiDigit) - field.begin();
    if (digitsAtFront == 8) {  // 20240530
        year = number(4), month = number(2), day = number(2);
        return true;
    }
    if (digitsAtFront != 4) return false;
    year = number(4);
    if (!separator("年") || (month = number(2)) < 0 || !separator("月") || (day = number(2)) < 0) return false;
    return at == field.size() || !IsAsciiDigit(field[at]);
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
               ShownField(FieldAt(fields, columns.number)) + "”";
    }
    std::string shown;
    for (int k = 0; k < columns.numberFields; ++k) {
        if (k > 0) shown += ' ';
        const std::string_view field = FieldAt(fields, columns.number + k);
        shown += field.empty() ? std::string("空") : ShownField(field);
    }
    return std::string(lottery.name) + "的号码应为" + Place(columns.number, columns.numberFields) + "的 " + digits +
           " 个一位数字，此行是“" + shown + "”";
}

}  // namespace

std::string ShownField(std::string_view text) {
    constexpr std::size_t kShown = 40;
    if (text.size() <= kShown) return std::string(text);
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return std::string(text.substr(0, cut)) + "…";
}

std::string NumberInField(std::string_view field, int digits) {
    const auto count = static_cast<std::size_t>(digits);
    if (field.size() == count && std::all_of(field.begin(), field.end(), IsAsciiDigit)) return std::string(field);
    // Single digits one apart: "8 1 6", "8,1,6" or "8-1-6".
    if (field.size() != 2 * count - 1) return {};
    std::string number;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool digitPlace = i % 2 == 0;
        if (digitPlace != IsAsciiDigit(field[i])) return {};
        if (digitPlace) {
            number += field[i];
        } else if (field[i] != ' ' && field[i] != ',' && field[i] != '-') {
            return {};
        }
    }
    return number;
}

std::string DateInField(std::string_view field) {
    int year = 0, month = 0, day = 0;
    if (!ReadDate(field, year, month, day)) return {};
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok() || year < 1990) return {};
    char text[32];  // room for any int, though the date is checked
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
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
    if (!issue) return Rejected(issue.error());

    ParsedLine parsed;
    parsed.number = NumberAt(fields, columns.number, lottery.digits, columns.numberFields > 1);
    if (parsed.number.empty()) return Rejected(NoNumber(fields, columns, lottery));
    if (columns.date >= 0) parsed.date = DateInField(FieldAt(fields, columns.date));
    parsed.issue = std::move(*issue);
    parsed.kind = ParsedLine::Kind::Draw;
    return parsed;
}

}  // namespace sanxing::history
