// The draw list and the announcement page in the window: jobs run off the UI thread and
// their results reach the widgets through the event loop; the window stays live.

#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>

#include "draws/announcement_page.h"
#include "draws/draw_hosts.h"
#include "draws/draw_pages.h"
#include "draws/draw_record.h"
#include "draws/draw_sites.h"
#include "gui/platform/process_state.h"
#include "gui/platform/sound_player.h"
#include "gui/platform/startup_hooks.h"
#include "gui_fixture.h"
#include "net/local_http_server.h"
#include "runtime/gbk.h"

namespace sanxing::test {
namespace {

using namespace sanxing::testing;
using namespace std::chrono_literals;

// Takes the links that the view hands to the system's browser.
class LinkCatcher final : public QObject {
    Q_OBJECT
public:
    LinkCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open"); }
    ~LinkCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

// Measures how long the event loop goes without handling a timer event: the window's
// response time while something heavy happens.
class EventLatencyProbe {
public:
    EventLatencyProbe() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (last_.isValid()) worst_ = std::max(worst_, last_.elapsed());
            last_.restart();
        });
        timer_.start();
    }
    qint64 worstMs() const { return worst_; }

private:
    QTimer timer_;
    QElapsedTimer last_;
    qint64 worst_ = 0;
};

// Tables nested `depth` deep: under 1 KB at 24 levels, it froze the window for seconds.
std::string NestedTables(int depth) {
    std::string page = "<html><body><p>公告</p>";
    for (int i = 0; i < depth; ++i) page += "<table><tr><td>";
    page += "底";
    for (int i = 0; i < depth; ++i) page += "</td></tr></table>";
    return page + "</body></html>";
}

constexpr std::string_view kJibenCq = "trend/cqssc/jiben-5xing.html?periodNumber=100";
constexpr std::string_view kJibenJx = "trend/jxssc/jiben-5xing.html?periodNumber=100";

// The draw sites in memory (site B only); the announcement page from a local server.
class DrawView : public GuiTest {
protected:
    DrawView()
        : server([](const Request& r) {
              if (r.path == "/ads/3ssgg/cq.htm") {
                  return Ok(Utf8ToGbk("<html><body><p>本站公告</p><a href=\"next.htm\">下一页</a></body></html>"));
              }
              return HttpReply(404, "Not Found", "");
          }) {
        sites.serveGbk('B', kJibenCq,
                       JibenPage({{"140512020", "00000"}, {"140512021", "11111"}, {"140512022", "22222"}}));
    }

    void SetUp() override {
        GuiTest::SetUp();
        window->model().drawHosts().sites['B' - 'A'] = sites.hosts.sites['B' - 'A'];
        window->model().drawList().options().fetch = sites.options.fetch;
        window->model().drawList().options().http.totalTimeout = 2s;
    }

    QTreeWidget* list() { return widget<QTreeWidget>("列表框_开奖"); }
    QTextBrowser* browser() { return widget<QTextBrowser>("超文本浏览框"); }
    QLabel* status() { return window->findChild<QLabel*>(QStringLiteral("开奖状态")); }
    void chooseKind(int kind) {
        auto* kinds = widget<QComboBox>("组合框_彩种");
        kinds->setCurrentIndex(kind);
        emit kinds->activated(kind);
    }

