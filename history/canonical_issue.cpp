#include "history/canonical_issue.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <optional>

#include "runtime/text.h"
#include "runtime/today.h"

namespace sanxing::history {

namespace {

using namespace std::chrono;

bool AllDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsAsciiDigit); }

// The value of at most nine digits.
int Value(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

// `value` in `width` digits with leading zeros, appended to `out`.
void AppendPadded(std::string& out, int value, int width) {
    char digits[10];
    for (int i = width - 1; i >= 0; --i, value /= 10) digits[i] = static_cast<char>('0' + value % 10);
    out.append(digits, static_cast<std::size_t>(width));
}

std::string Padded(int value, int width) {
    std::string text;
    AppendPadded(text, value, width);
    return text;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.starts_with("第")) text.remove_prefix(std::string_view("第").size());
    if (text.ends_with("期")) text.remove_suffix(std::string_view("期").size());
    return text;
}

// An issue read as its parts: the digits before a dash (or the leading ones) and after.
struct IssueParts {
    std::string_view head, tail;
};

class IssueReader {
public:
    IssueReader(std::string_view text, const Lottery& lottery, sys_days today)
        : text_(text), lottery_(lottery), today_(today) {}

    Result<std::string> read() const {
        const std::string_view issue = Trimmed(text_);
        const std::size_t headEnd = std::find_if_not(issue.begin(), issue.end(), IsAsciiDigit) - issue.begin();
        if (headEnd == issue.size()) return readUndashed(issue);
        const std::size_t separator = SeparatorWidth(issue.substr(headEnd));
        const std::string_view head = issue.substr(0, headEnd), tail = issue.substr(headEnd + separator);
        if (separator == 0 || head.empty() || !AllDigits(tail)) return NotDigits();
        return readParts({head, tail});
    }

    // An issue whose leading zeros a spreadsheet dropped ("9358" for 09358): the zeros put
    // back, when the issue then reads as one of `year`.
    std::optional<std::string> restore(int year) const {
        const std::string_view issue = Trimmed(text_);
        if (!AllDigits(issue)) return std::nullopt;
        const std::size_t full = lottery_.form == IssueForm::YearSequence ? 5 : 9;
        for (std::size_t zeros = 1; zeros <= 2 && issue.size() + zeros <= full; ++zeros) {
            if (issue.size() + zeros != full) continue;
            const std::string padded = std::string(zeros, '0') + std::string(issue);
            auto stored = IssueReader(padded, lottery_, today_).read();
            if (stored && YearOfStored(*stored) == year) return *stored;
        }
        return std::nullopt;
    }

private:
    Result<std::string> readUndashed(std::string_view digits) const {
        const std::size_t n = digits.size();
        if (lottery_.form == IssueForm::YearSequence) {
            if (n != 7 && n != 5) return WrongLength();
            return readParts({digits.substr(0, n - 3), digits.substr(n - 3)});
        }
        if (n == 11 || n == 10) return readParts({digits.substr(0, 8), digits.substr(8)});
        if (n != 9) return WrongLength();
        // Nine digits: 新疆's stored form (YYYMMDDNN) first, then YYMMDDNNN as for the others.
        if (lottery_.serialLength == 2) {
            auto stored = readDay(digits.substr(0, 7), digits.substr(7));
            if (stored) return stored;
            auto other = readParts({digits.substr(0, 6), digits.substr(6)});
            return other ? other : stored;
        }
        return readParts({digits.substr(0, 6), digits.substr(6)});
    }

    Result<std::string> readParts(const IssueParts& parts) const {
        if (parts.tail.empty() || parts.tail.size() > 3) return WrongLength();
        if (lottery_.form == IssueForm::YearSequence) {
            if (parts.head.size() != 4 && parts.head.size() != 2) return WrongLength();
            return readYear(parts.head, parts.tail);
        }
        if (parts.head.size() != 8 && parts.head.size() != 6) return WrongLength();
        return readDay(parts.head, parts.tail);
    }

    Result<std::string> readYear(std::string_view yearDigits, std::string_view sequenceDigits) const {
        const int year = YearOf(yearDigits);
        const int sequence = Value(sequenceDigits);
        if (sequence < 1 || sequence > 366) {
            return Refused("的期序 " + std::string(sequenceDigits) + " 不在 001–366 之间");
        }
        if (auto fits = checkYear(year); !fits) return Failure{fits.error()};
        std::string issue;
        AppendPadded(issue, year, 4);
        AppendPadded(issue, sequence, 3);
        return issue;
    }

