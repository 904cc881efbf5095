// Updating the history from the draw-file addresses of sources.json, against the local
// HTTP server: every bad answer is one line of the report and stores nothing; the window's
// automatic updates (when, for which lottery) and their new draws on the draw list.

#include "draws/history_update.h"

#include "draws/draw_history.h"

#include <gtest/gtest.h>

#include "app/window_model.h"
#include "draws/history_updater.h"
#include "history/draw_import.h"
#include "history/history_db.h"
#include "history/history_fixture.h"
#include "history/shipped_draws.h"
#include "net/local_http_server.h"
#include "runtime/recording_platform.h"
#include "runtime/temp_folder.h"
#include "runtime/time_limits.h"

namespace sanxing {
namespace {

using testing::HttpReply;
using testing::LocalHttpServer;
using testing::Ok;
using testing::Reply;
using testing::Silent;

Reply Serve(const testing::Request& request) {
    if (request.path == "/new.csv") return Ok("期号,号码,开奖日期\n2025216,111,\n2025217,222,\n2025218,333,\n");
    if (request.path == "/conflicts.csv") return Ok("2025216 999\n2025217 999\n");
    if (request.path == "/five.csv") return Ok("2025218,12345\n2025219,54321\n");
    if (request.path == "/page.html") return Ok("<html><body><p>开奖公告</p></body></html>");
    if (request.path == "/huge") return {"HTTP/1.1 200 OK\r\nContent-Length: 1073741824\r\n\r\n0123", false};
    if (request.path == "/loop") return HttpReply(302, "Found", "", "Location: /loop\r\n");
    if (request.path == "/hang") return Silent();
    if (request.path == "/next.csv") return Ok("期号,号码,开奖日期\n2025218,333,2025-08-16\n");
    if (request.path == "/bad-lines.csv") {
        std::string text = "2025219,444\n";
        for (int i = 0; i < 2000; ++i) text += "2025220,4x4\n";
        return Ok(text);
    }
    return HttpReply(404, "Not Found", "no such file");
}

std::vector<std::string> Addresses(const LocalHttpServer& server, std::initializer_list<const char*> paths) {
    std::vector<std::string> urls;
    for (const char* path : paths) urls.push_back(server.base() + path);
    return urls;
}

TEST(HistoryUpdate, EachAddressIsOneLineAndABadOneStoresNothing) {
    TempFolder folder;
    auto db = history::HistoryDb::open(folder.file("h.sqlite"));
    ASSERT_TRUE(db);
    // The user deleted one of two stored draws; the update brings what the history lacks.
    ASSERT_TRUE(db->record("福彩3D", {{"2025216", "111", "", "内置", ""}, {"2025217", "222", "", "内置", ""}}));
    ASSERT_TRUE(db->remove("福彩3D", {"2025217"}));
    LocalHttpServer server(Serve);
    DrawHosts hosts;
    const auto urls = Addresses(server, {"/new.csv", "/conflicts.csv", "/bad-lines.csv", "/five.csv", "/page.html",
                                         "/huge", "/loop", "/hang", "/gone"});
    hosts.historyFiles = {{"福彩3D", urls}};
    HttpOptions options;
    options.totalTimeout = std::chrono::milliseconds(1500);

    const auto updates = UpdateHistory(*db, hosts, options);
    ASSERT_EQ(updates.size(), urls.size());
    EXPECT_EQ(UpdateLine(updates[0]), "福彩3D " + urls[0] + "：新增 2 期，已有 1 期，冲突 0 期，拒绝 0 行");
    EXPECT_EQ(updates[1].conflicts, 2u);
    EXPECT_EQ(updates[1].added, 0u);
    EXPECT_EQ(UpdateLine(updates[2]), "福彩3D " + urls[2] + "：新增 1 期，已有 0 期，冲突 0 期，拒绝 2000 行");
    for (std::size_t i = 3; i < updates.size(); ++i) {
        EXPECT_FALSE(updates[i].error.empty()) << urls[i];
        EXPECT_EQ(updates[i].added, 0u) << urls[i];
    }
    EXPECT_EQ(updates[5].error, "文件超过 16 MB");
    EXPECT_EQ(updates[6].error, "转向过多（可能是转向循环）");
    EXPECT_EQ(updates[7].error, "超时：地址在限定时间内没有送完文件");
    EXPECT_EQ(updates[8].error, "服务器回答 404（找不到文件）");
    EXPECT_EQ(db->count("福彩3D").value(), 4u);
    EXPECT_EQ(db->between("福彩3D", "2025216", "2025216").value()[0].number, "111");  // never replaced
}

// Hanging addresses share one time limit: those not reached by then say so, unread.
TEST(HistoryUpdate, TheWholeUpdateEndsByItsLimitAndNamesTheAddressesNotReached) {
    TempFolder folder;
    auto db = history::HistoryDb::open(folder.file("h.sqlite"));
    ASSERT_TRUE(db);
    LocalHttpServer server(Serve);
    DrawHosts hosts;
    hosts.historyFiles = {{"福彩3D", Addresses(server, {"/hang", "/hang", "/hang"})}};
    HttpOptions options;
    options.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    const auto started = std::chrono::steady_clock::now();
    const auto updates = UpdateHistory(*db, hosts, options);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    ASSERT_EQ(updates.size(), 3u);
    EXPECT_EQ(updates[0].error, "超时：地址在限定时间内没有送完文件");
    EXPECT_EQ(updates[1].error, kNotReached);
    EXPECT_EQ(updates[2].error, kNotReached);
    EXPECT_EQ(server.requestCount("/hang"), 1u);
}

// A history the user cannot write is not fetched for: each address fails with the notice.
// Run by a child as another user (nobody, where the tests run as root).
TEST(HistoryUpdate, AHistoryThatCannotBeWrittenIsNotFetchedFor) {
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string file = folder.file("h.sqlite");
    ASSERT_TRUE(history::HistoryDb::open(file));
    const auto readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                          fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder.path(), readOnly);
    LocalHttpServer server(Serve);
    DrawHosts hosts;
    hosts.historyFiles = {{"福彩3D", Addresses(server, {"/new.csv", "/next.csv"})}};
    const pid_t child = fork();
    if (child == 0) {
        if (!history::testing::DropToNobody()) _exit(3);
        auto db = history::HistoryDb::open(file);
        if (!db || !db->readOnly()) _exit(4);
        const auto updates = UpdateHistory(*db, hosts, {});
        const bool refused = updates.size() == 2 && updates[0].error == history::ReadOnlyNotice(file) &&
                             updates[1].error == history::ReadOnlyNotice(file);
        _exit(refused ? 0 : 1);
    }
    const int status = WaitForChild(child);
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(server.requestCount(), 0u);
}

// A shipped draw the user deleted comes back only from an address that serves it (an
// import); offering the shipped draws again never brings it back.
TEST(HistoryUpdate, ADeletedShippedDrawReturnsOnlyFromAnAddressThatServesIt) {
    TempFolder folder;
    auto db = history::HistoryDb::open(folder.file("h.sqlite"));
    ASSERT_TRUE(db);
    const std::string programDirectory = folder.file("bin");  // no installed copy: the built-in one
    ASSERT_TRUE(history::AddShippedDraws(*db, programDirectory));
    const history::StoredDraw last = history::ShippedDraws(*history::FindLottery("福彩3D"), programDirectory).back();
    ASSERT_EQ(last.issue, "2025217");
    ASSERT_TRUE(db->remove("福彩3D", {last.issue}));
    const auto holdsLast = [&] { return !db->between("福彩3D", last.issue, last.issue).value().empty(); };

    LocalHttpServer server([&](const testing::Request& request) {
        if (request.path == "/with-last.csv") return Ok(last.issue + "," + last.number + "\n");
        return Serve(request);
    });
    DrawHosts hosts;
    hosts.historyFiles = {{"福彩3D", {server.base() + "/next.csv"}}};
    EXPECT_EQ(UpdateHistory(*db, hosts, {}).at(0).added, 1u);
    ASSERT_TRUE(history::AddShippedDraws(*db, programDirectory));
    EXPECT_FALSE(holdsLast());

    hosts.historyFiles = {{"福彩3D", {server.base() + "/with-last.csv"}}};
    EXPECT_EQ(UpdateHistory(*db, hosts, {}).at(0).added, 1u);
    EXPECT_TRUE(holdsLast());
}

TEST(AutomaticUpdates, StartUpWantsAHistoryOlderThanADayTheTickTheSelectedDailyLotteryWithAnAddress) {
    using std::chrono::days;
    const std::chrono::sys_days today{std::chrono::year{2026} / 8 / 20};
    const auto drawnOn = [](const char* date) { return std::optional(history::StoredDraw{"2026230", "123", date}); };
    EXPECT_TRUE(OutdatedAtStart(std::nullopt, today));
    EXPECT_FALSE(OutdatedAtStart(drawnOn("2026-08-20"), today));
    EXPECT_FALSE(OutdatedAtStart(drawnOn("2026-08-19"), today));
    EXPECT_TRUE(OutdatedAtStart(drawnOn("2026-08-18"), today));
    EXPECT_TRUE(OutdatedAtStart(drawnOn(""), today));  // no date: no way to know

    DrawHosts hosts;
    EXPECT_EQ(LotteryDueOnTick(hosts, 4), nullptr);  // no address
    hosts.historyFiles = {{"福彩3D", {"http://example.org/fc3d.csv"}}, {"重庆时时彩", {"http://example.org/cq.csv"}}};
    ASSERT_NE(LotteryDueOnTick(hosts, 4), nullptr);
    EXPECT_EQ(LotteryDueOnTick(hosts, 4)->name, "福彩3D");
    EXPECT_EQ(LotteryDueOnTick(hosts, 5), nullptr);   // 排列三 has no address
    EXPECT_EQ(LotteryDueOnTick(hosts, 0), nullptr);   // a 时时彩 kind updates from the menu only
    EXPECT_EQ(LotteryDueOnTick(hosts, -1), nullptr);  // nothing selected
}

// The window's updater over the local server, with the draw list on the same history.
class HistoryUpdaterTest : public ::testing::Test {
protected:
    HistoryUpdaterTest() {
        window.drawList().useHistory(dbPath);
        window.historyUpdater().useHistory(dbPath);
        window.historyUpdater().options().totalTimeout = std::chrono::milliseconds(1500);
        window.drawHosts().historyFiles = {{"福彩3D", {server.base() + "/next.csv"}},
                                           {"排列三", {server.base() + "/gone"}}};
        auto db = history::HistoryDb::open(dbPath);
        EXPECT_TRUE(db && db->record("福彩3D", {{"2025216", "111", "2025-08-14"}, {"2025217", "222", "2025-08-15"}}));
    }