    DrawSites sites;
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

TEST_F(DrawView, NestingBombsNeitherFreezeNorCrashTheWindow) {
    for (const int depth : {30, 3'000}) {
        const std::string bomb = Utf8ToGbk(NestedTables(depth));
        LocalHttpServer ads([&](const Request&) { return Ok(bomb); });
        window->model().drawHosts().announcement = ads.base();
        EventLatencyProbe probe;
        window->model().announcement().load(AnnouncementAddress(window->model().drawHosts()));
        EXPECT_TRUE(browser()->toPlainText().contains(QStringLiteral("正在载入公告")));
        ASSERT_TRUE(WaitFor([this] {
            return browser()->toPlainText().contains(QStringLiteral("公告")) &&
                   !browser()->toPlainText().contains(QStringLiteral("正在载入"));
        }));
        // What lies deeper than the parser's nesting limit is dropped.
        EXPECT_EQ(browser()->toPlainText().contains(QStringLiteral("底")), depth == 30);
        QTest::qWait(50);
        EXPECT_LT(probe.worstMs(), 100) << depth << " levels";
        RecordProperty("worst_event_gap_ms_" + std::to_string(depth), static_cast<int>(probe.worstMs()));
    }
}

TEST_F(DrawView, AKindChangeDropsTheOldRowsAndLoadsTheNewKindAtOnce) {
    sites.serve('B', kJibenJx, {kHangs});
    window->model().drawList().options().http.totalTimeout = 30s;
    window->created();  // 重庆: three rows
    ASSERT_TRUE(WaitFor([this] { return list()->topLevelItemCount() == 3; }));
    EXPECT_FALSE(status()->isVisible());
    const QRect listPlace = list()->geometry();

    // 江西 hangs: the 重庆 rows go at once, and the list says it is loading.
    chooseKind(1);
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_TRUE(status()->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(list()->geometry(), listPlace) << "the line under the list keeps its room";
    EXPECT_EQ(status()->height(), status()->fontMetrics().height() + 2);
    EXPECT_TRUE(status()->text().contains(QStringLiteral("正在载入江西时时彩")));
    ASSERT_TRUE(WaitFor([&] { return sites.requests('B', kJibenJx) > 0; }));

    // Back to 重庆 while the 江西 request hangs: its first request goes out at once.
    QElapsedTimer clock;
    clock.start();
    chooseKind(0);
    ASSERT_TRUE(WaitFor([this] { return list()->topLevelItemCount() == 3; }));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(status()->isVisible());

    // And the other way: 江西's request goes out at once behind a hanging 重庆 load.
    sites.serve('B', kJibenCq, {kHangs});
    const std::size_t chongqingAsked = sites.requests('B', kJibenCq);
    chooseKind(0);
    ASSERT_TRUE(WaitFor([&] { return sites.requests('B', kJibenCq) > chongqingAsked; }));
    clock.restart();
    chooseKind(1);
    ASSERT_TRUE(WaitFor([&] { return sites.requests('B', kJibenJx) > 1; }));
    EXPECT_LT(clock.elapsed(), 1000);
    RecordProperty("kind_change_to_first_request_ms", static_cast<int>(clock.elapsed()));
}

TEST_F(DrawView, WithoutSourcesTheDrawAreaSaysWhatToConfigureAndWhere) {
    window->model().drawHosts() = LoadConfiguredDrawHosts("/nonexistent/sanxing/sources.json");
    window->created();
    ASSERT_TRUE(WaitFor([this] { return status()->text().contains(QStringLiteral("未配置开奖数据源")); }));
    EXPECT_TRUE(status()->text().contains(QStringLiteral("/nonexistent/sanxing/sources.json")));
    EXPECT_TRUE(browser()->toPlainText().contains(QStringLiteral("欢迎使用")));

    const auto broken = std::filesystem::temp_directory_path() / "sanxing-broken-sources.json";
    std::ofstream(broken) << "{\"A\": 1";
    window->model().drawHosts() = LoadConfiguredDrawHosts(broken.string());
    chooseKind(1);
    ASSERT_TRUE(WaitFor([this] { return status()->text().contains(QStringLiteral("无法使用")); }));
    EXPECT_TRUE(status()->text().contains(QString::fromStdString(broken.string())));
    std::filesystem::remove(broken);
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
    sites.serve('B', kJibenCq, {kHangs});
    window->model().drawList().options().http.totalTimeout = 30s;
    window->created();
    ASSERT_TRUE(WaitFor([this] { return sites.requests('B', kJibenCq) > 0; }));
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
