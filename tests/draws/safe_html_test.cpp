// The announcement page made safe: whatever the host sends comes out as short, flat HTML;
// the tables of a copied results page come out as lines of cells.

#include "draws/safe_html.h"
#include "draws/html_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace sanxing {
namespace {

// Tables nested `depth` deep, each cell holding the next table: the page that freezes
// a rich-text layout and, thousands deep, crashes it.
std::string NestedTables(int depth) {
    std::string page = "<html><body>";
    for (int i = 0; i < depth; ++i) page += "<table><tr><td>" + std::to_string(i);
    for (int i = 0; i < depth; ++i) page += "</td></tr></table>";
    return page + "</body></html>";
}

// The deepest nesting of elements in a piece of HTML.
int Depth(const std::string& html) {
    int depth = 0, deepest = 0;
    for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        if (html.compare(at, 4, "<br>") == 0) continue;
        depth += html[at + 1] == '/' ? -1 : 1;
        deepest = std::max(deepest, depth);
    }
    return deepest;
}

TEST(SafeAnnouncementHtml, KeepsTextLinksAndSimpleFormatting) {
    const std::string html = SafeAnnouncementHtml(
        "<html><head><title>t</title><style>p{}</style><script>alert(1)</script></head><body>"
        "<h1>公告</h1><p>第一 <b>重要</b>  <a href=\"next.htm\">下一页</a> <a href=\"javascript:x()\">坏</a></p>"
        "<ul><li>一<ul><li>二</li></ul></li></ul><img src=\"file:///etc/passwd\"><table><tr><td>甲</td><td>乙</td></tr>"
        "</table></body></html>");
    EXPECT_NE(html.find("<h3>公告</h3>"), std::string::npos) << html;
    EXPECT_NE(html.find("<p>第一 <b>重要</b> <a href=\"next.htm\">下一页</a> 坏</p>"), std::string::npos) << html;
    EXPECT_NE(html.find("• 二"), std::string::npos);
    EXPECT_NE(html.find("<p>甲　乙</p>"), std::string::npos);
    for (const char* gone : {"alert", "p{}", "javascript", "img", "passwd", "<title"}) {
        EXPECT_EQ(html.find(gone), std::string::npos) << gone;
    }
}

TEST(SafeAnnouncementHtml, NestingBombsComeOutFlat) {
    for (const int depth : {30, 3'000, 100'000}) {
        const std::string html = SafeAnnouncementHtml(NestedTables(depth));
        EXPECT_LE(Depth(html), 5) << depth;
        EXPECT_NE(html.find("<p>29</p>"), std::string::npos) << depth;
        // Deeper than the parser's limit (256) the rest of the page is dropped.
        EXPECT_EQ(html.find("<p>" + std::to_string(depth - 1) + "</p>") != std::string::npos, depth < 256) << depth;
    }
    std::string lists;
    for (int i = 0; i < 50'000; ++i) lists += "<ul><li><b><i>x";
    EXPECT_LE(Depth(SafeAnnouncementHtml(lists)), 5);
}

TEST(SafeAnnouncementHtml, HugeAndBrokenInputIsBoundedAndValid) {
    const std::string attribute = "<p title=\"" + std::string(4u << 20, 'a') + "\">x</p>";
    EXPECT_LT(SafeAnnouncementHtml(attribute).size(), 1'000u);
    std::string text;
    for (int i = 0; i < 200'000; ++i) text += "<p>第" + std::to_string(i) + "段</p>";
    const std::string cut = SafeAnnouncementHtml(text);
    EXPECT_LT(cut.size(), 2 * kMaxSafeTextBytes);
    EXPECT_NE(cut.find("以下从略"), std::string::npos);
    std::mt19937 random(3);
    std::string noise(1u << 20, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    EXPECT_LT(SafeAnnouncementHtml(noise).size(), 2 * kMaxSafeTextBytes);
    EXPECT_EQ(SafeAnnouncementHtml("\xFF\xFE<p>\xC3</p>").find('\xFF'), std::string::npos);
}

// A table as a browser copies it from a results page: a header row, the balls as spans,
// a script and text around the table that are not rows.
TEST(HtmlTableText, GivesOneLinePerRowWithTabsBetweenCells) {
    const std::string html =
        "<html><body><p>福彩3D开奖结果</p><script>var x = '<tr><td>9</td></tr>';</script>"
        "<table><thead><tr><th>期号</th><th>开奖日期</th><th>开奖号码</th></tr></thead><tbody>"
        "<tr><td>2024144</td><td>2024-05-30<br>（四）</td><td><span>8</span> <span>1</span>\n<span>6</span></td></tr>"
        "<tr><td> 2024143 </td><td></td><td><em>0</em><em>9</em><em>2</em></td></tr>"
        "<tr><td></td></tr></tbody></table><p>更多</p></body></html>";
    EXPECT_EQ(HtmlTableText(html),
              "\"期号\"\t\"开奖日期\"\t\"开奖号码\"\n\"2024144\"\t\"2024-05-30 （四）\"\t\"8 1 6\"\n"
              "\"2024143\"\t\"\"\t\"092\"\n");
    EXPECT_EQ(HtmlTableText("<table><tr><td>a\"b</td></tr></table>"), "\"a\"\"b\"\n");
    EXPECT_EQ(HtmlTableText("<p>no table</p>"), "");
    EXPECT_EQ(HtmlTableText(std::string(kMaxTableHtmlBytes + 1, 'x')), "");
}

TEST(HtmlTableText, NestingBombsAreWalkedWithoutRecursion) {
    const std::string text = HtmlTableText(NestedTables(100'000));
    EXPECT_EQ(text.substr(0, 8), "\"0\"\n\"1\"\n");
}

}  // namespace
}  // namespace sanxing
