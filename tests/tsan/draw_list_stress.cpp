// Stress test of the draw list's serial worker, built with ThreadSanitizer: 500 kind
// changes and timer ticks in random order against slow draw sites in memory, with the test's
// main thread playing the UI thread (it runs what the jobs post, edits controls and lets
// the speech timers run). Fails on a race report (TSAN_OPTIONS=halt_on_error=1), a crash,
// a draw list that is ever not sorted newest first, or a run that never listed or spoke a
// draw.

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <random>
#include <string>
#include <thread>

#include "draws/draw_list.h"
#include "draws/draw_pages.h"
#include "draws/draw_sites.h"
#include "net/local_http_server.h"
#include "runtime/control_store.h"
#include "runtime/gbk.h"
#include "runtime/recording_platform.h"
#include "runtime/text.h"
#include "runtime/time_limits.h"

namespace sanxing {
namespace {

using namespace testing;
using namespace std::chrono_literals;

// The controls that the draw list reads and writes.
std::vector<ControlRow> DrawControls() {
    std::vector<ControlRow> table;
    const auto add = [&table](std::string name, ControlKind kind, std::string text = {}) -> ControlRow& {
        ControlRow spec;
        spec.name = std::move(name);
        spec.kind = kind;
        spec.text = std::move(text);
        table.push_back(std::move(spec));
        return table.back();
    };
    ControlRow& kinds = add("组合框_彩种", ControlKind::ComboBox, "重庆时时彩");
    kinds.items = {"重庆时时彩", "江西时时彩", "新疆时时彩", "龙江时时彩"};
    kinds.selected = 0;
    ControlRow& window = add("组合框_验证", ControlKind::ComboBox, "前三验证");
    window.items = {"前三验证", "中三验证", "后三验证"};
    window.selected = 0;
    add("列表框_开奖", ControlKind::ReportList);
    add("选择框_开奖报号", ControlKind::CheckBox).ticked = true;
    add("编辑框_对", ControlKind::EditBox, "对");
    add("编辑框_错", ControlKind::EditBox, "错");
    add("编辑框_结果", ControlKind::EditBox);
    return table;
}

// Every kind's pages, each a few milliseconds late, with a period that moves on at each
// request of a newest draw. The pages of the program's own routine (A, F's trend, H) are
// program text, the others GBK bytes, as the jobs' fetcher gives them.
class SlowPages {
public:
    SiteAnswer operator()(const std::string& path) {
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(path)));
        return answer(path);
    }

private:
    int delay(const std::string& path) const { return static_cast<int>(std::hash<std::string>{}(path) % 7) + 2; }

    static std::string Issue(long period) { return std::to_string(140512000 + period); }
    static std::string Number(long period) {
        std::string digits = std::to_string(10000 + period * 7919 % 90000);
        return digits.substr(digits.size() - 5);
    }
    static std::string Commas(const std::string& number) {
        std::string text;
        for (const char c : number) text += std::string(text.empty() ? "" : ",") + c;
        return text;
    }
    static std::string Spaced(const std::string& number) {
        std::string text;
        for (const char c : number) text += std::string(" ") + c;
        return text + " ";
    }
    std::vector<PageRow> recent(long newest) const {
        std::vector<PageRow> rows;
        for (long p = newest - 5; p <= newest; ++p) rows.push_back({Issue(p), Number(p)});
        return rows;
    }

    SiteAnswer answer(const std::string& path) {
        const bool newest = path.starts_with("/A/") || path == "/F/ssc/" || path.starts_with("/G/");
        const long period = newest ? ++period_ : period_.load();
        if (path.starts_with("/A/")) return FeedPage({{"2" + Issue(period), Commas(Number(period))}});
        if (path.starts_with("/B/trend/")) return Utf8ToGbk(JibenPage(recent(period)));
        if (path.starts_with("/F/trend/")) {
            std::vector<PageRow> rows = recent(period);
            for (PageRow& row : rows) row.number = Spaced(row.number);
            return XinjiangTrendPage(rows);
        }
        if (path == "/F/ssc/") return Utf8ToGbk(XinjiangResultsPage({{Issue(period), Spaced(Number(period))}}));
        if (path.starts_with("/G/")) {
            return Utf8ToGbk(LongjiangHistoryPage(Issue(period).substr(1), Spaced(Number(period))));
        }
        if (path.starts_with("/H/")) return OneDayPage(recent(period));
        return kFails;
    }

    std::atomic<long> period_{1000};
};

bool SortedNewestFirst(const ReportRows& rows) {
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (LeadingInteger(rows[i - 1][0]) < LeadingInteger(rows[i][0])) return false;
    }
    return true;
}

int Run() {
    SlowPages pages;
    DrawSites sites(std::ref(pages));
    RecordingPlatform platform;
    ControlStore controls(DrawControls());
    SessionState session;
    std::mt19937 random(20140512);
    std::size_t checks = 0, ticksTaken = 0, maxRows = 0;
    {
        DrawList draws(controls, platform, session, sites.hosts);
        draws.options().fetch = sites.options.fetch;
        const auto uiTurn = [&]() -> bool {
            platform.loop.runPosted();
            ++checks;
            maxRows = std::max(maxRows, controls.rows("列表框_开奖").size());
            if (SortedNewestFirst(controls.rows("列表框_开奖"))) return true;
            std::fprintf(stderr, "draw list not sorted newest first after %zu checks\n", checks);
            return false;
        };
        for (int step = 0; step < 500; ++step) {
            const unsigned choice = random() % 10;
            if (choice < 3) {
                controls.select("组合框_彩种", static_cast<int>(random() % 4));
                draws.reload();
            } else if (choice < 9) {
                ticksTaken += draws.refresh() ? 1 : 0;
            } else {
                controls.setText("编辑框_结果", std::to_string(random() % 1000) + " ");
                controls.select("组合框_验证", static_cast<int>(random() % 3));
                controls.setTicked("选择框_开奖报号", random() % 2 == 0);
            }
            if (!uiTurn()) return 1;
            if (random() % 4 == 0) platform.loop.runTimers();
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        }
        do {
            if (!draws.waitIdle(kWaitLimit)) {
                std::fprintf(stderr, "the worker did not settle\n");
                return 1;
            }
            if (!uiTurn()) return 1;
        } while (!draws.idle());
        platform.loop.runTimers();
        // Closing while a load runs: cancelled, waited for, its rows dropped.
        draws.reload();
        std::this_thread::sleep_for(3ms);
    }
    platform.loop.runPosted();
    std::printf("%zu checks, %zu ticks taken, %zu clips played, %zu rows at most, %zu at the end\n", checks, ticksTaken,
                platform.sounds.size(), maxRows, controls.rows("列表框_开奖").size());
    if (maxRows == 0 || platform.sounds.empty()) {
        std::fprintf(stderr, "no draw was ever listed or spoken: the stress exercised nothing\n");
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace sanxing

int main() { return sanxing::Run(); }
