// The draw list and the announcement page in the window: jobs run off the UI thread and
// their results reach the widgets through the event loop; the window stays live.

#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include "app/qt/process_state.h"
#include "app/qt/sound_player.h"
#include "app/qt/startup_hooks.h"
#include "draws/draw_pages.h"
#include "draws/draw_record.h"
#include "draws/local_http_server.h"
#include "gui_fixture.h"
#include "runtime/gbk.h"

namespace sanxing::test {
namespace {

using namespace sanxing::testing;
using namespace std::chrono_literals;

// Takes the links that the view hands to the system's browser.
class LinkCatcher final : public QObject {
    Q_OBJECT
public:
    LinkCatcher() {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
    }
    ~LinkCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

class DrawView : public GuiTest {
protected:
    DrawView()
        : server([](const Request& r) {
              if (r.path == "/B/trend/cqssc/jiben-5xing.html?periodNumber=100") {
                  return Ok(Utf8ToGbk(
                      JibenPage({{"140512020", "00000"}, {"140512021", "11111"}, {"140512022", "22222"}})));
              }
              if (r.path == "/ads/3ssgg/cq.htm") {
                  return Ok(Utf8ToGbk("<html><body><p>本站公告</p><a href=\"next.htm\">下一页</a></body></html>"));
              }
              return HttpReply(404, "Not Found", "");
          }) {}

    void SetUp() override {
        GuiTest::SetUp();
        window->model().drawHosts().sites['B' - 'A'] = server.base() + "/B/";
        window->model().drawList().options().http.totalTimeout = 2s;
    }

    QTreeWidget* list() { return widget<QTreeWidget>("列表框_开奖"); }
    QTextBrowser* browser() { return widget<QTextBrowser>("超文本浏览框"); }

    LocalHttpServer server;
};

TEST_F(DrawView, StartUpFillsTheListAndShowsTheBuiltInPage) {
    window->created();
    ASSERT_TRUE(WaitFor([this] { return list()->topLevelItemCount() == 3; }));
    EXPECT_EQ(list()->topLevelItem(0)->text(0), "140512022");
    EXPECT_EQ(list()->topLevelItem(0)->text(1), "22222");
    EXPECT_EQ(window->model().session().handledDrawNumber, "22222");
    // No announcement address: the usage notes.
    EXPECT_TRUE(browser()->toPlainText().contains(QStringLiteral("缩水")));
}

TEST_F(DrawView, TheAnnouncementPageIsFetchedAndItsLinksGoToTheBrowser) {
    LinkCatcher catcher;
    window->model().drawHosts().announcement = server.base() + "/ads";
    window->created();
    ASSERT_TRUE(WaitFor([this] { return browser()->toPlainText().contains(QStringLiteral("本站公告")); }));
    EXPECT_EQ(store().text("超文本浏览框"), server.base() + "/ads/3ssgg/cq.htm");
    emit browser()->anchorClicked(QUrl(QStringLiteral("next.htm")));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0].toString().toStdString(), server.base() + "/ads/3ssgg/next.htm");
    EXPECT_TRUE(browser()->toPlainText().contains(QStringLiteral("本站公告")));  // the view stays
}

TEST_F(DrawView, AKindChangeFromTheComboReloadsWhileTheWindowStaysLive) {
    auto* kinds = widget<QComboBox>("组合框_彩种");
    kinds->setCurrentIndex(1);
    emit kinds->activated(1);  // 江西: nothing is served, the list is emptied
    kinds->setCurrentIndex(0);
    emit kinds->activated(0);  // replaces the waiting 江西 load, or follows it
    ASSERT_TRUE(WaitFor([this] { return list()->topLevelItemCount() == 3; }));
    closeAdPanel();
    EXPECT_FALSE(widget("图片框28")->isVisible());
    EXPECT_TRUE(widget<QTabWidget>("高级选择夹1")->isVisible());
}

TEST_F(DrawView, ClosingTheWindowCancelsARunningLoadInTime) {
    LocalHttpServer silent([](const Request&) { return Silent(); });
    window->model().drawHosts().sites['B' - 'A'] = silent.base() + "/B/";
    window->model().drawList().options().http.totalTimeout = 30s;
    window->created();
    ASSERT_TRUE(WaitFor([&silent] { return silent.requestCount() > 0; }));
    QElapsedTimer clock;
    clock.start();
    window->close();
    EXPECT_LT(clock.elapsed(), 2100);
    EXPECT_TRUE(window->model().drawList().idle());
}

TEST(SoundClips, TheBuiltInClipsAreShortPcmWaves) {
    ProcessState state;
    LoadSoundClips(state);
    ASSERT_EQ(state.soundClips.size(), 11u);
    qsizetype total = 0;
    for (const auto& bytes : state.soundClips) {
        const auto clip = ParseWav(bytes);
        ASSERT_TRUE(clip.has_value());
        EXPECT_EQ(clip->sampleRate, 16000);
        EXPECT_EQ(clip->channels, 1);
        EXPECT_EQ(clip->bitsPerSample, 16);
        // Each fits in one 380 ms step of an announcement (the jingle gets two).
        EXPECT_LE(clip->samples.size(), 16000 * 2 * 760 / 1000);
        total += clip->samples.size();
    }
    EXPECT_LT(total, 1 << 20);
}

TEST(SoundClips, BrokenWavesAreRefused) {
    EXPECT_FALSE(ParseWav({}).has_value());
    std::vector<std::uint8_t> bytes(44, 0);
    EXPECT_FALSE(ParseWav(bytes).has_value());
    ProcessState state;
    LoadSoundClips(state);
    std::vector<std::uint8_t> cut = state.soundClips[1];
    cut.resize(cut.size() / 2);  // the data chunk now claims more than there is
    EXPECT_FALSE(ParseWav(cut).has_value());
    std::vector<std::uint8_t> compressed = state.soundClips[1];
    compressed[20] = 2;  // not PCM
    EXPECT_FALSE(ParseWav(compressed).has_value());
}

TEST(SoundClips, PlayingWithoutAnOutputOrClipsDoesNothing) {
    ProcessState state;
    LoadSoundClips(state);
    QtPlatform platform;
    platform.playSound("jingle");  // no clip table yet
    EXPECT_FALSE(platform.soundPlaying());
    platform.setSoundClips(&state.soundClips);
    platform.playSound("5");
    platform.playSound("no such clip");  // cuts off "5" and plays nothing
    EXPECT_FALSE(platform.soundPlaying());
    platform.playSound("5");
    platform.stopSounds();
    EXPECT_FALSE(platform.soundPlaying());
}

}  // namespace
}  // namespace sanxing::test

#include "draw_view_test.moc"
