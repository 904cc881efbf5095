// The draw-list events of the window: a kind change reloads the list, a timer tick tops
// it up. Jobs run to completion here; the window runs them off the UI thread.

#include <gtest/gtest.h>

#include "app/window_model.h"
#include "draw_pages.h"
#include "draws/draw_record.h"
#include "local_http_server.h"
#include "runtime/gbk.h"

namespace sanxing {
namespace {

using namespace testing;

class NoPlatform final : public Platform {
public:
    MessageAnswer messageBox(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    void setClipboardText(const std::string&) override {}
    std::string programDirectory() override { return {}; }
};

TEST(DrawBindings, KindChangeReloadsAndTickTopsUp) {
    LocalHttpServer server([](const Request& r) {
        if (r.path.starts_with("/trend/cqssc/jiben-5xing.html")) {
            return Ok(Utf8ToGbk(JibenPage({{"140512020", "00000"}, {"140512021", "11111"}, {"140512022", "22222"}})));
        }
        if (r.path.starts_with("/static/ssc/newlyopenlist.xml")) {
            return Ok(FeedPage({{"20140512023", "3,3,3,3,3"}, {"20140512022", "2,2,2,2,2"}}));
        }
        return HttpReply(404, "Not Found", "");
    });
    NoPlatform platform;
    WindowModel window(platform);
    window.drawHosts().sites['A' - 'A'] = server.base();
    window.drawHosts().sites['B' - 'A'] = server.base() + "/";

    window.selectItem("组合框_彩种", 0);
    const ReportRows& rows = window.controls().rows(kDrawList);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (ReportRow{"140512022", "22222", ""}));
    // The load's newest draw counts as reported and handled.
    EXPECT_EQ(window.session().lastDrawNumber, "22222");
    EXPECT_EQ(window.session().handledDrawNumber, "22222");

    window.tick("时钟_开奖更新");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (ReportRow{"140512023", "33333", ""}));
    EXPECT_EQ(window.session().lastDrawNumber, "33333");
    EXPECT_EQ(window.session().handledDrawNumber, "22222");
}

}  // namespace
}  // namespace sanxing
