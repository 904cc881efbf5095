// The history window's table over 100,000 draws of one lottery: opening it (the issues
// are read, the first screen of rows shown) and jumping to rows far apart, as dragging
// the scroll bar does.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "gui/history/draw_table_model.h"
#include "history/history_db.h"

namespace sanxing {
namespace {

constexpr int kDraws = 100000;
constexpr int kScreenRows = 30;

struct LargeHistory {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("sanxing_history_model_bench_" + std::to_string(::getpid()));
    std::optional<history::HistoryDb> db;

    LargeHistory() {
        std::filesystem::create_directories(folder);
        db.emplace(std::move(*history::HistoryDb::open(folder / "history.sqlite")));
        std::vector<history::StoredDraw> draws;
        char issue[16], number[8];
        for (int i = 0; i < kDraws; ++i) {
            std::snprintf(issue, sizeof issue, "24%04d%03d", i / 120, i % 120 + 1);
            std::snprintf(number, sizeof number, "%05d", (i * 7919) % 100000);
            draws.push_back({issue, number, "2024-10-12", "draws.txt", ""});
        }
        if (auto recorded = db->record("重庆时时彩", draws); !recorded) throw std::runtime_error(recorded.error());
    }
    ~LargeHistory() {
        db.reset();
        std::filesystem::remove_all(folder);
    }
};

LargeHistory& History() {
    static LargeHistory history;
    return history;
}

void ShowScreen(const DrawTableModel& model, int top) {
    for (int row = top; row < top + kScreenRows && row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            benchmark::DoNotOptimize(model.data(model.index(row, column), Qt::DisplayRole));
        }
    }
}

void BM_OpenHistoryTable(benchmark::State& state) {
    LargeHistory& history = History();
    for (auto _ : state) {
        DrawTableModel model;
        if (!model.show(&*history.db, "重庆时时彩")) state.SkipWithError("history not read");
        ShowScreen(model, 0);
        if (model.rowCount() != kDraws) state.SkipWithError("rows missing");
    }
}
BENCHMARK(BM_OpenHistoryTable)->Unit(benchmark::kMillisecond);

void BM_JumpThroughHistoryTable(benchmark::State& state) {
    LargeHistory& history = History();
    DrawTableModel model;
    if (!model.show(&*history.db, "重庆时时彩")) state.SkipWithError("history not read");
    int top = 0;
    for (auto _ : state) {
        top = (top + 37813) % (kDraws - kScreenRows);  // a screen far from the last one
        ShowScreen(model, top);
    }
}
BENCHMARK(BM_JumpThroughHistoryTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sanxing
