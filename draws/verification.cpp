#include "draws/verification.h"

#include <algorithm>
#include <limits>

#include "draws/draw_record.h"
#include "draws/source_page.h"
#include "numbers/set_text.h"
#include "runtime/gbk.h"
#include "runtime/text.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// The line that closes the report: the program that made it.
constexpr std::string_view kReportClosing = "\r\nTavrel 三星缩水工具 版本号 3.5版";

// Next-issue suffixes run 001 to 120, whatever the kind.
constexpr long long kIssuesPerDay = 120;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length in bytes of the UTF-8 character that starts at `at`.
std::size_t CharLength(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && IsContinuationByte(text[end])) ++end;
    return end - at;
}

// The last n characters of a UTF-8 text.
std::string_view LastChars(std::string_view text, std::size_t n) {
    std::size_t at = text.size();
    while (n > 0 && at > 0) {
        --at;
        while (at > 0 && IsContinuationByte(text[at])) --at;
        --n;
    }
    return text.substr(at);
}

// The leading characters of a text whose GBK form fits in `bytes` bytes; a double-byte
// character is never cut in half.
std::string_view FirstGbkBytes(std::string_view text, std::size_t bytes) {
    std::size_t at = 0, used = 0;
    while (at < text.size()) {
        const std::size_t length = CharLength(text, at);
        const std::size_t gbk = length == 1 ? 1 : Utf8ToGbk(text.substr(at, length)).size();
        if (used + gbk > bytes) break;
        used += gbk;
        at += length;
    }
    return text.substr(0, at);
}

const std::string& Cell(const ReportRow& row, std::size_t column) {
    static const std::string empty;
    return column < row.size() ? row[column] : empty;
}

// The rows of the report, oldest first: each marked row among the first n.
std::string ReportLines(const Controls& controls) {
    const ReportRows& rows = controls.rows(kDrawList);
    const long long shown = std::max(0LL, LeadingInteger(controls.text(ctl::kShownDraws)));
    const std::size_t n = std::min(rows.size(), static_cast<std::size_t>(shown));
    const int window = VerificationWindow(controls);
    const std::string windowWord(FirstGbkBytes(controls.text(ctl::kVerifyWindow), 4));
    const std::string& signature = controls.text(ctl::kSignature);
    std::string lines;
    for (std::size_t r = 0; r < n; ++r) {
        const std::string& mark = Cell(rows[r], 2);
        if (mark.empty()) continue;
        const std::string period(LastChars(Cell(rows[r], 0), 3));
        std::string line = period + "期 " + signature + windowWord + "单式  " + period + "期 " +
                           DrawSegment(Cell(rows[r], 1), window) + " " + mark + "\r\n";
        lines.insert(0, line);  // each newer row goes in front: the newest ends up last
    }
    return lines;
}

}  // namespace

std::string DrawSegment(std::string_view number, int window) {
    if (number.size() == 3) return std::string(number);
    const std::size_t start = window >= 0 && window <= 2 ? static_cast<std::size_t>(window) : 0;
    return start < number.size() ? std::string(number.substr(start, 3)) : std::string();
}

int VerificationWindow(const Controls& controls) { return controls.selectedIndex(ctl::kVerifyWindow); }

void MarkNewestDraw(Controls& controls) {
    const ReportRows& rows = controls.rows(kDrawList);
    if (rows.empty()) return;
    const std::string segment = DrawSegment(Cell(rows.front(), 1), VerificationWindow(controls));
    const bool hit = TextContains(controls.text(ctl::kResult), segment);
    controls.setCell(kDrawList, 0, 2, controls.text(hit ? ctl::kHitMark : ctl::kMissMark));
}

std::string NextIssueSuffix(std::string_view issue, bool wrapPast120) {
    const long long value = LeadingInteger(issue);
    const long long next = value < std::numeric_limits<long long>::max() ? value + 1 : value;
    const std::string digits = std::to_string(next);
    std::string suffix(LastChars(digits, 3));
    // Compared as a number: a short text such as "5" is not past 120.
    const long long period = LeadingInteger(suffix);
    if (wrapPast120 && period > kIssuesPerDay)
        suffix = std::string(LastChars("00" + std::to_string(period - kIssuesPerDay), 3));
    return suffix;
}

std::string VerificationReport(const Controls& controls) {
    const ReportRows& rows = controls.rows(kDrawList);
    const std::string topIssue = rows.empty() ? std::string() : Cell(rows.front(), 0);
    const bool timeBased = controls.selectedIndex(ctl::kLottery) < kKindCount;
    return controls.text(ctl::kResult) + "\r\n\r\n" + ReportLines(controls) + "\r\n" +
           NextIssueSuffix(topIssue, timeBased) + "期 本期大底为：" + controls.text(ctl::kResultCount) +
           std::string(kReportClosing);
}

void CopyVerificationData(Controls& controls, Platform& platform) {
    platform.setClipboardText(VerificationReport(controls));
    platform.messageBox("复制成功！", "提示", MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace sanxing
