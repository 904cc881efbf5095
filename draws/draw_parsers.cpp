#include "draws/draw_parsers.h"

#include "draws/draw_markers.h"
#include "draws/pattern_matcher.h"
#include "net/page_text.h"
#include "runtime/split.h"

namespace sanxing {

namespace {

using namespace draw_markers;

// Issues are cut to their last 9 characters.
std::string Cut(std::string_view issue) { return LastGbkBytes(issue, 9); }

// The issues of sites G and H carry a leading "2".
std::string WithTwo(std::string_view issue) {
    std::string text = "2";
    text += issue;
    return text;
}

std::string Groups(const PatternMatcher& m, int match, int first, int last) {
    std::string text;
    for (int k = first; k <= last; ++k) text += m.SubmatchText(match, k);
    return text;
}

std::string Groups(const MatchView& m, int first, int last) {
    std::string text;
    for (int k = first; k <= last; ++k) text += m.group(k);
    return text;
}

std::string Group(const MatchView& m, int k) { return std::string(m.group(k)); }

// Match 1 only: a page of any length costs one match.
PatternOptions FirstMatchOnly() {
    PatternOptions options;
    options.global = false;
    return options;
}

// Runs a row pattern over a page and turns every match into a row, last match first,
// keeping those the filter keeps.
template <typename MakeRow>
DrawRows RowsFromLastMatch(std::string_view pattern, std::string_view page, const DrawFilter& filter, MakeRow makeRow) {
    NewestDraws rows(filter);
    long long n = 0;
    // A run that failed (over its time budget) gives no rows, as a failed Create does.
    const bool ran =
        PatternMatcher().ForEachMatch(pattern, page, [&](const MatchView& m) { rows.add(makeRow(m), -++n); });
    return ran ? rows.take() : DrawRows();
}

}  // namespace

DrawRecord LatestFromFeed(std::string_view page) {
    PatternMatcher m;
    m.Create(kFeedPattern, page, FirstMatchOnly());
    return {Cut(m.SubmatchText(1, 1)), Groups(m, 1, 2, 6)};
}

DrawRecord LatestFromJiben(std::string_view page) {
    PatternMatcher m;
    m.Create(kJibenPattern, page, FirstMatchOnly());
    return {Cut(m.SubmatchText(1, 2)), m.SubmatchText(1, 1)};
}

DrawRecord LatestFromBaseTrend(std::string_view page) {
    DrawRecord last;
    const bool ran = PatternMatcher().ForEachMatch(kBaseTrendPattern, page, [&](const MatchView& m) {
        last = {Cut(m.group(2)), Groups(m, 3, 7)};
    });
    return ran ? last : DrawRecord();
}

DrawRecord LatestFromXinjiangResults(std::string_view page) {
    const std::string row = TextBetween(page, kXinjiangHeaderRow, kXinjiangFirstRowEnd);
    return {Cut(TextBetween(row, kXinjiangPeriodStart, "</a></td>")),
            RemoveAll(TextBetween(row, kXinjiangNumberStart, "</p>"), " ")};
}

DrawRecord LatestFromLongjiangHistory(std::string_view page) {
    const std::string expect = TextBetween(page, kLongjiangIssueStart, kLongjiangIssueEnd);
    const std::string value = TextBetween(page, kLongjiangNumberStart, kLongjiangNumberEnd);
    // The issue carries a leading "2" and is cut like the loaded ones: kept whole it would
    // compare above the loaded copy of the same draw and put it on the list twice. A page
    // without an issue gives none.
    return {expect.empty() ? std::string() : Cut(WithTwo(expect)), GbkBytesAt(value, {2, 4, 6, 8, 10})};
}

// Every loaded issue is cut to its last 9 characters, as the updates cut theirs: an
// issue kept whole ("20140512023") would compare above every later update
// ("140512024") and the list would never grow again.
DrawRows RecentFromJiben(std::string_view page, const DrawFilter& filter) {
    return RowsFromLastMatch(kJibenPattern, page, filter, [](const MatchView& m) {
        return DrawRecord{Cut(m.group(2)), Group(m, 1)};
    });
}

DrawRows RecentFromBaseTrend(std::string_view page, const DrawFilter& filter) {
    return RowsFromLastMatch(kBaseTrendPattern, page, filter, [](const MatchView& m) {
        return DrawRecord{Cut(m.group(2)), Groups(m, 3, 7)};
    });
}

DrawRows RecentFromDxds(std::string_view page, const DrawFilter& filter) {
    return RowsFromLastMatch(kDxdsPattern, page, filter, [](const MatchView& m) {
        return DrawRecord{Cut(m.group(3)), Group(m, 4)};
    });
}

DrawRows RecentFromZoushi(std::string_view page, const DrawFilter& filter) {
    const std::string issueText = TextBetween(page, kZoushiIssuesStart, kZoushiNumbersStart);
    const std::string numberText = TextBetween(page, kZoushiNumbersStart, kZoushiNumbersEnd);
    const auto issues = SplitText(issueText, kZoushiSeparator);
    const auto numbers = SplitText(numberText, kZoushiSeparator);
    NewestDraws rows(filter);
    for (std::size_t j = issues.size(); j >= 1; --j) {
        // "-" goes before the cut: 20140512-023 gives 140512023.
        rows.add(
            {Cut(RemoveAll(issues[j - 1], "-")), j <= numbers.size() ? std::string(numbers[j - 1]) : std::string()},
            -static_cast<long long>(j));
    }
    return rows.take();
}

DrawRows RecentFromXinjiangTrend(std::string_view page, const DrawFilter& filter) {
    return RowsFromLastMatch(kXinjiangTrendPattern, page, filter, [](const MatchView& m) {
        return DrawRecord{Cut(m.group(3)), RemoveAll(m.group(5), " ")};
    });
}

DrawRows RecentFromOneDay(std::string_view page, const DrawFilter& filter) {
    return RowsFromLastMatch(kOneDayPattern, page, filter, [](const MatchView& m) {
        return DrawRecord{Cut(WithTwo(m.group(1))), Groups(m, 2, 3)};
    });
}

}  // namespace sanxing
