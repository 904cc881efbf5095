// The trend grid over 10,000 draws on the offscreen platform: loading the whole range
// (database, figures, model, scrolled to the newest), loading the newest 30 (whose omission
// still counts back through all 10,000), and painting the grid after a jump to another
// place, which is what scrolling costs (also with 连线 on the pattern grid).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <random>

#include "gui/analysis/range_bar.h"
#include "gui/application.h"
#include "gui/platform/qt_platform.h"
#include "gui/trend/trend_dialog.h"
#include "gui/trend/trend_grid_model.h"
#include "gui/trend/trend_grid_view.h"
#include "history/history_db.h"

namespace {

constexpr int kDraws = 10000;

std::filesystem::path MakeHistory(const QTemporaryDir& folder) {
    const std::filesystem::path file = folder.filePath(QStringLiteral("history.sqlite")).toStdString();
    auto db = sanxing::history::HistoryDb::open(file);
    std::mt19937 random(5);
    std::vector<sanxing::history::StoredDraw> draws;
    for (int i = 0; i < kDraws; ++i) {
        std::string number;
        for (int d = 0; d < 3; ++d) number += static_cast<char>('0' + random() % 10);
        draws.push_back({std::to_string(1990001 + i / 365 * 1000 + i % 365), number, "", "bench", ""});
    }
    if (!db || !db->record("福彩3D", draws)) std::abort();
    return file;
}

struct Fixture {
    QTemporaryDir folder;
    std::filesystem::path database = MakeHistory(folder);
    sanxing::QtPlatform platform;
    sanxing::HistorySession history{database};
    sanxing::TrendDialog dialog{platform, history};

    Fixture() {
        dialog.rangeBar().setLottery(4);
        dialog.rangeBar().setAll();
        dialog.show();
        QApplication::processEvents();
    }
};

void TrendReload10000(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.dialog.reload();
        QApplication::processEvents();
    }
    state.counters["rows"] = f.dialog.gridModel().rowCount();
}
BENCHMARK(TrendReload10000)->Unit(benchmark::kMillisecond);

void TrendReloadNewest30Of10000(benchmark::State& state) {
    Fixture f;
    f.dialog.rangeBar().setNewest(30);
    for (auto _ : state) {
        f.dialog.reload();
        QApplication::processEvents();
    }
    state.counters["rows"] = f.dialog.gridModel().rowCount();
}
BENCHMARK(TrendReloadNewest30Of10000)->Unit(benchmark::kMillisecond);

// Argument: the tab (0 号码走势, 1 形态走势, the grid with the most 连线) and whether 连线 is on.
void TrendScrollPaint10000(benchmark::State& state) {
    Fixture f;
    const int tab = static_cast<int>(state.range(0));
    f.dialog.showTab(tab);
    f.dialog.grid(tab)->setJoined(state.range(1) != 0);
    QApplication::processEvents();
    QScrollBar* bar = f.dialog.grid(tab)->verticalScrollBar();
    std::mt19937 random(9);
    for (auto _ : state) {
        bar->setValue(static_cast<int>(random() % (bar->maximum() + 1)));
        f.dialog.grid(tab)->viewport()->repaint();
    }
}
BENCHMARK(TrendScrollPaint10000)->Args({0, 0})->Args({1, 1})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    sanxing::InitialiseToolkit(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
