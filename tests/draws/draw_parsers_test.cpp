#include "draws/draw_parsers.h"

#include <gtest/gtest.h>

#include <random>

#include "draw_pages.h"

namespace sanxing {
namespace {

using namespace testing;

DrawRows Rows(std::initializer_list<DrawRecord> rows) { return rows; }

TEST(LatestFromFeed, FirstElementGivesCutIssueAndJoinedDigits) {
    const std::string page = FeedPage({{"20140512023", "1,2,3,4,5"}, {"20140512022", "0,9,8,7,6"}});
    EXPECT_EQ(LatestFromFeed(page), (DrawRecord{"140512023", "12345"}));
}

TEST(LatestFromJiben, FirstRowNumberAsShownAndCutPeriod) {
    const std::string page = JibenPage({{"20140512023", "12345"}, {"20140512022", "98765"}});
    EXPECT_EQ(LatestFromJiben(page), (DrawRecord{"140512023", "12345"}));
}

TEST(LatestFromBaseTrend, LastRowOfTheTable) {
    const std::string page = BaseTrendPage({{"20140512022", "98765"}, {"20140512023", "12345"}});
    EXPECT_EQ(LatestFromBaseTrend(page), (DrawRecord{"140512023", "12345"}));
}

TEST(LatestFromXinjiangResults, FirstDataRowWithSpacesRemoved) {
    const std::string page = XinjiangResultsPage({{"20140512023", "1 2 3 4 5"}, {"20140512022", "0 9 8 7 6"}});
    EXPECT_EQ(LatestFromXinjiangResults(page), (DrawRecord{"140512023", "12345"}));
    // A table with one row lacks the end marker of "the first of several rows".
    EXPECT_EQ(LatestFromXinjiangResults(XinjiangResultsPage({{"20140512023", "1 2 3 4 5"}})), DrawRecord{});
}

TEST(LatestFromLongjiangHistory, PrefixedAndCutIssueAndEverySecondCharacter) {
    EXPECT_EQ(LatestFromLongjiangHistory(LongjiangHistoryPage("140512023", " 1 2 3 4 5 ")),
              (DrawRecord{"140512023", "12345"}));
    EXPECT_EQ(LatestFromLongjiangHistory(LongjiangHistoryPage("0140512023", " 1 2")), (DrawRecord{"140512023", "12"}));
    EXPECT_EQ(LatestFromLongjiangHistory(LongjiangHistoryPage("4051202", " 1 2 3 4 5 ")),
              (DrawRecord{"24051202", "12345"}));  // short: the "2" stays
}

TEST(LatestParsers, PagesWithoutTheDrawGiveNoIssue) {
    for (const std::string& page : {std::string(), std::string("<html>503 Service Unavailable</html>")}) {
        EXPECT_EQ(LatestFromFeed(page).issue, "");
        EXPECT_EQ(LatestFromJiben(page).issue, "");
        EXPECT_EQ(LatestFromBaseTrend(page).issue, "");
        EXPECT_EQ(LatestFromXinjiangResults(page).issue, "");
        EXPECT_EQ(LatestFromLongjiangHistory(page).issue, "");  // not a bare "2"
    }
}

TEST(RecentFromJiben, LastRowFirstWithIssuesCut) {
    const std::string page = JibenPage({{"20140512021", "11111"}, {"20140512022", "22222"}, {"20140512023", "33333"}});
    EXPECT_EQ(RecentFromJiben(page), Rows({{"140512023", "33333"}, {"140512022", "22222"}, {"140512021", "11111"}}));
}

TEST(RecentFromBaseTrend, LastRowFirstWithJoinedDigits) {
    const std::string page = BaseTrendPage({{"20140512022", "98765"}, {"20140512023", "12345"}});
    EXPECT_EQ(RecentFromBaseTrend(page), Rows({{"140512023", "12345"}, {"140512022", "98765"}}));
}

TEST(RecentFromDxds, PeriodAndNumberCells) {
    const std::string page = DxdsPage({{"140512022", "98765"}, {"140512023", "12345"}});
    EXPECT_EQ(RecentFromDxds(page), Rows({{"140512023", "12345"}, {"140512022", "98765"}}));
}

TEST(RecentFromZoushi, DashesGoBeforeTheCut) {
    const std::string page = ZoushiPage({"20140512-022", "20140512-023"}, {"98765", "12345"});
    EXPECT_EQ(RecentFromZoushi(page), Rows({{"140512023", "12345"}, {"140512022", "98765"}}));
}

TEST(RecentFromZoushi, MissingNumbersAreEmptyAndMissingArraysGiveNoRows) {
    EXPECT_EQ(RecentFromZoushi(ZoushiPage({"20140512-022", "20140512-023"}, {"98765"})),
              Rows({{"140512023", ""}, {"140512022", "98765"}}));
    EXPECT_TRUE(RecentFromZoushi("{\"i\":[]}").empty());
}

TEST(RecentFromXinjiangTrend, NestedArgumentGroupsDoNotShiftPeriodAndNumber) {
    const std::string page = XinjiangTrendPage({{"2014051201", "0 1 2 3 4"}, {"2014051202", "5 6 7 8 9"}});
    EXPECT_EQ(RecentFromXinjiangTrend(page), Rows({{"014051202", "56789"}, {"014051201", "01234"}}));
}

TEST(RecentFromOneDay, PrefixedAndCutIssueWithRedDigitsJoined) {
    const std::string page = OneDayPage({{"0140512022", "98765"}, {"140512023", "12345"}});
    EXPECT_EQ(RecentFromOneDay(page), Rows({{"140512023", "12345"}, {"140512022", "98765"}}));
}

TEST(RecentParsers, RandomBytesGiveNoRows) {
    std::mt19937 random(7);
    std::string page(200'000, '\0');
    for (char& c : page) c = static_cast<char>(random());
    EXPECT_TRUE(RecentFromJiben(page).empty());
    EXPECT_TRUE(RecentFromBaseTrend(page).empty());
    EXPECT_TRUE(RecentFromDxds(page).empty());
    EXPECT_TRUE(RecentFromXinjiangTrend(page).empty());
    EXPECT_TRUE(RecentFromOneDay(page).empty());
    EXPECT_EQ(LatestFromFeed(page).issue, "");
}

}  // namespace
}  // namespace sanxing