    // Until the update and the draw list's jobs are done and their results applied.
    void settle() {
        do {
            ASSERT_TRUE(window.historyUpdater().waitIdle(kWaitLimit));
            ASSERT_TRUE(window.drawList().waitIdle(kWaitLimit));
            platform.loop.runPosted();
        } while (!window.historyUpdater().idle() || !window.drawList().idle());
        platform.loop.runTimers();
    }
    void selectKind(int kind) {
        window.selectItem("组合框_彩种", kind);
        settle();
    }
    const ReportRows& list() { return window.controls().rows("列表框_开奖"); }

    TempFolder folder;
    std::string dbPath = folder.file("history.sqlite");
    LocalHttpServer server{Serve};
    RecordingPlatform platform;
    WindowModel window{platform};
};

TEST_F(HistoryUpdaterTest, TheTickUpdatesTheSelectedLotteryAndANewDrawIsSpokenAndMarked) {
    selectKind(0);
    EXPECT_FALSE(window.historyUpdater().tick());  // a 时时彩 kind
    selectKind(4);
    ASSERT_EQ(list().size(), 2u);
    window.controls().setText("编辑框_结果", "333 ");
    ASSERT_TRUE(window.historyUpdater().tick());
    settle();
    EXPECT_EQ(server.requestCount("/next.csv"), 1u);
    ASSERT_EQ(list().size(), 3u);
    EXPECT_EQ(list().front(), (ReportRow{"2025218", "333", "对"}));
    EXPECT_EQ(platform.sounds, (std::vector<std::string>{"jingle", "3", "3", "3"}));

    // A failure is said on the status line, never in a box; nothing new, nothing spoken.
    selectKind(5);
    ASSERT_TRUE(window.historyUpdater().tick());
    settle();
    EXPECT_EQ(window.drawList().status().find("自动更新排列三开奖数据未成功：服务器回答"), 0u)
        << window.drawList().status();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.sounds.size(), 4u);
}

