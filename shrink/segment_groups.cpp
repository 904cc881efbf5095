#include "shrink/segment_groups.h"

#include <array>
#include <compare>
#include <string>
#include <vector>

#include "runtime/hint_texts.h"
#include "runtime/split.h"
#include "shrink/line_tolerance.h"
#include "shrink/numbers_by_key.h"
#include "shrink/text_keys.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// What a segment line's pass set depends on: the digits of its three segments (when the
// group text is valid) and its line tolerance text.
struct SegmentLine {
    bool valid = false;
    std::array<unsigned, 3> segmentDigits{};
    std::string_view tolerance;

    auto operator<=>(const SegmentLine&) const = default;
};

SegmentLine ReadGroupText(std::string_view groupText, std::string_view tolerance) {
    SegmentLine line;
    line.tolerance = tolerance;
    std::size_t segments = 0;
    ForEachToken(groupText, "-", [&](std::string_view segment) {
        if (segments < 3) line.segmentDigits[segments] = DigitsIn(segment).to_ulong();
        ++segments;
    });
    line.valid = segments == 3;
    return line;
}

// A line "group=a-b" carries its own tolerance; anything after a second "=" is ignored,
// and a line without "=" uses the default tolerance.
SegmentLine ReadLine(std::string_view line, std::string_view defaultTolerance) {
    if (line.find('=') == std::string_view::npos) return ReadGroupText(line, defaultTolerance);
    std::string_view parts[2];
    std::size_t count = 0;
    ForEachToken(line, "=", [&](std::string_view part) {
        if (count < 2) parts[count] = part;
        ++count;
    });
    return ReadGroupText(parts[0], parts[1]);
}

NumberSet LinePassSet(const SegmentLine& line) {
    if (!line.valid) return {};
    // A number hits a segment when it holds one of the segment's digits.
    const std::array<NumberSet, 3> hits = {NumbersByDigitHeld().anyOf(std::bitset<10>(line.segmentDigits[0])),
                                           NumbersByDigitHeld().anyOf(std::bitset<10>(line.segmentDigits[1])),
                                           NumbersByDigitHeld().anyOf(std::bitset<10>(line.segmentDigits[2]))};
    return ApplyLineTolerance(hits, line.tolerance);
}

bool Active(std::string_view content) {
    return !content.empty() && content.find('-') != std::string_view::npos &&
           content.find(kSegmentHint) == std::string_view::npos;
}

}  // namespace

NumberSet SegmentLinePassList(std::string_view groupText, std::string_view lineTolerance) {
    return LinePassSet(ReadGroupText(groupText, lineTolerance));
}

std::optional<NumberSet> SegmentGroups(const Controls& controls) {
    const std::string& content = controls.text(ctl::kSegments);
    if (!Active(content)) return std::nullopt;
    const std::string& defaultTolerance = controls.text(ctl::kSegmentRule);
    std::vector<SegmentLine> lines;
    ForEachToken(content, "\r\n", [&](std::string_view line) { lines.push_back(ReadLine(line, defaultTolerance)); });
    return ApplyLineTolerance(CountLineViolations(std::move(lines), LinePassSet),
                              controls.text(ctl::kSegmentTolerance));
}

}  // namespace sanxing
