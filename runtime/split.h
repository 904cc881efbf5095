#pragma once
// The one splitting rule of the program: cut at every delimiter, keep empty elements
// between two delimiters, drop the element after a delimiter at the very end, and give
// no element at all for an empty text.

#include <cstddef>
#include <string_view>
#include <vector>

namespace sanxing {

template <typename Visit>
void ForEachToken(std::string_view text, std::string_view delimiter, Visit&& visit) {
    if (text.empty()) return;
    if (delimiter.empty()) {
        visit(text);
        return;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t hit = text.find(delimiter, start);
        if (hit == std::string_view::npos) {
            visit(text.substr(start));
            return;
        }
        visit(text.substr(start, hit - start));
        start = hit + delimiter.size();
    }
}

inline std::vector<std::string_view> SplitText(std::string_view text, std::string_view delimiter) {
    std::vector<std::string_view> tokens;
    ForEachToken(text, delimiter, [&](std::string_view token) { tokens.push_back(token); });
    return tokens;
}

inline std::size_t CountTokens(std::string_view text, std::string_view delimiter) {
    std::size_t count = 0;
    ForEachToken(text, delimiter, [&](std::string_view) { ++count; });
    return count;
}

}  // namespace sanxing
