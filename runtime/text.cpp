#include "runtime/text.h"

#include <charconv>
#include <limits>

namespace sanxing {

namespace {

// The length of the UTF-8 character at the front of `text`, or 0 when it is not one.
std::size_t Utf8Length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t width = lead < 0x80           ? 1
                              : (lead >> 5) == 0x6  ? 2
                              : (lead >> 4) == 0xE  ? 3
                              : (lead >> 3) == 0x1E ? 4
                                                    : 0;
    if (width == 0 || width > text.size()) return 0;
    for (std::size_t k = 1; k < width; ++k) {
        if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) return 0;
    }
    return width;
}

void AppendEscaped(std::string& out, unsigned char byte) {
    constexpr char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

}  // namespace

std::string ShownText(std::string_view text, std::size_t maxChars) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t at = 0; at < text.size(); ++chars) {
        if (chars == maxChars) return out + "…";
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t width = Utf8Length(text.substr(at));
        if (width == 0 || byte < 0x20 || byte == 0x7F) {
            AppendEscaped(out, byte);
            ++at;
        } else if (byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
            AppendEscaped(out, static_cast<unsigned char>(text[at + 1]));  // C1: U+0080–U+009F
            at += 2;
        } else {
            out.append(text.substr(at, width));
            at += width;
        }
    }
    return out;
}

std::string ToCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string ToLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

long long LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    constexpr long long limit = std::numeric_limits<long long>::max() / 10 - 9;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > limit)
            return negative ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

namespace {

bool ParseCount(std::string_view text, long long& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool ParseRange(std::string_view text, long long& a, long long& b) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) return false;
    return ParseCount(text.substr(0, dash), a) && ParseCount(text.substr(dash + 1), b);
}

}  // namespace sanxing
