// Updating the history from the draw-file addresses of sources.json, against the local
// HTTP server: every bad answer is one line of the report and stores nothing.

#include "draws/history_update.h"

#include <gtest/gtest.h>

#include "history/draw_import.h"
#include "history/history_db.h"
#include "net/local_http_server.h"
#include "runtime/temp_folder.h"

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
    return HttpReply(404, "Not Found", "no such file");
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
    std::vector<std::string> urls;
    for (const char* path :
         {"/new.csv", "/conflicts.csv", "/five.csv", "/page.html", "/huge", "/loop", "/hang", "/gone"})
        urls.push_back(server.base() + path);
    hosts.historyFiles = {{"福彩3D", urls}};
    HttpOptions options;
    options.totalTimeout = std::chrono::milliseconds(1500);

    const auto updates = UpdateHistory(*db, hosts, options);
    ASSERT_EQ(updates.size(), urls.size());
    EXPECT_EQ(UpdateLine(updates[0]), "福彩3D " + urls[0] + "：新增 2 期，已有 1 期，冲突 0 期");
    EXPECT_EQ(updates[1].conflicts, 2u);
    EXPECT_EQ(updates[1].added, 0u);
    for (std::size_t i = 2; i < updates.size(); ++i) {
        EXPECT_FALSE(updates[i].error.empty()) << urls[i];
        EXPECT_EQ(updates[i].added, 0u) << urls[i];
    }
    EXPECT_EQ(db->count("福彩3D").value(), 3u);
    EXPECT_EQ(db->between("福彩3D", "2025216", "2025216").value()[0].number, "111");  // never replaced
}

}  // namespace
}  // namespace sanxing
