#pragma once
// Conversion between the program's UTF-8 text and GBK (code page 936), the encoding of
// files and web pages. Neither direction ever fails: bytes that cannot be converted are
// replaced (U+FFFD when decoding, "?" when encoding) and conversion goes on.

#include <string>
#include <string_view>

namespace sanxing {

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

}  // namespace sanxing
