#pragma once
// Fixture pages of the draw sources, laid out the way each source's page is: the rows
// that the parsers cut out, inside some of the surrounding markup.

#include <string>
#include <vector>

namespace sanxing::testing {

struct PageRow {
    std::string period;
    std::string number;  // five digits as the row's page shows them
};

// Site A results feed; number as "1,2,3,4,5".
inline std::string FeedPage(const std::vector<PageRow>& rows) {
    std::string page = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<xml>\r\n";
    for (const PageRow& r : rows) {
        page += "<row expect=\"" + r.period + "\" opencode=\"" + r.number + "\" opentime=\"2014-05-12 10:00:00\"/>\r\n";
    }
    return page + "</xml>\r\n";
}

// Site B jiben-5xing table.
inline std::string JibenPage(const std::vector<PageRow>& rows) {
    std::string page = "<table class=\"chart\">\r\n";
    for (const PageRow& r : rows) {
        page += "\t\t\t<tr>\r\n\t\t\t\t<td class=\"c_ba2636\">" + r.number + "<span style=\"display: none;\" kjhm=\"" +
                r.period + "\"></span></td>\r\n\t            <td class=\"br01\"></td>\r\n\t\t\t</tr>\r\n";
    }
    return page + "</table>\r\n";
}

// Site C baseTrend table (LF line breaks); number as five digits.
inline std::string BaseTrendPage(const std::vector<PageRow>& rows) {
    std::string page = "<html><head><meta charset=\"utf-8\"><title>基本走势</title></head>\n<table>\n";
    for (const PageRow& r : rows) {
        page += "<tr>\n<td class=\"chart_table_td\">期</td>\n\n                    <td class=\"chart_table_td\">" +
                r.period + "</td>\n\n";
        for (const char digit : r.number) {
            page += "                        <td width=\"23\" class=\"chart_table_td ball_t8\">" +
                    std::string(1, digit) + "</td>\n";
        }
        page += "</tr>\n";
    }
    return page + "</table></html>\n";
}

// Site D dxds table.
inline std::string DxdsPage(const std::vector<PageRow>& rows) {
    std::string page = "<table>\r\n";
    for (const PageRow& r : rows) {
        page += "   <tr class=\"bg1\">\r\n   <td >1</td>\r\n    <td>" + r.period + "</td>\r\n    <td >" + r.number +
                "</td>\r\n    <td>大</td>\r\n   </tr>\r\n";
    }
    return page + "</table>\r\n";
}

// Site E zoushi data: parallel arrays of issues and numbers.
inline std::string ZoushiPage(const std::vector<std::string>& issues, const std::vector<std::string>& numbers) {
    const auto array = [](const std::vector<std::string>& items) {
        std::string text;
        for (std::size_t i = 0; i < items.size(); ++i) text += (i ? "\",\"" : "") + items[i];
        return text;
    };
    return "var data={\"t\":\"cqssc\",\"i\":[\"" + array(issues) + "\"],\"b\":[\"" + array(numbers) +
           "\"],\"m\":[1,2]};";
}

// Site F results page: the newest draw is the first row after the header row.
inline std::string XinjiangResultsPage(const std::vector<PageRow>& rows) {
    std::string page =
        "<table class=\"kj\">\r\n              <tr>\r\n                <td>期号</td>\r\n"
        "                <td>开奖时间</td>\r\n                <td width=\"60\">开奖号码</td>\r\n"
        "              </tr>\r\n              ";
    for (const PageRow& r : rows) {
        page += "\r\n              <tr>\r\n                <td><a href=\"javascript:detatilssc('" + r.period + "')\">" +
                r.period +
                "</a></td>\r\n                <td>2014-05-12 10:00</td>\r\n"
                "                <td class=\"red\"><p>" +
                r.number + "</p></td>\r\n              </tr>\r\n              ";
    }
    return page + "\r\n</table>\r\n";
}

// Site F trend table.
inline std::string XinjiangTrendPage(const std::vector<PageRow>& rows) {
    std::string page = "<table>\r\n";
    for (const PageRow& r : rows) {
        page += "      <tr>\r\n        <td><div align=\"center\"><a href=\"#\" onclick=\"detatilssc('" + r.period +
                "');\">" + r.period + "</a></div></td>\r\n        <td>小单</td>\r\n        <td>" + r.number +
                "</td>\r\n      </tr>\r\n";
    }
    return page + "</table>\r\n";
}

// Site G history text: the newest draw first.
inline std::string LongjiangHistoryPage(const std::string& expect, const std::string& value) {
    return "{\"list\":[{\"lotteryExpect\":\"" + expect + "\",\"ernieDate\":\"2014-05-12\",\"lotteryNumber\":\"" +
           value + "\",\"luckynumberstatus\":0},{\"lotteryExpect\":\"0\"}]}";
}

// Site H one-day table: number split into its first digits and the rest in red.
inline std::string OneDayPage(const std::vector<PageRow>& rows) {
    std::string page = "<table>\n";
    for (const PageRow& r : rows) {
        page += "  <tr>\n    \t<td>" + r.period + "</td>\n    \t<td>" + r.number.substr(0, 2) + "<font color=\"red\">" +
                r.number.substr(2) + "</font></td>\n  </tr>\n";
    }
    return page + "</table>\n";
}

}  // namespace sanxing::testing