TEST_F(HistoryUpdaterTest, StartUpUpdatesOnlyAnOutdatedHistory) {
    using std::chrono::days;
    const std::chrono::sys_days drawn{std::chrono::year{2025} / 8 / 15};
    ASSERT_TRUE(window.historyUpdater().updateOutdated(drawn + days(1)));  // 排列三 has no draws
    settle();
    EXPECT_EQ(server.requestCount("/next.csv"), 0u);
    EXPECT_EQ(server.requestCount("/gone"), 1u);
    ASSERT_TRUE(window.historyUpdater().updateOutdated(drawn + days(2)));
    settle();
    EXPECT_EQ(server.requestCount("/next.csv"), 1u);
    EXPECT_EQ(history::HistoryDb::open(dbPath).value().count("福彩3D").value(), 3u);
}

// An address that failed at start is left to the player: the tick skips it until
// 更新开奖数据 reads every address again.
TEST_F(HistoryUpdaterTest, AnAddressThatFailedAtStartWaitsForThePlayer) {
    ASSERT_TRUE(window.historyUpdater().updateOutdated(std::chrono::year{2025} / 8 / 16));
    settle();
    ASSERT_EQ(server.requestCount("/gone"), 1u);
    selectKind(5);
    EXPECT_FALSE(window.historyUpdater().tick());
    ASSERT_TRUE(window.historyUpdater().updateAll({}));
    settle();
    EXPECT_EQ(server.requestCount("/gone"), 2u);
    ASSERT_TRUE(window.historyUpdater().tick());
    settle();
    EXPECT_EQ(server.requestCount("/gone"), 3u);
}

