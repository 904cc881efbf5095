// The draw list of the window: a kind change loads, a tick tops up, a new draw is spoken
// and marked. Jobs run on the worker thread; their rows reach the list only when the
// test runs the UI thread's queue.

#include "draws/draw_list.h"

#include <gtest/gtest.h>

#include "app/window_model.h"
#include "draw_pages.h"
#include "draw_sites.h"
#include "history/history_fixture.h"
#include "runtime/recording_platform.h"
#include "runtime/temp_folder.h"
#include "runtime/time_limits.h"

namespace sanxing {
namespace {

using namespace testing;
using Clips = std::vector<std::string>;

constexpr std::string_view kFeedCq = "/static/ssc/newlyopenlist.xml?";
constexpr std::string_view kJibenCq = "trend/cqssc/jiben-5xing.html?periodNumber=100";

class DrawListTest : public ::testing::Test {
protected:
    DrawListTest() {
        window.drawHosts() = sites.hosts;
        window.drawList().options() = sites.options;
    }

    // The UI thread's turn: the job's rows, then the timed steps of any speech.
    void settle() {
        do {
            ASSERT_TRUE(window.drawList().waitIdle(kWaitLimit));
            platform.loop.runPosted();
        } while (!window.drawList().idle());
        platform.loop.runTimers();
    }
    void selectKind(int kind) {
        window.selectItem("组合框_彩种", kind);
        settle();
    }
    void tick() {
        window.tick("时钟_开奖更新");
        settle();
    }
    const ReportRows& list() { return window.controls().rows(kDrawList); }
    const SessionState& session() { return window.session(); }

    // Kind 0 with three draws, 020 to 022, on the list.
    void loadChongqing() {
        sites.serveGbk('B', kJibenCq,
                       JibenPage({{"140512020", "00000"}, {"140512021", "11111"}, {"140512022", "22222"}}));
        selectKind(0);
        ASSERT_EQ(list().size(), 3u);
    }

