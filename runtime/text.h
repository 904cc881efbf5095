#pragma once
// Small text helpers shared by every subsystem.

#include <string>
#include <string_view>

namespace sanxing {

// Opens the UTF-8 files we write for spreadsheets (CSV), so that Excel and WPS take them
// for UTF-8 rather than the system's code page.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Lone LF and lone CR become CR LF; CR LF stays as it is.
std::string ToCrLf(std::string_view text);

// CR LF and lone CR become LF (what a Qt text widget shows).
std::string ToLf(std::string_view text);

// UTF-16 text (as Excel and WPS save "Unicode text") to UTF-8, piece by piece: a code unit
// or a surrogate pair cut between pieces waits for the next piece; a surrogate without its
// pair becomes U+FFFD.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}
    // The UTF-8 of `bytes` and what was left from the piece before; valid until the next call.
    std::string_view decode(std::string_view bytes);

private:
    void append(char32_t code);
    bool bigEndian_;
    std::string carry_;  // an odd byte left from the piece before
    char16_t high_ = 0;  // a high surrogate waiting for its pair
    std::string out_;
};

// Integer value of the leading decimal digits (after an optional sign); 0 when there are none.
// Saturates instead of overflowing.
long long LeadingInteger(std::string_view text);

// Parses "a-b" into two counts. Returns false unless the text is exactly two decimal
// integers (spaces around each allowed) joined by one "-".
bool ParseRange(std::string_view text, long long& a, long long& b);

}  // namespace sanxing
