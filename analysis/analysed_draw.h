#pragma once
// The draws that the back-test and the trend chart look at: for five-digit lotteries the
// three digits at the chosen position (前三 = digits 1-3, 中三 = 2-4, 后三 = 3-5), for
// three-digit lotteries the whole number.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "history/stored_draw.h"

namespace sanxing::analysis {

// One past draw as the history holds it.
using Draw = history::StoredDraw;

enum class Position { Front, Middle, Back };

inline constexpr std::array<std::string_view, 3> kPositionNames = {"前三", "中三", "后三"};

std::string_view PositionName(Position position);
std::optional<Position> PositionFromName(std::string_view name);

// The three analysed digits of `number` as a value 0..999, or nothing when the number is
// not `digitCount` ASCII digits (or the lottery has fewer than three).
std::optional<int> AnalysedValue(std::string_view number, int digitCount, Position position);

struct AnalysedDraw {
    std::string issue;
    std::string number;
    int value = 0;  // the three analysed digits, 0..999
};

struct AnalysedRange {
    std::vector<AnalysedDraw> draws;  // oldest first
    std::size_t skipped = 0;          // draws whose number does not have the lottery's digits
};

// Draws oldest first; a draw whose number is malformed is left out and counted.
AnalysedRange AnalyseDraws(std::span<const Draw> draws, int digitCount, Position position);
// The same, taking the draws' text over instead of copying it.
AnalysedRange AnalyseDraws(std::vector<Draw>&& draws, int digitCount, Position position);

// At most `bytes` bytes of UTF-8 text, never cutting a character: typed input quoted in
// a message.
std::string_view ShortenedText(std::string_view text, std::size_t bytes);

}  // namespace sanxing::analysis
