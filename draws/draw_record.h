#pragma once
// One draw as the draw list shows it, the rules that order draws, and the rules that a
// draw from a page must meet before the list takes it.

#include <chrono>
#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/controls.h"
#include "runtime/today.h"
#include "window/control_names.h"

namespace sanxing {

// The report list of recent draws: columns issue, number, mark; row 0 the newest draw.
inline constexpr std::string_view kDrawList = ctl::kDrawList;

// The list keeps at most this many rows, the newest.
inline constexpr std::size_t kMaxDrawRows = 200;

struct DrawRecord {
    std::string issue;
    std::string number;  // the digits without separators: five, or three for 福彩3D and 排列三

    bool operator==(const DrawRecord&) const = default;
};
using DrawRows = std::vector<DrawRecord>;

// An issue is newer when it compares greater byte by byte; an empty issue never is.
inline bool IsNewerIssue(std::string_view issue, std::string_view top) { return issue > top; }

// A list row: issue, number and an empty mark.
inline ReportRow ToReportRow(const DrawRecord& draw) { return {draw.issue, draw.number, ""}; }

// Sorts by the numeric value of the issue, largest first; equal values keep their order.
void SortByIssueDescending(DrawRows& rows);

// A draw that the list of a kind (an index of 组合框_彩种) may take: an issue of the
// lottery's length, all digits, and a number of its digit count. For the four
// time-based kinds the six digits before the draw's serial are also a real date (YYMMDD,
// in 20YY) no later than the day after `today`. Anything else is a broken or hostile
// page: taken in, a "999999999" would stand above every real draw and block all later
// updates.
bool IsWellFormedDraw(const DrawRecord& draw, int kind, std::chrono::sys_days today = Today());

// Which rows a parser keeps: those `accept` lets through (all when it is empty), and of
// them only the `limit` newest (largest issues).
struct DrawFilter {
    std::function<bool(const DrawRecord&)> accept;
    std::size_t limit = std::numeric_limits<std::size_t>::max();
};

// The filter of the draw jobs of a kind: well-formed draws, at most a full list of them.
DrawFilter ListFilter(int kind);

// Collects rows in list order through a filter, in memory bounded by the limit however
// many rows a page holds.
class NewestDraws {
public:
    explicit NewestDraws(const DrawFilter& filter) : filter_(filter) {}
    // `rank` orders the rows in the list: rows come out by ascending rank.
    void add(DrawRecord draw, long long rank);
    DrawRows take();

private:
    struct Entry {
        long long value;  // numeric value of the issue
        long long rank;
        DrawRecord draw;
    };
    void keepNewest();

    const DrawFilter& filter_;
    std::vector<Entry> entries_;
};

}  // namespace sanxing