TEST_F(HistoryUpdaterTest, ClosingCancelsAHangingAddressWithinASecond) {
    window.drawHosts().historyFiles = {{"福彩3D", {server.base() + "/hang"}}};
    window.historyUpdater().options().totalTimeout = std::chrono::seconds(30);  // only the cancel ends it soon
    selectKind(4);
    ASSERT_TRUE(window.historyUpdater().tick());
    ASSERT_TRUE(WaitUntil([&] { return server.requestCount("/hang") > 0; }));
    window.historyUpdater().close();
    EXPECT_TRUE(window.historyUpdater().shutdown(std::chrono::seconds(1)));
    platform.loop.runPosted();
    EXPECT_EQ(list().size(), 2u);
    EXPECT_TRUE(window.drawList().status().find("自动更新") == std::string::npos);
}

// The window says the corrections of the shipped records once, when its history first
// opens after them.
TEST(DrawHistoryNote, CorrectionsOfTheShippedRecordsAreSaidOnce) {
    TempFolder folder;
    const std::string file = folder.file("h.sqlite"), programDirectory = folder.file("bin");
    {
        auto db = history::HistoryDb::open(file);
        ASSERT_TRUE(db);
        auto earlier = history::ShippedDraws(*history::FindLottery("排列三"), programDirectory);
        earlier[0].number = "928";  // what the earlier edition gave for 2004001
        ASSERT_TRUE(db->offer("排列三", earlier));
    }
    DrawHistory history(file, programDirectory);
    ASSERT_TRUE(history.newest(5, 1));  // 排列三: opens the history
    EXPECT_NE(history.takeNote().find("内置开奖数据更正了排列三 1 期：2004001 928→192"), std::string::npos);
    EXPECT_EQ(history.takeNote(), "");
}

}  // namespace
}  // namespace sanxing
