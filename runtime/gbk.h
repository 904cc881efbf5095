#pragma once
// Conversion between the program's UTF-8 text and the encodings files come in: GBK (code
// page 936), the encoding of files and web pages, and UTF-16 (Excel's and WPS's "Unicode
// text"). No direction ever fails: bytes that cannot be converted are replaced (U+FFFD
// when decoding, "?" when encoding) and conversion goes on.

#include <string>
#include <string_view>

namespace sanxing {

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// UTF-16 to UTF-8, piece by piece: an odd byte, or a high surrogate whose pair has not
// come yet, waits for the next piece; a surrogate without its pair becomes U+FFFD.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}
    // The UTF-8 of `bytes` and what was held back from the piece before; valid until the
    // next call.
    std::string_view decode(std::string_view bytes);

private:
    bool bigEndian_;
    std::string pending_;  // bytes not decoded yet
    std::string out_;
};

}  // namespace sanxing