    DrawSites sites;
    RecordingPlatform platform;
    WindowModel window{platform};
};

TEST_F(DrawListTest, ALoadPerKindCountsItsNewestDrawAsHandled) {
    sites.serveGbk('B', "trend/jxssc/jiben-5xing.html?periodNumber=100",
                   JibenPage({{"20140512021", "11111"}, {"20140512022", "22222"}}));
    sites.serve('F', "/trend/analyseSSC.do?operator=codeBigSmall&pageCount=100",
                {XinjiangTrendPage({{"2014051201", "0 1 2 3 4"}, {"2014051202", "5 6 7 8 9"}})});
    sites.serve('H', "/sscsta/queryLottery1day2.html", {OneDayPage({{"140512022", "22222"}, {"140512023", "33333"}})});
    loadChongqing();
    EXPECT_EQ(list()[0], (ReportRow{"140512022", "22222", ""}));
    const std::pair<int, ReportRows> expected[] = {
        {1, ListOf({{"140512022", "22222"}, {"140512021", "11111"}})},
        {2, ListOf({{"014051202", "56789"}, {"014051201", "01234"}})},
        {3, ListOf({{"140512023", "33333"}, {"140512022", "22222"}})},
    };
    for (const auto& [kind, rows] : expected) {
        selectKind(kind);
        EXPECT_EQ(list(), rows) << "kind " << kind;
        EXPECT_EQ(session().lastDrawNumber, rows[0][1]);
        EXPECT_EQ(session().handledDrawNumber, rows[0][1]);
    }
    EXPECT_TRUE(platform.sounds.empty());  // a load is never spoken
}

TEST_F(DrawListTest, StartUpLoadsTheFirstKind) {
    loadChongqing();
    window.controls().setRows(kDrawList, {});
    window.created();
    settle();
    EXPECT_EQ(list().size(), 3u);
}

TEST_F(DrawListTest, AnUpdateThatInsertsIsSpokenAndMarked) {
    loadChongqing();
    window.controls().setText("编辑框_结果", "012 333 ");
    sites.serve('A', kFeedCq, {FeedPage({{"20140512023", "3,3,3,4,5"}, {"20140512022", "2,2,2,2,2"}})});
    tick();
    ASSERT_EQ(list().size(), 4u);
    EXPECT_EQ(list()[0], (ReportRow{"140512023", "33345", "对"}));
    EXPECT_EQ(session().lastDrawNumber, "33345");
    EXPECT_EQ(session().handledDrawNumber, "33345");
    EXPECT_EQ(platform.sounds, (Clips{"jingle", "3", "3", "3", "4", "5"}));
}

TEST_F(DrawListTest, AnUpdateThatFindsNothingNewerChangesNothing) {
    loadChongqing();
    sites.serve('A', kFeedCq, {FeedPage({{"20140512022", "2,2,2,2,2"}})});
    tick();
    EXPECT_EQ(list().size(), 3u);
    EXPECT_EQ(list()[0], (ReportRow{"140512022", "22222", ""}));
    EXPECT_EQ(session().lastDrawNumber, "22222");
    EXPECT_TRUE(platform.sounds.empty());
}

TEST_F(DrawListTest, AFailedFetchLeavesTheListAndTheSharedTexts) {
    loadChongqing();
    const ReportRows before = list();
    window.session().lastDrawNumber = "99999";  // reported, not yet handled
    window.session().handledDrawNumber = "88888";
    // Nothing is served for the feed: 404. A failed update still runs the rest of the
    // tick, which handles the number reported before.
    window.controls().setTicked("选择框_开奖报号", false);
    tick();
    EXPECT_EQ(list().size(), before.size());
    EXPECT_EQ(session().lastDrawNumber, "99999");
    EXPECT_EQ(session().handledDrawNumber, "99999");

    sites.serve('A', kFeedCq, {kFails});
    window.controls().setRows(kDrawList, before);
    tick();
    EXPECT_EQ(list(), before);
    EXPECT_EQ(session().lastDrawNumber, "99999");
    EXPECT_EQ(session().handledDrawNumber, "99999");
    EXPECT_TRUE(platform.sounds.empty());
}

TEST_F(DrawListTest, OtherKindsReportTheirNewNumberToo) {
    sites.serve('H', "/sscsta/queryLottery1day2.html", {OneDayPage({{"140512022", "22222"}, {"140512021", "11111"}})});
    selectKind(3);
    sites.serveGbk('G', "/lottery/hisnumber.action?lotteryId=006", LongjiangHistoryPage("140512023", " 6 7 8 9 0 "));
    window.controls().setText("编辑框_结果", "678 ");
    tick();
    EXPECT_EQ(list()[0], (ReportRow{"140512023", "67890", "对"}));
    EXPECT_EQ(session().handledDrawNumber, "67890");
    EXPECT_EQ(platform.sounds, (Clips{"jingle", "6", "7", "8", "9", "0"}));
    // The same draw again: not newer, nothing more.
    tick();
    EXPECT_EQ(list().size(), 3u);
    EXPECT_EQ(platform.sounds.size(), 6u);
}

TEST_F(DrawListTest, SpeechOnlyWhenTickedMarkEitherWay) {
    loadChongqing();
    window.controls().setTicked("选择框_开奖报号", false);
    window.controls().select("组合框_验证", 1);
    sites.serve('A', kFeedCq, {FeedPage({{"20140512023", "1,2,3,4,5"}})});
    tick();
    EXPECT_EQ(list()[0], (ReportRow{"140512023", "12345", "错"}));
    EXPECT_TRUE(platform.sounds.empty());
}

TEST_F(DrawListTest, NewerThanRow0IsDecidedWhenTheRowsArrive) {
    loadChongqing();
    sites.serve('A', kFeedCq, {FeedPage({{"20140512023", "3,3,3,3,3"}})});
    window.tick("时钟_开奖更新");
    ASSERT_TRUE(window.drawList().waitIdle(kWaitLimit));
    // Before the result is applied, the list gets a newer top by other means.
    window.controls().insertRow(kDrawList, 0, {"140512024", "44444", ""});
    platform.loop.runPosted();
    EXPECT_EQ(list()[0][0], "140512024");
    EXPECT_EQ(list().size(), 4u);
}

TEST_F(DrawListTest, ShutdownCancelsARunningLoad) {
    sites.serve('B', kJibenCq, {kHangs});
    window.drawList().options().http.totalTimeout = 30s;  // only the cancel can end it soon
    window.selectItem("组合框_彩种", 0);
    ASSERT_TRUE(WaitUntil([&] { return sites.requests('B', kJibenCq) > 0; }));
    const auto start = std::chrono::steady_clock::now();
    window.shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2100ms);
    EXPECT_TRUE(window.drawList().idle());
    platform.loop.runPosted();
    EXPECT_TRUE(list().empty());
}

// The draw list and the draw history feed each other.
class DrawListHistoryTest : public DrawListTest {
protected:
    DrawListHistoryTest() { window.drawList().useHistory(dbPath); }

    history::HistoryDb openDb() {
        auto db = history::HistoryDb::open(dbPath);
        EXPECT_TRUE(db) << db.error();
        return std::move(*db);
    }
    void store(std::string_view lottery, const std::vector<history::StoredDraw>& draws) {
        ASSERT_TRUE(openDb().record(lottery, draws));
    }
    const std::string& status() { return window.drawList().status(); }

