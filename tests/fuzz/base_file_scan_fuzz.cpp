// The base-file scanner fed the whole text at once and in pieces of 1 to 64 bytes (the
// first byte gives the size) must agree: a piece may end anywhere, also inside a number.

#include "fuzz_input.h"
#include "tools/base_file_scan.h"

using namespace sanxing;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t pieceSize = data[0] % 64 + 1;
    const std::string_view text = fuzz::Bytes(data + 1, size - 1);
    BaseTextScanner whole, pieces;
    whole.feed(text);
    for (std::size_t at = 0; at < text.size(); at += pieceSize) pieces.feed(text.substr(at, pieceSize));
    fuzz::Check(whole.numbers() == pieces.numbers(), "the same numbers");
    fuzz::Check(whole.length() == pieces.length() && whole.ended() == pieces.ended(), "the same length and end");
    fuzz::Check(whole.length() <= text.size(), "the length is within the text");
    return 0;
}
