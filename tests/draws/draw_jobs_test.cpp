#include "draws/draw_jobs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "draw_pages.h"
#include "draw_sites.h"
#include "net/local_http_server.h"
#include "runtime/control_store.h"
#include "runtime/gbk.h"
#include "window/control_table.h"

namespace sanxing {
namespace {

using namespace testing;
using namespace std::chrono_literals;

class DrawJobs : public ::testing::Test {
protected:
    DrawSites sites;
    ControlStore controls{ControlTable()};
    std::string lastDrawNumber;

    const ReportRows& list() const { return controls.rows(kDrawList); }
    void load(int kind) { LoadRecentDraws(kind, controls, sites.hosts, sites.options); }
    void update(int kind) { UpdateLatestDraw(kind, controls, lastDrawNumber, sites.hosts, sites.options); }
};

constexpr std::string_view kJibenCq = "trend/cqssc/jiben-5xing.html?periodNumber=100";
constexpr std::string_view kBaseTrendCq = "cqssc/baseTrend.action?recentPhase=50";
constexpr std::string_view kDxdsCq = "ssc/dxds.php?tian=2";
constexpr std::string_view kZoushiCq = "cqssc/zoushi/14/2";

const ReportRows kThreeRows = ListOf({{"140512022", "22222"}, {"140512021", "11111"}, {"140512020", "00000"}});

TEST_F(DrawJobs, ChongqingLoadStopsAtTheFirstSourceWithTwoRows) {
    sites.serveGbk('B', kJibenCq,
                   JibenPage({{"20140512021", "11111"}, {"20140512023", "33333"}, {"20140512022", "22222"}}));
    load(0);
    // Sorted by value, largest first; issues cut to 9 like every update's.
    EXPECT_EQ(list(), ListOf({{"140512023", "33333"}, {"140512022", "22222"}, {"140512021", "11111"}}));
    EXPECT_EQ(sites.requests('C', kBaseTrendCq), 0u);
}

TEST_F(DrawJobs, ChongqingLoadWithOneRowGoesOnToTheNextSource) {
    sites.serveGbk('B', kJibenCq, JibenPage({{"140512020", "00000"}}));
    sites.serve('C', kBaseTrendCq, {BaseTrendPage({{"20140512021", "11111"}, {"20140512022", "22222"}})});
    load(0);
    EXPECT_EQ(list(), ListOf({{"140512022", "22222"}, {"140512021", "11111"}, {"140512020", "00000"}}));
    EXPECT_EQ(sites.requests('D', kDxdsCq), 0u);
}

TEST_F(DrawJobs, ChongqingLoadFallsThroughToDxdsAndZoushi) {
    sites.serveGbk('D', kDxdsCq, DxdsPage({{"140512021", "11111"}, {"140512022", "22222"}}));
    load(0);
    EXPECT_EQ(list(), ListOf({{"140512022", "22222"}, {"140512021", "11111"}}));

    sites.serve('D', kDxdsCq, {""});
    sites.serve('E', kZoushiCq, {"", "", ZoushiPage({"20140512-022", "20140512-023"}, {"22222", "33333"})});
    load(0);
    EXPECT_EQ(list(), ListOf({{"140512023", "33333"}, {"140512022", "22222"}}));
    EXPECT_EQ(sites.requests('E', kZoushiCq), 3u);  // fetched again while empty
}

TEST_F(DrawJobs, ZoushiRefetchIsBoundedAtThreeTriesAndOnlyForEmptyPages) {
    sites.serve('E', kZoushiCq, {""});
    load(0);
    EXPECT_TRUE(list().empty());
    EXPECT_EQ(sites.requests('E', kZoushiCq), 3u);
    // A timeout or an error status is not asked again.
    sites.serve('E', kZoushiCq, {kHangs});
    load(0);
    sites.serve('E', kZoushiCq, {kFails});
    load(0);
    EXPECT_EQ(sites.requests('E', kZoushiCq), 5u);
}

TEST_F(DrawJobs, ALoadWithEverySourceHangingEndsWithinItsBudget) {
    for (const auto& [site, path] : {std::pair{'B', kJibenCq}, {'C', kBaseTrendCq}, {'D', kDxdsCq}, {'E', kZoushiCq}}) {
        sites.serve(site, path, {kHangs});
    }
    sites.options.http.connectTimeout = 30s;
    sites.options.http.totalTimeout = 30s;
    sites.options.jobBudget = 1s;
    sites.options.startBudget();
    const auto started = std::chrono::steady_clock::now();
    load(0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1500ms);
    EXPECT_TRUE(list().empty());
}

TEST_F(DrawJobs, MalformedDrawsAreRefusedAndNeverBlockALaterDraw) {
    sites.serveGbk('B', kJibenCq,
                   JibenPage({{"140512020", "00000"},
                              {"14101206x", "11111"},
                              {"999999999", "22222"},
                              {"140512021", "1a2b3"},
                              {"140231001", "33333"},
                              {"140512022", "22222"},
                              {"140512023", "123456"},
                              {"990101001", "44444"}}));
    load(0);
    EXPECT_EQ(list(), ListOf({{"140512022", "22222"}, {"140512020", "00000"}}));
    const std::string feed = "/static/ssc/newlyopenlist.xml?";
    controls.setRows(kDrawList, kThreeRows);
    for (const char* bad : {"2014101206x", "20999999999", "20140512024"}) {
        const char* number = std::string_view(bad) == "20140512024" ? "1,a,2,b,3" : "1,2,3,4,5";
        sites.serve('A', feed, {FeedPage({{bad, number}})});
        update(0);
        EXPECT_EQ(list(), kThreeRows) << bad;
    }
    sites.serve('A', feed, {FeedPage({{"20140512023", "1,2,3,4,5"}})});
    update(0);
    EXPECT_EQ(list()[0], (ReportRow{"140512023", "12345", ""}));
    const auto today = std::chrono::sys_days(std::chrono::year(2014) / 5 / 12);
    EXPECT_TRUE(IsWellFormedDraw({"140513001", "12345"}, 0, today));  // tomorrow, where the draws run ahead
    EXPECT_FALSE(IsWellFormedDraw({"140514001", "12345"}, 0, today));
    EXPECT_TRUE(IsWellFormedDraw({"014051301", "12345"}, 2, today));  // 新疆: two-digit serials
    EXPECT_FALSE(IsWellFormedDraw({"140513001", "12345"}, 2, today));
    EXPECT_TRUE(IsWellFormedDraw({"2014144", "816"}, 4, today));
    EXPECT_FALSE(IsWellFormedDraw({"2014144", "8160"}, 4, today));
}

TEST_F(DrawJobs, AHugePageKeepsTheNewestFullList) {
    std::vector<PageRow> rows;
    for (int day = 1; day <= 28; ++day) {
        for (int n = 1; n <= 120; ++n) {
            char issue[16];
            std::snprintf(issue, sizeof issue, "1405%02d%03d", day, n);
            rows.push_back({issue, "12345"});
        }
    }
    sites.serveGbk('B', kJibenCq, JibenPage(rows));
    load(0);
    ASSERT_EQ(list().size(), kMaxDrawRows);
    EXPECT_EQ(list().front()[0], "140528120");
    EXPECT_EQ(list().back()[0], "140527041");
    sites.serve('A', "/static/ssc/newlyopenlist.xml?", {FeedPage({{"20140529001", "1,2,3,4,5"}})});
    update(0);
    ASSERT_EQ(list().size(), kMaxDrawRows);  // the oldest row made room
    EXPECT_EQ(list().front()[0], "140529001");
    EXPECT_EQ(list().back()[0], "140527042");
}

// The one job over real sockets, with the network's fetcher: a GBK trend page by plain
// GET, then the program's own routine following site A's "301" to its new address.
TEST_F(DrawJobs, OverTheWireALoadAndAnUpdateFollowingSiteAToItsNewAddress) {
    const std::string feed = FeedPage({{"20140512023", "1,2,3,4,5"}});
    const std::string jiben =
        Utf8ToGbk(JibenPage({{"20140512020", "00000"}, {"20140512021", "11111"}, {"20140512022", "22222"}}));
    LocalHttpServer moved([&](const Request& r) {
        if (r.path == "/static/ssc/newlyopenlist.xml?") return Ok(feed);
        return r.path == "/" + std::string(kJibenCq) ? Ok(jiben) : HttpReply(404, "Not Found", "");
    });
    LocalHttpServer old(
        [&](const Request&) { return HttpReply(301, "Moved Permanently", "", "Location: " + moved.base() + "\r\n"); });
    sites.options.fetch = FetchFromNetwork;
    sites.hosts.sites[0] = old.base();
    sites.hosts.sites[1] = moved.base() + "/";
    load(0);
    EXPECT_EQ(list(), kThreeRows);
    update(0);
    ASSERT_EQ(list().size(), 4u);
    EXPECT_EQ(list()[0], (ReportRow{"140512023", "12345", ""}));
}

TEST_F(DrawJobs, JiangxiLoadCutsJibenIssues) {
    sites.serveGbk('B', "trend/jxssc/jiben-5xing.html?periodNumber=100",
                   JibenPage({{"20140512021", "11111"}, {"20140512022", "22222"}}));
    load(1);
    EXPECT_EQ(list(), ListOf({{"140512022", "22222"}, {"140512021", "11111"}}));
}

TEST_F(DrawJobs, XinjiangAndLongjiangLoads) {
    sites.serve('F', "/trend/analyseSSC.do?operator=codeBigSmall&pageCount=100",
                {XinjiangTrendPage({{"2014051201", "0 1 2 3 4"}, {"2014051202", "5 6 7 8 9"}})});
    load(2);
    EXPECT_EQ(list(), ListOf({{"014051202", "56789"}, {"014051201", "01234"}}));
    sites.serve('H', "/sscsta/queryLottery1day2.html", {OneDayPage({{"140512022", "22222"}, {"140512023", "33333"}})});
    load(3);
    EXPECT_EQ(list(), ListOf({{"140512023", "33333"}, {"140512022", "22222"}}));
}

TEST_F(DrawJobs, LoadWhoseSourcesAllFailLeavesTheListEmpty) {
    controls.setRows(kDrawList, ListOf({{"140512001", "12345"}}));
    load(0);
    EXPECT_TRUE(list().empty());
}

TEST_F(DrawJobs, SiteWithoutHostYieldsNothing) {
    sites.serve('H', "/sscsta/queryLottery1day2.html", {OneDayPage({{"140512022", "22222"}})});
    sites.hosts.sites['H' - 'A'].clear();
    load(3);
    EXPECT_TRUE(list().empty());
    EXPECT_EQ(sites.requests(), 0u);
}

TEST_F(DrawJobs, CancelledLoadLeavesTheListAlone) {
    std::atomic<bool> cancel{true};
    sites.options.http.cancel = &cancel;
    sites.serveGbk('B', kJibenCq, JibenPage({{"1", "1"}, {"2", "2"}}));
    controls.setRows(kDrawList, ListOf({{"140512001", "12345"}}));
    load(0);
    EXPECT_EQ(list(), ListOf({{"140512001", "12345"}}));
    EXPECT_EQ(sites.requests(), 0u);
}

TEST_F(DrawJobs, ChongqingUpdateInsertsANewerDrawAndReportsIt) {
    sites.serve('A', "/static/ssc/newlyopenlist.xml?", {FeedPage({{"20140512023", "1,2,3,4,5"}})});
    controls.setRows(kDrawList, kThreeRows);
    update(0);
    ASSERT_EQ(list().size(), 4u);
    EXPECT_EQ(list()[0], (ReportRow{"140512023", "12345", ""}));
    EXPECT_EQ(lastDrawNumber, "12345");
    update(0);  // same draw again: not newer
    EXPECT_EQ(list().size(), 4u);
}

TEST_F(DrawJobs, ChongqingUpdateFollowsALoadOfLongPeriods) {
    sites.serveGbk('B', kJibenCq,
                   JibenPage({{"20140512020", "00000"}, {"20140512021", "11111"}, {"20140512022", "22222"}}));
    sites.serve('A', "/static/ssc/newlyopenlist.xml?", {FeedPage({{"20140512023", "1,2,3,4,5"}})});
    load(0);
    update(0);
    ASSERT_EQ(list().size(), 4u);
    EXPECT_EQ(list()[0], (ReportRow{"140512023", "12345", ""}));
}

TEST_F(DrawJobs, ChongqingUpdateSkipsTheReportedNumberAndShortLists) {
    sites.serve('A', "/static/ssc/newlyopenlist.xml?", {FeedPage({{"20140512023", "1,2,3,4,5"}})});
    controls.setRows(kDrawList, kThreeRows);
    lastDrawNumber = "12345";
    update(0);
    EXPECT_EQ(list(), kThreeRows);

    lastDrawNumber.clear();
    controls.setRows(kDrawList, ListOf({{"140512022", "22222"}, {"140512021", "11111"}}));
    update(0);
    EXPECT_EQ(list().size(), 2u);
    EXPECT_EQ(sites.requests('A', "/static/ssc/newlyopenlist.xml?"), 1u);  // the short list fetched nothing
}

TEST_F(DrawJobs, JiangxiUpdateTriesSourcesUntilOneInserts) {
    sites.serveGbk('A', "/static/jxssc/newlyopenlist.xml?", FeedPage({{"20140512022", "2,2,2,2,2"}}));
    sites.serveGbk('B', "trend/jxssc/jiben-5xing.html?periodNumber=1", JibenPage({{"20140512023", "33333"}}));
    controls.setRows(kDrawList, kThreeRows);
    update(1);
    EXPECT_EQ(list()[0], (ReportRow{"140512023", "33333", ""}));
    EXPECT_EQ(sites.requests('C', "jxssc/baseTrend.action?recentPhase=1"), 0u);
    EXPECT_EQ(lastDrawNumber, "");  // only kind 0 reports its number

    sites.serve('C', "jxssc/baseTrend.action?recentPhase=1", {BaseTrendPage({{"20140512024", "44444"}})});
    update(1);
    EXPECT_EQ(list()[0], (ReportRow{"140512024", "44444", ""}));
}

TEST_F(DrawJobs, XinjiangUpdateReadsTheGbkResultsPage) {
    // 新疆 numbers the draws of a day with two digits.
    sites.serveGbk('F', "/ssc/", XinjiangResultsPage({{"2014051223", "1 2 3 4 5"}, {"2014051222", "0 9 8 7 6"}}));
    update(2);  // an empty list takes the first draw
    EXPECT_EQ(list(), ListOf({{"014051223", "12345"}}));
}

TEST_F(DrawJobs, LongjiangUpdateAfterALoadAddsNoCopyOfTheNewestDraw) {
    sites.serve('H', "/sscsta/queryLottery1day2.html",
                {OneDayPage({{"140512021", "11111"}, {"140512022", "22222"}, {"140512023", "33333"}})});
    load(3);
    const std::string history = "/lottery/hisnumber.action?lotteryId=006";
    sites.serveGbk('G', history, LongjiangHistoryPage("140512023", " 3 3 3 3 3 "));
    update(3);  // the draw on top already: both sites give it the same 9-character issue
    EXPECT_EQ(list().size(), 3u);
    sites.serveGbk('G', history, LongjiangHistoryPage("140512024", " 1 2 3 4 5 "));
    update(3);
    EXPECT_EQ(list()[0], (ReportRow{"140512024", "12345", ""}));
}

TEST_F(DrawJobs, FailedUpdatesLeaveListAndNumberAsTheyWere) {
    const std::string feed = "/static/ssc/newlyopenlist.xml?";
    controls.setRows(kDrawList, kThreeRows);
    lastDrawNumber = "22222";
    for (const SiteAnswer& answer : {kHangs, kFails, SiteAnswer("<html>maintenance</html>")}) {
        sites.serve('A', feed, {answer});
        update(0);
        EXPECT_EQ(list(), kThreeRows);
        EXPECT_EQ(lastDrawNumber, "22222");
    }
    for (int kind = 1; kind <= 3; ++kind) update(kind);  // nothing served: 404 everywhere
    EXPECT_EQ(list(), kThreeRows);
}

TEST_F(DrawJobs, AnUpdateWithAnIssueButNoNumberInsertsNothing) {
    std::string results = XinjiangResultsPage({{"20140512023", "1 2 3 4 5"}, {"20140512022", "0 9 8 7 6"}});
    results.replace(results.find("<td class=\"red\"><p>"), 19, "<td class=\"red\">");
    sites.serveGbk('F', "/ssc/", results);
    sites.serveGbk('G', "/lottery/hisnumber.action?lotteryId=006",
                   "[{\"lotteryExpect\":\"140512023\",\"ernieDate\":\"2014-05-12\"}]");
    controls.setRows(kDrawList, kThreeRows);
    update(2);
    update(3);
    EXPECT_EQ(list(), kThreeRows);
}

TEST_F(DrawJobs, ApplyRechecksAgainstTheListAsItIsNow) {
    controls.setRows(kDrawList, kThreeRows);
    const DrawListTop top = ReadDrawListTop(controls);
    EXPECT_EQ(top.rows, 3u);
    EXPECT_EQ(top.issue, "140512022");
    sites.serve('A', "/static/ssc/newlyopenlist.xml?", {FeedPage({{"20140512023", "1,2,3,4,5"}})});
    const auto draw = FetchLatestDraw(0, top, lastDrawNumber, sites.hosts, sites.options);
    ASSERT_TRUE(draw.has_value());
    // Meanwhile a reload put a newer draw on top.
    controls.insertRow(kDrawList, 0, {"140512024", "44444", ""});
    EXPECT_FALSE(ApplyLatestDraw(0, controls, lastDrawNumber, *draw));
    EXPECT_EQ(list().size(), 4u);
    EXPECT_EQ(lastDrawNumber, "");
}

TEST_F(DrawJobs, UnknownKindsDoNothing) {
    controls.setRows(kDrawList, kThreeRows);
    load(-1);
    load(4);
    update(7);
    EXPECT_EQ(list(), kThreeRows);
    EXPECT_EQ(sites.requests(), 0u);
}

}  // namespace
}  // namespace sanxing
