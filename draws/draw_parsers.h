#pragma once
// The draw parsers: each is a pure function of one source page's text. Missing pieces
// give empty texts; a latest-draw parser that finds nothing gives an empty issue, which
// is never newer than any row.
//
// The recent-draw parsers return their rows in list order: the order in which the rows
// stand in the draw list once placed (the page's last match first).

#include <string_view>

#include "draws/draw_record.h"

namespace sanxing {

// Latest draw, for the updates.
DrawRecord LatestFromFeed(std::string_view page);              // site A results feed
DrawRecord LatestFromJiben(std::string_view page);             // site B, first row
DrawRecord LatestFromBaseTrend(std::string_view page);         // site C, last row
DrawRecord LatestFromXinjiangResults(std::string_view page);   // site F results table, first row
DrawRecord LatestFromLongjiangHistory(std::string_view page);  // site G history text

// Recent draws, for the loads: the rows that `filter` keeps (all by default).
DrawRows RecentFromJiben(std::string_view page, const DrawFilter& filter = {});          // site B
DrawRows RecentFromBaseTrend(std::string_view page, const DrawFilter& filter = {});      // site C
DrawRows RecentFromDxds(std::string_view page, const DrawFilter& filter = {});           // site D
DrawRows RecentFromZoushi(std::string_view page, const DrawFilter& filter = {});         // site E
DrawRows RecentFromXinjiangTrend(std::string_view page, const DrawFilter& filter = {});  // site F trend table
DrawRows RecentFromOneDay(std::string_view page, const DrawFilter& filter = {});         // site H one-day table

}  // namespace sanxing
