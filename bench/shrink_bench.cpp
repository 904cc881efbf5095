// Speed of the shrink run: all 54 groups with typical conditions over the universe, every
// list filled with 1,000 lines, and a base text of 1 MB. Each benchmark also reports how
// much the resident memory grew between the first and the last iteration.

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

#include "app/control_table.h"
#include "numbers/failure_table.h"
#include "runtime/control_store.h"
#include "shrink/exclusion_lists.h"
#include "shrink/shrink_run.h"

namespace sanxing {
namespace {

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Typical conditions that make every one of the 54 groups active.
void SetTypicalConditions(ControlStore& store) {
    // Check-box rows that start ticked: one box unticked each (rows 1-4, 8-16).
    for (const char* box : {"选择框_百位7", "选择框_十位3", "选择框_个位0", "选择框_豹子", "选择框_三星路000",
                            "选择框_合尾0", "选择框_跨度0", "选择框_合值00", "选择框_两码00", "选择框_单单单",
                            "选择框_大大大", "选择框_定合变0", "选择框_定合积0"}) {
        store.setTicked(box, false);
    }
    // Banker groups 1-3 (rows 5-7): two bankers, one or two of them must show.
    for (const char* group : {"1", "2", "3"}) {
        const std::string g = group;
        store.setTicked("选择框_胆" + g + "码" + g, true);
        store.setTicked("选择框_胆" + g + "码8", true);
        store.setTicked("选择框_胆" + g + "出1", true);
        store.setTicked("选择框_胆" + g + "出2", true);
    }
    // Junk compound and pair boxes (rows 17-35).
    store.setText("垃圾复试_百位", "01");
    store.setText("垃圾复试_十位", "23");
    store.setText("垃圾复试_个位", "45");
    for (const char* pair : {"百十", "百个", "十个"}) {
        const std::string p = pair;
        store.setText("编辑框_" + p + "和值", ",05,,12,");
        store.setText("编辑框_" + p + "两码", "35,72,");
        store.setText("编辑框_" + p + "跨度", "0 9");
        store.setText("编辑框_" + p + "合尾", "3");
    }
    for (const char* total : {"两码总跨度", "两码总合尾", "两码总积数"}) store.setText(std::string("编辑框_") + total, "0");
    for (const char* total : {"两码总跨度和值", "两码总合尾和值", "两码总积数和值"}) {
        store.setText(std::string("编辑框_") + total, "04,10,");
    }
    // Pair bankers and two-pair sums (rows 36-41).
    for (const char* pair : {"百十", "百个", "十个"}) {
        store.setTicked(std::string("选择框_") + pair + "1", true);
        store.setTicked(std::string("选择框_") + pair + "2", true);
        store.select(std::string("组合框_") + pair + "胆", 1);
    }
    for (const char* panel : {"百十与百个合", "百十与十个合", "百个与十个合"}) {
        store.setTicked(std::string("选择框_") + panel + "0", true);
        store.setTicked(std::string("选择框_") + panel + "出0个", true);
        store.setTicked(std::string("选择框_") + panel + "出1个", true);
    }
    store.setText("编辑框_垃圾大底", "123 456 789 000 ");
    // Exclusion lists and segment groups (rows 43-54): a few lines each.
    store.setText("杀百位", "0\r\n9");
    store.setText("杀十位", "5\r\n6");
    store.setText("杀个位", "4\r\n7");
    store.setText("杀定位", "1\r\n2\r\n3");
    store.setText("杀复式", "123\r\n456\r\n789");
    store.setText("杀大小单双", "单单单\r\n双双双\r\n大大大\r\n小小小");
    store.setText("杀合尾", "0\r\n5");
    store.setText("杀跨度", "0\r\n9");
    store.setText("定胆码组", "0123\r\n4567\r\n89");
    store.setText("杀和值", "01 02 03\r\n25 26 27");
    store.setText("杀二码组合", "01 02\r\n89 99");
    store.setText("段组", "123-456-789\r\n147-258-369=0-1");
    for (const ExclusionList& list : ExclusionLists()) store.setText(list.toleranceCombo, "0-1");
    store.select("组合框_容错", 2);  // 0-2
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
