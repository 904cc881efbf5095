#pragma once
// The patterns and markers that cut draws out of the source pages, exactly as the pages
// are laid out (tabs, CR LF and runs of spaces included).

#include <string_view>

namespace sanxing::draw_markers {

// XML feed: 1 issue, 2-6 the digits.
inline constexpr std::string_view kFeedPattern = "expect=\"(.*?)\" opencode=\"(.*?),(.*?),(.*?),(.*?),(.*?)\"";

// jiben-5xing rows: 1 the number as the page shows it, 2 the period text.
inline constexpr std::string_view kJibenPattern =
    "\t\t\t\t<td class=\"c_ba2636\">(.*)<span style=\"display: none;\" kjhm=\"(.*)\"></span></td>\r\n"
    "\t            <td class=\"br01\"></td>";

// baseTrend rows: 1 first cell, 2 period, 3-7 the digits.
inline constexpr std::string_view kBaseTrendPattern =
    "<td class=\"chart_table_td\">(.*?)</td>\n"
    "\n"
    "                    <td class=\"chart_table_td\">(.*?)</td>\n"
    "\n"
    "                        <td width=\"23\" class=\"chart_table_td ball_t8\">(.*?)</td>\n"
    "                        <td width=\"23\" class=\"chart_table_td ball_t8\">(.*?)</td>\n"
    "                        <td width=\"23\" class=\"chart_table_td ball_t8\">(.*?)</td>\n"
    "                        <td width=\"23\" class=\"chart_table_td ball_t8\">(.*?)</td>\n"
    "                        <td width=\"23\" class=\"chart_table_td ball_t8\">(.*?)</td>";

// dxds rows: 1 row class, 2 first cell, 3 period, 4 number.
inline constexpr std::string_view kDxdsPattern =
    "   <tr class=\"(.*)\">\r\n"
    "   <td >(.*)</td>\r\n"
    "    <td>(.*)</td>\r\n"
    "    <td >(.*)</td>";

// 新疆 trend rows: 1 and 2 the detail-link argument, 3 period, 4 first cell, 5 number.
inline constexpr std::string_view kXinjiangTrendPattern =
    "        <td><div align=\"center\"><a href=\"#\" onclick=\"detatilssc((.*));\">(.*)</a></div></td>\r\n"
    "        <td>(.*)</td>\r\n"
    "        <td>(.*)</td>";

// One-day table rows: 1 period, 2 first digits, 3 the rest shown in red.
inline constexpr std::string_view kOneDayPattern =
    "<td>(.*?)</td>\n"
    "    \t<td>(.*?)<font color=\"red\">(.*?)</font></td>\n";

// Header row of the 新疆 results table.
inline constexpr std::string_view kXinjiangHeaderRow =
    "              <tr>\r\n"
    "                <td>期号</td>\r\n"
    "                <td>开奖时间</td>\r\n"
    "                <td width=\"60\">开奖号码</td>\r\n"
    "              </tr>\r\n"
    "              ";

// End of the first data row of the 新疆 results table.
inline constexpr std::string_view kXinjiangFirstRowEnd =
    "</td>\r\n"
    "              </tr>\r\n"
    "              \r\n"
    "              <tr>\r\n"
    "                <td><a href";

// Before the period of a 新疆 results row.
inline constexpr std::string_view kXinjiangPeriodStart = "                <td><a href=\"javascript:detatilssc('";

// Before the number of a 新疆 results row.
inline constexpr std::string_view kXinjiangNumberStart = "                <td class=\"red\"><p>";

// Before the newest 龙江 period.
inline constexpr std::string_view kLongjiangIssueStart = "[{\"lotteryExpect\":\"";

// After the newest 龙江 period.
inline constexpr std::string_view kLongjiangIssueEnd = "\",\"ernieDate\":";

// Before the newest 龙江 number.
inline constexpr std::string_view kLongjiangNumberStart = "otteryNumber\":\"";

// After the newest 龙江 number.
inline constexpr std::string_view kLongjiangNumberEnd = "\",\"luckynumberstatus";

// Before the site E issue array.
inline constexpr std::string_view kZoushiIssuesStart = "\",\"i\":[\"";

// Between the site E issue and number arrays.
inline constexpr std::string_view kZoushiNumbersStart = "\"],\"b\":[\"";

// After the site E number array.
inline constexpr std::string_view kZoushiNumbersEnd = "\"],\"m\":";

// Item separator of the site E arrays.
inline constexpr std::string_view kZoushiSeparator = "\",\"";

}  // namespace sanxing::draw_markers