    TempFolder folder;
    std::string dbPath = folder.file("history.sqlite");
};

TEST_F(DrawListHistoryTest, EveryLoadedAndUpdatedDrawIsRecordedUnderItsKind) {
    loadChongqing();
    sites.serve('A', kFeedCq, {FeedPage({{"20140512023", "1,2,3,4,5"}})});
    tick();
    const auto stored = openDb().newest("重庆时时彩", 10).value();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored.front().issue, "140512020");
    EXPECT_EQ(stored.front().date, "2014-05-12");
    EXPECT_EQ(stored.front().source, "B");
    EXPECT_EQ(stored.back().number, "12345");
    EXPECT_EQ(stored.back().source, "A");
    EXPECT_EQ(openDb().count("江西时时彩").value(), 0u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DrawListHistoryTest, WithoutLiveDrawsTheListShowsTheHistoryAndWorksOnIt) {
    std::vector<history::StoredDraw> draws;
    for (int n = 1; n <= 120; ++n) {
        char issue[16];
        std::snprintf(issue, sizeof issue, "140512%03d", n);
        draws.push_back({issue, "1234" + std::to_string(n % 10), "", "T", ""});
    }
    store("江西时时彩", draws);
    selectKind(1);  // nothing served
    ASSERT_EQ(list().size(), DrawList::kHistoryRows);
    EXPECT_EQ(list().front(), (ReportRow{"140512120", "12340", ""}));
    EXPECT_EQ(list().back()[0], "140512021");
    EXPECT_NE(status().find("开奖历史中最近 100 期"), std::string::npos) << status();
    EXPECT_TRUE(platform.sounds.empty());

    // A draw that reaches the history (an import) comes to the list with the next tick.
    store("江西时时彩", {{"140513001", "56789", "", "file.txt", ""}});
    window.controls().setText("编辑框_结果", "567 ");
    tick();
    EXPECT_EQ(list().front(), (ReportRow{"140513001", "56789", "对"}));
    EXPECT_EQ(platform.sounds, (Clips{"jingle", "5", "6", "7", "8", "9"}));
    window.controls().select("组合框_显示", 4);  // "5"
    window.click("按钮_复制验证数据");
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_NE(platform.clipboard[0].find("前三单式  001期 567 对\r\n\r\n002期 本期大底为"), std::string::npos)
        << platform.clipboard[0];
}

TEST_F(DrawListHistoryTest, ThreeDigitLotteriesShowTheirHistoryAndAreCheckedWhole) {
    selectKind(4);
    EXPECT_TRUE(list().empty());
    EXPECT_NE(status().find("福彩3D暂无实时数据源；开奖历史中也没有"), std::string::npos) << status();
    store("福彩3D", history::testing::Fc3dDraws(3, 143));  // 2024143..145
    selectKind(4);
    ASSERT_EQ(list().size(), 3u);
    EXPECT_EQ(list().front(), (ReportRow{"2024145", "145", ""}));
    EXPECT_EQ(sites.requests(), 0u);  // no live source is asked

    store("福彩3D", {{"2024146", "816", "", "file.txt", ""}});
    window.controls().select("组合框_验证", 2);  // 后三: still the whole number
    window.controls().setText("编辑框_结果", "816 ");
    window.controls().setTicked("选择框_开奖报号", false);
    tick();
    EXPECT_EQ(list().front(), (ReportRow{"2024146", "816", "对"}));
    window.controls().select("组合框_显示", 0);  // "1"
    window.click("按钮_复制验证数据");
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_NE(platform.clipboard[0].find("后三单式  146期 816 对\r\n\r\n147期 "), std::string::npos)
        << platform.clipboard[0];
}

// An import or a delete in the window shows at once; a draw of the history is not marked
// before there is a result to verify it against.
TEST_F(DrawListHistoryTest, AListOfTheHistoryFollowsItsChanges) {
    selectKind(4);
    store("福彩3D", history::testing::Fc3dDraws(3, 143));
    window.drawList().historyChanged(5);  // another lottery: nothing to do
    settle();
    EXPECT_TRUE(list().empty());
    window.drawList().historyChanged(4);
    settle();
    ASSERT_EQ(list().size(), 3u);
    EXPECT_EQ(list().front(), (ReportRow{"2024145", "145", ""}));
    store("福彩3D", {{"2024146", "816", "", "file.txt", ""}});
    window.controls().setTicked("选择框_开奖报号", false);
    tick();
    EXPECT_EQ(list().front(), (ReportRow{"2024146", "816", ""}));
    ASSERT_TRUE(openDb().remove("福彩3D", {"2024146", "2024145"}));
    window.drawList().historyChanged(4);
    settle();
    EXPECT_EQ(list().front(), (ReportRow{"2024144", "144", ""}));
}

TEST_F(DrawListHistoryTest, AHistoryThatCannotBeWrittenIsSaidOnceAndTheListCarriesOn) {
    std::filesystem::create_directories(dbPath);  // a folder where the database should be
    loadChongqing();
    selectKind(0);
    EXPECT_EQ(list().size(), 3u);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("开奖历史"), std::string::npos);
    EXPECT_NE(platform.messages[0].text.find(dbPath), std::string::npos) << platform.messages[0].text;
    EXPECT_TRUE(std::filesystem::is_directory(dbPath));
}

}  // namespace
}  // namespace sanxing
