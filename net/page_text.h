#pragma once
// Text routines for downloaded pages: turning page bytes into the program's UTF-8 text,
// cutting text between markers, trimming, and the byte counts that the draw parsers
// take over from the GBK era (last n bytes, bytes at given positions).

#include <string>
#include <string_view>

namespace sanxing {

enum class PageEncoding { Gbk, Utf8 };

// The text of a page: its bytes up to the first zero byte, decoded from GBK, or kept as
// UTF-8 (with invalid sequences replaced by U+FFFD so that no later step trips on them).
std::string PageText(std::string_view bytes, PageEncoding encoding);

// Replaces every invalid UTF-8 sequence by U+FFFD; valid text comes back unchanged.
std::string RepairUtf8(std::string_view text);

// The text between `left` and `right`, searched from the 1-based byte position `start`;
// empty when either marker is missing. "#引号" in a marker stands for a double quote.
// ASCII letters match either case unless caseSensitive.
std::string TextBetween(std::string_view text, std::string_view left, std::string_view right, std::size_t start = 1,
                        bool caseSensitive = false);

// 0-based position of `needle` in `text` at or after `from`, ignoring ASCII case;
// npos when absent.
std::size_t FindIgnoringCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// Removes leading and trailing ASCII spaces and full-width spaces (U+3000).
std::string Trim(std::string_view text);

// Removes every ASCII space and full-width space.
std::string RemoveSpaces(std::string_view text);

// The text after the first ":", trimmed; empty when there is no ":".
std::string ValueAfterColon(std::string_view line);

// Every occurrence of `what` replaced by `with`, or removed.
std::string ReplaceText(std::string_view text, std::string_view what, std::string_view with);
std::string RemoveAll(std::string_view text, std::string_view what);

// Every "#引号" replaced by a double quote.
std::string WithQuotes(std::string_view text);

// The last n bytes of the text's GBK form, back as UTF-8 (the "last n characters" of an
// issue text). ASCII text is cut directly.
std::string LastGbkBytes(std::string_view text, std::size_t n);

// The bytes of the text's GBK form at the given 1-based positions, concatenated, back as
// UTF-8; positions past the end are skipped.
std::string GbkBytesAt(std::string_view text, std::initializer_list<std::size_t> positions);

}  // namespace sanxing
