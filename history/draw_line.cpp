#include "history/draw_line.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "runtime/result.h"
#include "runtime/text.h"

namespace sanxing::history {

namespace {

using sanxing::Failure;
using sanxing::IsAsciiDigit;
using sanxing::Result;

constexpr std::array<std::string_view, 9> kSeparators{" ", "\t", ",", "，", "、", "　", ";", "；", "|"};
constexpr std::array<std::string_view, 8> kHeaderWords{"期号", "号码",  "开奖",   "日期",
                                                       "期数", "issue", "number", "date"};

bool AllDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsAsciiDigit); }

// The length of the separator at the start of `rest`, or 0.
std::size_t SeparatorAt(std::string_view rest) {
    const auto c = static_cast<unsigned char>(rest.front());
    if (c > ' ' && c < 0x80 && c != ',' && c != ';' && c != '|') return 0;  // the common case
    for (std::string_view separator : kSeparators) {
        if (rest.starts_with(separator)) return separator.size();
    }
    return 0;
}

// A line's pieces between separators, without allocating: a draw line has a handful of
// them, and one with more than kMaxTokens cannot be a draw.
constexpr std::size_t kMaxTokens = 24;
struct Tokens {
    std::array<std::string_view, kMaxTokens + 1> items;
    std::size_t count = 0;
    bool tooMany() const { return count > kMaxTokens; }
    auto begin() const { return items.begin(); }
    auto end() const { return items.begin() + static_cast<std::ptrdiff_t>(std::min(count, kMaxTokens)); }
};

Tokens SplitLine(std::string_view line) {
    Tokens tokens;
    auto add = [&](std::string_view token) {
        if (tokens.count <= kMaxTokens) tokens.items[tokens.count] = token;
        ++tokens.count;
    };
    std::size_t start = 0, at = 0;
    while (at < line.size()) {
        const std::size_t width = SeparatorAt(line.substr(at));
        if (width == 0) {
            ++at;
            continue;
        }
        if (at > start) add(line.substr(start, at - start));
        at += width;
        start = at;
    }
    if (at > start) add(line.substr(start, at - start));
    return tokens;
}

// "2024-05-30", "2024/5/30" or "2024.05.30" as "2024-05-30"; empty when not a date.
std::string AsDate(std::string_view token) {
    int parts[3] = {0, 0, 0};
    int widths[3] = {0, 0, 0};
    int part = 0;
    for (char c : token) {
        if (IsAsciiDigit(c)) {
            if (++widths[part] > 4) return {};
            parts[part] = parts[part] * 10 + (c - '0');
        } else if ((c == '-' || c == '/' || c == '.') && part < 2 && widths[part] > 0) {
            ++part;
        } else {
            return {};
        }
    }
    if (part != 2 || widths[0] != 4 || widths[1] > 2 || widths[2] == 0 || widths[2] > 2) return {};
    if (parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > 31) return {};
    char text[11];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts[0], parts[1], parts[2]);
    return text;
}

// "20:30" or "20:30:00": a draw time beside the date, read past.
bool IsTime(std::string_view token) {
    if (token.size() != 5 && token.size() != 8) return false;
    for (std::size_t i = 0; i < token.size(); ++i) {
        const bool colon = i % 3 == 2;
        if (colon ? token[i] != ':' : !IsAsciiDigit(token[i])) return false;
    }
    return true;
}

std::string_view StripAround(std::string_view token, std::string_view before, std::string_view after) {
    if (token.starts_with(before)) token.remove_prefix(before.size());
    if (token.ends_with(after)) token.remove_suffix(after.size());
    return token;
}

// The issue in the lottery's stored form, or the reason it is not one. The time-based
// kinds keep the last 9 digits as the draw list does ("20241012-023" gives 241012023,
// "2014051201" gives 014051201).
Result<std::string> ToStoredIssue(std::string_view token, const Lottery& lottery) {
    token = StripAround(token, "第", "期");
    std::string digits;
    for (char c : token) {
        if (c != '-') digits += c;
    }
    const auto length = static_cast<std::size_t>(lottery.issueLength);
    const bool timeBased = lottery.digits == 5;
    if (!AllDigits(digits)) return Failure{"期号“" + std::string(token) + "”不是数字"};
    // The sites give 10 digits (新疆: YYYYMMDDNN) or 11 (YYYYMMDDNNN); the list keeps 9.
    if (digits.size() == length || (timeBased && digits.size() > length && digits.size() <= length + 2)) {
        return digits.substr(digits.size() - length);
    }
    return Failure{"期号“" + std::string(token) + "”位数不对（" + std::string(lottery.name) + "的期号为 " +
                   (timeBased ? "9 到 11 位数字，如 20241012023" : "7 位数字，如 2024144") + "）"};
}

bool IsHeader(std::string_view line) {
    if (std::any_of(line.begin(), line.end(), IsAsciiDigit)) return false;
    return std::any_of(kHeaderWords.begin(), kHeaderWords.end(),
                       [&](std::string_view word) { return line.find(word) != std::string_view::npos; });
}

ParsedLine Marked(ParsedLine::Kind kind, std::string reason = {}) {
    ParsedLine parsed;
    parsed.kind = kind;
    parsed.reason = std::move(reason);
    return parsed;
}

ParsedLine Rejected(std::string reason) { return Marked(ParsedLine::Kind::Rejected, std::move(reason)); }

}  // namespace

ParsedLine ParseDrawLine(std::string_view line, const Lottery& lottery) {
    const Tokens tokens = SplitLine(line);
    if (tokens.count == 0) return {};
    if (IsHeader(line)) return Marked(ParsedLine::Kind::Header);
    if (tokens.tooMany()) return Rejected("此行内容太多，不是一期开奖号码");

    ParsedLine parsed;
    bool haveIssue = false;
    for (std::string_view token : tokens) {
        if (std::string date = AsDate(token); !date.empty() && parsed.date.empty()) {
            parsed.date = std::move(date);
        } else if (IsTime(token)) {
            continue;
        } else if (!haveIssue) {
            auto issue = ToStoredIssue(token, lottery);
            if (!issue) return Rejected(issue.error());
            parsed.issue = std::move(*issue);
            haveIssue = true;
        } else if (AllDigits(token)) {
            parsed.number += token;
            if (parsed.number.size() > 64) break;
        } else {
            return Rejected("号码“" + std::string(token) + "”不是数字");
        }
    }
    if (!haveIssue) return Rejected("没有期号");
    const auto digits = static_cast<std::size_t>(lottery.digits);
    if (parsed.number.size() != digits) {
        return Rejected(std::string(lottery.name) + "的号码应为 " + std::to_string(digits) + " 位数字，此行有 " +
                        std::to_string(parsed.number.size()) + " 位");
    }
    parsed.kind = ParsedLine::Kind::Draw;
    return parsed;
}

}  // namespace sanxing::history
