#pragma once
// Small text helpers shared by every subsystem.

#include <cstddef>
#include <string>
#include <string_view>

namespace sanxing {

// Opens the UTF-8 files we write for spreadsheets (CSV), so that Excel and WPS take them
// for UTF-8 rather than the system's code page.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Characters of text from a file or a server quoted in a message.
inline constexpr std::size_t kShownChars = 60;

// `text` as a message may quote it: control characters (C0, DEL, C1) and bytes that are
// not UTF-8 written as \x1b, so that a terminal or a dialog shows them rather than acts on
// them, and cut after `maxChars` characters with "…".
std::string ShownText(std::string_view text, std::size_t maxChars = kShownChars);

// Lone LF and lone CR become CR LF; CR LF stays as it is.
std::string ToCrLf(std::string_view text);

// CR LF and lone CR become LF (what a Qt text widget shows).
std::string ToLf(std::string_view text);

// Integer value of the leading decimal digits (after an optional sign); 0 when there are none.
// Saturates instead of overflowing.
long long LeadingInteger(std::string_view text);

// Parses "a-b" into two counts. Returns false unless the text is exactly two decimal
// integers (spaces around each allowed) joined by one "-".
bool ParseRange(std::string_view text, long long& a, long long& b);

}  // namespace sanxing
