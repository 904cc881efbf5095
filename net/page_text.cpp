#include "net/page_text.h"

#include <algorithm>

#include "runtime/gbk.h"

namespace sanxing {

namespace {

constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::string_view kQuotePlaceholder = "#引号";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Length of the valid UTF-8 sequence at the start of `text`, 0 when it is not valid.
std::size_t ValidSequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    return length;
}

std::size_t Find(std::string_view text, std::string_view needle, std::size_t from, bool caseSensitive) {
    return caseSensitive ? text.find(needle, from) : FindIgnoringCase(text, needle, from);
}

bool StartsWithSpace(std::string_view text, std::size_t& length) {
    if (text.starts_with(' ')) return length = 1, true;
    if (text.starts_with(kFullWidthSpace)) return length = kFullWidthSpace.size(), true;
    return false;
}

bool EndsWithSpace(std::string_view text, std::size_t& length) {
    if (text.ends_with(' ')) return length = 1, true;
    if (text.ends_with(kFullWidthSpace)) return length = kFullWidthSpace.size(), true;
    return false;
}

}  // namespace

std::string RepairUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = ValidSequenceLength(text);
        if (length == 0) {
            out.append(kReplacement);
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return out;
}

std::string PageText(std::string_view bytes, PageEncoding encoding) {
    bytes = bytes.substr(0, bytes.find('\0'));
    return encoding == PageEncoding::Utf8 ? RepairUtf8(bytes) : GbkToUtf8(bytes);
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size() || needle.size() > text.size() - from) return std::string_view::npos;
    const auto hit = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), needle.begin(),
                                 needle.end(), [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
    return hit == text.end() && !needle.empty() ? std::string_view::npos : static_cast<std::size_t>(hit - text.begin());
}

std::string TextBetween(std::string_view text, std::string_view left, std::string_view right, std::size_t start,
                        bool caseSensitive) {
    const std::string leftMarker = WithQuotes(left);
    const std::string rightMarker = WithQuotes(right);
    const std::size_t from = start == 0 ? 0 : start - 1;
    const std::size_t leftAt = Find(text, leftMarker, from, caseSensitive);
    if (leftAt == std::string_view::npos) return {};
    const std::size_t begin = leftAt + leftMarker.size();
    const std::size_t end = Find(text, rightMarker, begin, caseSensitive);
    if (end == std::string_view::npos) return {};
    return std::string(text.substr(begin, end - begin));
}

std::string Trim(std::string_view text) {
    std::size_t length = 0;
    while (StartsWithSpace(text, length)) text.remove_prefix(length);
    while (EndsWithSpace(text, length)) text.remove_suffix(length);
    return std::string(text);
}

std::string RemoveSpaces(std::string_view text) { return RemoveAll(RemoveAll(text, " "), kFullWidthSpace); }

std::string ValueAfterColon(std::string_view line) {
    const std::size_t colon = line.find(':');
    return colon == std::string_view::npos ? std::string() : Trim(line.substr(colon + 1));
}

std::string ReplaceText(std::string_view text, std::string_view what, std::string_view with) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t hit; !what.empty() && (hit = text.find(what, from)) != std::string_view::npos;
         from = hit + what.size()) {
        out.append(text.substr(from, hit - from));
        out.append(with);
    }
    out.append(text.substr(from));
    return out;
}

std::string RemoveAll(std::string_view text, std::string_view what) { return ReplaceText(text, what, {}); }

std::string WithQuotes(std::string_view text) { return ReplaceText(text, kQuotePlaceholder, "\""); }

std::string LastGbkBytes(std::string_view text, std::size_t n) {
    if (IsAscii(text)) return std::string(text.substr(text.size() - std::min(n, text.size())));
    const std::string gbk = Utf8ToGbk(text);
    return GbkToUtf8(std::string_view(gbk).substr(gbk.size() - std::min(n, gbk.size())));
}

std::string GbkBytesAt(std::string_view text, std::initializer_list<std::size_t> positions) {
    const std::string gbk = IsAscii(text) ? std::string(text) : Utf8ToGbk(text);
    std::string picked;
    for (const std::size_t position : positions) {
        if (position >= 1 && position <= gbk.size()) picked += gbk[position - 1];
    }
    return IsAscii(picked) ? picked : GbkToUtf8(picked);
}

}  // namespace sanxing
