#pragma once
// Helpers shared by the fuzz targets: cutting one input into pieces, and a check that
// stops the run with a message (libFuzzer then saves the input).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace sanxing::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at NUL bytes into at most `count` pieces; missing pieces are empty, the
// last piece keeps any further NUL bytes.
inline std::vector<std::string_view> Pieces(std::string_view input, std::size_t count) {
    std::vector<std::string_view> pieces;
    while (pieces.size() + 1 < count) {
        const std::size_t nul = input.find('\0');
        if (nul == std::string_view::npos) break;
        pieces.push_back(input.substr(0, nul));
        input.remove_prefix(nul + 1);
    }
    pieces.push_back(input);
    pieces.resize(count);
    return pieces;
}

// A plain reference for case-blind searches: ASCII letters lowered, other bytes kept.
inline std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return out;
}

inline void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

}  // namespace sanxing::fuzz
