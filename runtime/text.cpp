#include "runtime/text.h"

#include <utility>

#include <charconv>
#include <limits>

namespace sanxing {

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

std::string_view Utf16Decoder::decode(std::string_view bytes) {
    out_.clear();
    std::string joined;
    if (!carry_.empty()) {
        joined = carry_ + std::string(bytes);
        bytes = joined;
        carry_.clear();
    }
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
        const auto unit = static_cast<char16_t>(bigEndian_ ? first << 8 | second : second << 8 | first);
        if (high_ != 0) {
            const char16_t high = std::exchange(high_, 0);
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                append(0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (unit - 0xDC00));
                continue;
            }
            append(0xFFFD);
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            high_ = unit;
        } else {
            append(unit >= 0xDC00 && unit <= 0xDFFF ? 0xFFFD : unit);
        }
    }
    carry_ = bytes.substr(at);
    return out_;
}

void Utf16Decoder::append(char32_t code) {
    if (code < 0x80) {
        out_ += static_cast<char>(code);
    } else if (code < 0x800) {
        out_ += static_cast<char>(0xC0 | code >> 6);
        out_ += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out_ += static_cast<char>(0xE0 | code >> 12);
        out_ += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out_ += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out_ += static_cast<char>(0xF0 | code >> 18);
        out_ += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out_ += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out_ += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace sanxing
