// The announcement page: fetched and made safe off the UI thread, a loading note
// meanwhile, the built-in page (saying why) when there is no address or the fetch fails.

#include "draws/announcement_page.h"

#include <gtest/gtest.h>

#include "net/local_http_server.h"
#include "runtime/gbk.h"
#include "runtime/recording_platform.h"
#include "runtime/time_limits.h"

namespace sanxing {
namespace {

using namespace testing;
using namespace std::chrono_literals;

TEST(AnnouncementAddress, JoinsTheBaseAndThePage) {
    DrawHosts hosts;
    EXPECT_EQ(AnnouncementAddress(hosts), "");
    hosts.announcement = "http://ads.example";
    EXPECT_EQ(AnnouncementAddress(hosts), "http://ads.example/3ssgg/cq.htm");
    hosts.announcement = "http://ads.example/news//";
    EXPECT_EQ(AnnouncementAddress(hosts), "http://ads.example/news/3ssgg/cq.htm");
}

TEST(AnnouncementStatus, OnlyTwoHundredsSucceed) {
    EXPECT_TRUE(IsSuccessStatus("HTTP/1.1 200 OK\r\n"));
    EXPECT_TRUE(IsSuccessStatus("HTTP/2 204 \r\n"));
    EXPECT_FALSE(IsSuccessStatus("HTTP/1.1 404 Not Found\r\n"));
    EXPECT_FALSE(IsSuccessStatus(""));
    EXPECT_FALSE(IsSuccessStatus("garbage 200"));
}

class AnnouncementPageTest : public ::testing::Test {
protected:
    AnnouncementPageTest() {
        page.options().connectTimeout = 300ms;
        page.options().totalTimeout = 600ms;
        page.setListener(
            [this](const std::string& html, const std::string& address) { shown.push_back(address + "|" + html); });
    }
    void settle() {
        ASSERT_TRUE(page.waitIdle(kWaitLimit));
        platform.loop.runPosted();
    }
    bool showsBuiltIn(std::string_view headline) const {
        return page.html() == BuiltInAnnouncementPage(headline) && page.address().empty();
    }
    bool showsLoading() const { return page.html().find(kAnnouncementLoading) != std::string::npos; }

    RecordingPlatform platform;
    AnnouncementPage page{platform};
    std::vector<std::string> shown;
};

TEST_F(AnnouncementPageTest, WithoutAnAddressTheBuiltInPageShowsAtOnce) {
    page.load("");
    EXPECT_TRUE(showsBuiltIn({}));
    ASSERT_EQ(shown.size(), 1u);
    // A welcome for players, in the order of the work; the set-up of sources.json is
    // the help's.
    const std::string& html = page.html();
    EXPECT_LT(html.find("大底"), html.find("条件"));
    EXPECT_LT(html.find("条件"), html.find("点“缩水”"));
    EXPECT_EQ(html.find("sources.json"), std::string::npos);
    EXPECT_EQ(html.find("在右侧"), std::string::npos);
    EXPECT_NE(SourcesNotes(DefaultDrawHostsPath()).find("\"announcement\""), std::string::npos);
}

TEST_F(AnnouncementPageTest, TheFetchedPageArrivesOnTheUiThread) {
    LocalHttpServer server([](const Request& r) {
        if (r.path == "/3ssgg/cq.htm") return Ok(Utf8ToGbk("<html><body><a href=\"x.htm\">公告</a></body></html>"));
        return HttpReply(404, "Not Found", "");
    });
    const std::string address = server.base() + "/3ssgg/cq.htm";
    page.load(address);
    EXPECT_TRUE(showsLoading());
    settle();
    EXPECT_EQ(page.address(), address);
    EXPECT_NE(page.html().find("公告"), std::string::npos);  // GBK page, shown as program text
    // A listener set later hears of the page at once.
    std::string late;
    page.setListener([&late](const std::string&, const std::string& a) { late = a; });
    EXPECT_EQ(late, address);
}

TEST_F(AnnouncementPageTest, AFailedFetchShowsTheBuiltInPage) {
    LocalHttpServer server([](const Request&) { return HttpReply(404, "Not Found", "<html>missing</html>"); });
    page.load(server.base() + "/3ssgg/cq.htm");
    settle();
    EXPECT_TRUE(showsBuiltIn(kAnnouncementUnavailable));
    RefusingPort refusing;
    page.load(refusing.base() + "/3ssgg/cq.htm");
    settle();
    EXPECT_TRUE(showsBuiltIn(kAnnouncementUnavailable));
    EXPECT_EQ(shown.size(), 4u);  // each time the loading note, then the built-in page
}

TEST_F(AnnouncementPageTest, ClosingDropsAPageStillOnItsWay) {
    LocalHttpServer server([](const Request&) { return Silent(); });
    page.options().totalTimeout = 30s;
    page.load(server.base() + "/3ssgg/cq.htm");
    ASSERT_TRUE(WaitUntil([&] { return server.requestCount() > 0; }));
    page.shutdown();
    platform.loop.runPosted();
    EXPECT_TRUE(showsLoading());
}

TEST_F(AnnouncementPageTest, ASilentHostIsGivenUpAfterItsBudget) {
    LocalHttpServer server([](const Request&) { return Silent(); });
    page.options().totalTimeout = 800ms;  // 10 s in the window
    page.load(server.base() + "/3ssgg/cq.htm");
    settle();
    EXPECT_TRUE(showsBuiltIn(kAnnouncementUnavailable));
}

}  // namespace
}  // namespace sanxing
