// How long the main window takes from nothing to shown, and how much memory the program
// holds then. Runs on the offscreen platform.
//
//   ColdStart: the toolkit and the first window, once, as the program does at start-up;
//              counters ms_to_shown and rss_MB (resident) after it.
//   WindowShown: building and showing another window, toolkit already warm.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <fstream>
#include <string>

#include "bench/proc_status.h"
#include "gui/application.h"
#include "gui/main_window.h"
#include "gui/platform/qt_platform.h"

namespace {

double g_toolkitMs = 0;

void ShowAndWait(sanxing::MainWindow& window) {
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QCoreApplication::processEvents();
}

void ColdStart(benchmark::State& state) {
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        sanxing::QtPlatform platform;
        sanxing::MainWindow window(platform);
        ShowAndWait(window);
        state.counters["ms_to_shown"] = g_toolkitMs + static_cast<double>(clock.nsecsElapsed()) / 1e6;
        state.counters["rss_MB"] = sanxing::bench::StatusMiB("VmRSS:");
    }
}
BENCHMARK(ColdStart)->Iterations(1)->Unit(benchmark::kMillisecond);

void WindowShown(benchmark::State& state) {
    for (auto _ : state) {
        sanxing::QtPlatform platform;
        sanxing::MainWindow window(platform);
        ShowAndWait(window);
    }
    state.counters["peak_rss_MB"] = sanxing::bench::StatusMiB("VmHWM:");
}
BENCHMARK(WindowShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    sanxing::InitialiseToolkit(app);
    g_toolkitMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
