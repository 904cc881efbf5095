#pragma once
// One draw as the draw list shows it, and the rules that order draws.

#include <string>
#include <string_view>
#include <vector>

#include "runtime/controls.h"

namespace sanxing {

// The report list of recent draws: columns issue, number, mark; row 0 the newest draw.
inline constexpr std::string_view kDrawList = "列表框_开奖";

struct DrawRecord {
    std::string issue;
    std::string number;  // the five digits without separators

    bool operator==(const DrawRecord&) const = default;
};
using DrawRows = std::vector<DrawRecord>;

// An issue is newer when it compares greater byte by byte; an empty issue never is.
inline bool IsNewerIssue(std::string_view issue, std::string_view top) { return issue > top; }

// A list row: issue, number and an empty mark.
inline ReportRow ToReportRow(const DrawRecord& draw) { return {draw.issue, draw.number, ""}; }

// Sorts by the numeric value of the issue, largest first; equal values keep their order.
void SortByIssueDescending(DrawRows& rows);

}  // namespace sanxing
