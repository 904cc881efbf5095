#pragma once
// Reading a base-set file. A number is taken where it touches a space ("123 " or " 123"),
// the text ends at the first NUL or Ctrl-Z byte, and a text of five bytes or fewer holds
// nothing worth loading. The file is read once in fixed-size chunks, so neither its size
// nor binary content can freeze the program or exhaust its memory.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "numbers/number_set.h"

namespace sanxing {

// Scans a text given in pieces; a piece may end anywhere, also inside a number.
class BaseTextScanner {
public:
    void feed(std::string_view piece);

    // An end byte (NUL or Ctrl-Z) has been seen; later pieces are ignored.
    bool ended() const { return ended_; }
    // Bytes of the text before the end byte.
    std::uint64_t length() const { return length_; }
    // The numbers touching a space so far.
    const NumberSet& numbers() const { return numbers_; }

private:
    NumberSet numbers_;
    std::uint64_t length_ = 0;
    bool ended_ = false;
    bool afterSpace_ = false;     // the byte before the current one is a space
    bool runAfterSpace_ = false;  // the current digit run follows a space
    int run_ = 0;                 // length of the current digit run, counted up to 3
    int value_ = 0;               // its last three digits as a number
};

// Texts of this many bytes or fewer load nothing.
inline constexpr std::uint64_t kShortestLoadableText = 6;

// The numbers of the base-set file at `path`, ascending; nothing when the file cannot be
// read or its text is too short to load.
std::optional<NumberSet> ReadBaseFile(const std::string& path, std::size_t chunkSize = std::size_t{1} << 16);

}  // namespace sanxing
