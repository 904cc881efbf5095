// Speed of the shrink run: all 54 groups with typical conditions over the universe, every
// list filled with 1,000 lines, and a base text of 1 MB. Each benchmark also reports how
// much the resident memory grew between the first and the last iteration.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <fstream>
#include <random>
#include <string>

#include "numbers/failure_table.h"
#include "runtime/control_store.h"
#include "shrink/exclusion_lists.h"
#include "shrink/shrink_run.h"
#include "typical_conditions.h"
#include "window/control_table.h"

namespace sanxing {
namespace {

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Lines that look like what people type into each list, all different.
std::string ListLines(std::string_view box, int count, std::mt19937& random) {
    auto digit = [&] { return static_cast<char>('0' + random() % 10); };
    const char* shapes[] = {"单", "双", "大", "小"};
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i) text += "\r\n";
        if (box == "杀大小单双") {
            for (int k = 0; k < 3; ++k) text += shapes[random() % 4];
        } else if (box == "杀和值" || box == "杀二码组合") {
            for (int k = 0; k < 3; ++k) text += std::string{digit(), digit(), ' '};
        } else if (box == "段组") {
            for (int k = 0; k < 3; ++k) text += std::string{digit(), digit(), digit(), k < 2 ? '-' : '='};
            text += "0-" + std::to_string(random() % 3);
        } else {
            for (int k = 0; k < 3; ++k) text += digit();
        }
    }
    return text;
}

template <typename Setup>
void RunShrinkBenchmark(benchmark::State& state, Setup setup) {
    ControlStore store(ControlTable());
    SetTypicalConditions(store);
    setup(store);
    FailureTable table;
    // Warm-up: static tables, and the result text allocated beside the previous one.
    RunShrink(store, table);
    RunShrink(store, table);
    const long before = ResidentKilobytes();
    for (auto _ : state) {
        RunShrink(store, table);
        benchmark::DoNotOptimize(store.text("编辑框_结果").data());
    }
    state.counters["rows"] = static_cast<double>(table.rowCount());
    state.counters["rss_growth_kb"] = static_cast<double>(ResidentKilobytes() - before);
}

void BM_FullRunTypicalConditions(benchmark::State& state) {
    RunShrinkBenchmark(state, [](ControlStore&) {});
}
BENCHMARK(BM_FullRunTypicalConditions)->Unit(benchmark::kMicrosecond);

void BM_EveryListWith1000Lines(benchmark::State& state) {
    RunShrinkBenchmark(state, [](ControlStore& store) {
        std::mt19937 random(1);
        for (const ExclusionList& list : ExclusionLists()) store.setText(list.box, ListLines(list.box, 1000, random));
        store.setText("段组", ListLines("段组", 1000, random));
        for (const ExclusionList& list : ExclusionLists()) store.setText(list.toleranceCombo, "0-9");
        store.setText("组合框_段组容错", "0-9");
    });
}
BENCHMARK(BM_EveryListWith1000Lines)->Unit(benchmark::kMillisecond);

// The worst case of the shape list: every line holds other CJK text, so each line's
// bytes are cut from its GBK form.
void BM_ShapeListWith1000CjkLines(benchmark::State& state) {
    RunShrinkBenchmark(state, [](ControlStore& store) {
        std::string text;
        for (int i = 0; i < 1000; ++i) text += "第" + std::to_string(i) + "行大小单\r\n";
        store.setText("杀大小单双", text);
    });
}
BENCHMARK(BM_ShapeListWith1000CjkLines)->Unit(benchmark::kMillisecond);

void BM_BaseTextOf1MB(benchmark::State& state) {
    RunShrinkBenchmark(state, [](ControlStore& store) {
        std::mt19937 random(2);
        std::string base;
        while (base.size() < (1 << 20)) {
            const int n = static_cast<int>(random() % 1000);
            base += {static_cast<char>('0' + n / 100), static_cast<char>('0' + n / 10 % 10),
                     static_cast<char>('0' + n % 10), ' '};
        }
        store.setText("编辑框_大底", base);
    });
}
BENCHMARK(BM_BaseTextOf1MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sanxing