    // `dayDigits`: YYYYMMDD, YYMMDD, or 新疆's stored YYYMMDD.
    Result<std::string> readDay(std::string_view dayDigits, std::string_view serialDigits) const {
        const std::size_t yearWidth = dayDigits.size() - 4;
        const int year = YearOf(dayDigits.substr(0, yearWidth));
        const int month = Value(dayDigits.substr(yearWidth, 2));
        const int day = Value(dayDigits.substr(yearWidth + 2, 2));
        const year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                  std::chrono::day(static_cast<unsigned>(day))};
        if (!date.ok()) return Refused("的日期 " + DayText(year, month, day) + " 不存在");
        if (auto fits = checkYear(year); !fits) return Failure{fits.error()};
        if (sys_days(date) > today_ + days(1)) return Refused("的日期 " + DayText(year, month, day) + " 晚于明天");
        const int serial = Value(serialDigits);
        if (serial == 0) return Refused("的期序为 0");
        const int width = lottery_.serialLength;
        if (serialDigits.size() > static_cast<std::size_t>(width) && serial >= (width == 2 ? 100 : 1000)) {
            return Refused("的期序 " + std::string(serialDigits) + " 超过 " + std::to_string(width) + " 位（" +
                           std::string(lottery_.name) + "每天的期序为 " + Padded(1, width) + "–" +
                           std::string(static_cast<std::size_t>(width), '9') + "）");
        }
        // The last digits of the year that the stored form keeps, then MMDD and the serial.
        const int keptYearDigits = lottery_.issueLength - 4 - width;
        std::string issue;
        AppendPadded(issue, year % (keptYearDigits == 2 ? 100 : 1000), keptYearDigits);
        AppendPadded(issue, month, 2);
        AppendPadded(issue, day, 2);
        AppendPadded(issue, serial, width);
        return issue;
    }

    static std::string DayText(int year, int month, int day) {
        return std::to_string(year) + "-" + Padded(month, 2) + "-" + Padded(day, 2);
    }

    Result<void> checkYear(int year) const {
        if (year < lottery_.firstYear) {
            return Refused("的年份 " + std::to_string(year) + " 早于" + std::string(lottery_.name) + "开始的 " +
                           std::to_string(lottery_.firstYear) + " 年");
        }
        const int thisYear = static_cast<int>(year_month_day(today_).year());
        if (year > thisYear)
            return Refused("的年份 " + std::to_string(year) + " 晚于今年（" + std::to_string(thisYear) + "）");
        return {};
    }

    // The year of an issue in its stored form.
    int YearOfStored(std::string_view stored) const {
        if (lottery_.form == IssueForm::YearSequence) return Value(stored.substr(0, 4));
        return 2000 +
               Value(stored.substr(0, static_cast<std::size_t>(lottery_.issueLength - 4 - lottery_.serialLength)));
    }

    // Two digits mean 20YY, three (新疆's stored form) 2YYY.
    static int YearOf(std::string_view digits) {
        const int value = Value(digits);
        return digits.size() == 4 ? value : 2000 + value;
    }

    Failure Refused(const std::string& why) const { return {"期号“" + ShownText(text_) + "”" + why}; }
    Failure NotDigits() const { return Refused("不是期号：期号只含数字，可带一个“-”"); }

    // What may stand between the year (or day) and the serial: a dash, a letter
    // ("2005D001"), or 期 or 年 ("2005期001"); 0 when `rest` begins with none of them.
    static std::size_t SeparatorWidth(std::string_view rest) {
        const auto c = static_cast<unsigned char>(rest.front());
        if (c == '-' || std::isalpha(c)) return 1;
        for (std::string_view word : {"期", "年"}) {
            if (rest.starts_with(word)) return word.size();
        }
        return 0;
    }
    Failure WrongLength() const {
        return Refused("的位数不对（" + std::string(lottery_.name) + "的期号如 " +
                       std::string(IssueExamples(lottery_)) + "）");
    }

    std::string_view text_;
    const Lottery& lottery_;
    sys_days today_;
};

}  // namespace

Result<std::string> CanonicalIssue(std::string_view text, const Lottery& lottery) {
    return CanonicalIssue(text, lottery, Today());
}

Result<std::string> CanonicalIssue(std::string_view text, const Lottery& lottery, sys_days today) {
    return IssueReader(text, lottery, today).read();
}

std::optional<std::string> RestoredIssue(std::string_view text, const Lottery& lottery, int year, sys_days today) {
    return IssueReader(text, lottery, today).restore(year);
}

std::string_view IssueExamples(const Lottery& lottery) {
    if (lottery.form == IssueForm::YearSequence) return "2024144、24144 或 24-144";
    if (lottery.serialLength == 2) return "2024101223、20241012-23 或 024101223";
    return "20241012-023、20241012023 或 241012023";
}

}  // namespace sanxing::history
