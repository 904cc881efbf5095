#include "analysis/analysed_draw.h"

#include "numbers/set_text.h"
#include "runtime/text.h"

namespace sanxing::analysis {

std::string_view PositionName(Position position) { return kPositionNames[static_cast<int>(position)]; }

std::optional<Position> PositionFromName(std::string_view name) {
    for (std::size_t i = 0; i < kPositionNames.size(); ++i) {
        if (kPositionNames[i] == name) return static_cast<Position>(i);
    }
    return std::nullopt;
}

std::optional<int> AnalysedValue(std::string_view number, int digitCount, Position position) {
    if (digitCount < 3 || number.size() != static_cast<std::size_t>(digitCount)) return std::nullopt;
    for (const char c : number) {
        if (!IsAsciiDigit(c)) return std::nullopt;
    }
    std::size_t first = 0;  // a three-digit lottery is analysed whole
    if (digitCount > 3) {
        first = position == Position::Front ? 0 : position == Position::Middle ? 1 : digitCount - 3;
    }
    return NumberValue(number.substr(first, 3));
}

AnalysedRange AnalyseDraws(std::span<const Draw> draws, int digitCount, Position position) {
    return AnalyseDraws(std::vector<Draw>(draws.begin(), draws.end()), digitCount, position);
}

AnalysedRange AnalyseDraws(std::vector<Draw>&& draws, int digitCount, Position position) {
    AnalysedRange range;
    range.draws.reserve(draws.size());
    for (Draw& draw : draws) {
        if (const std::optional<int> value = AnalysedValue(draw.number, digitCount, position)) {
            range.draws.push_back({std::move(draw.issue), std::move(draw.number), *value});
        } else {
            ++range.skipped;
        }
    }
    draws = {};  // the history's copies go as soon as they are analysed
    return range;
}

std::string_view ShortenedText(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
    return text.substr(0, bytes);
}

}  // namespace sanxing::analysis
