// Rows 1 to 26 of the shrink run: every group active at once, and one edit-box group
// scanning a pasted text of 1 MB.

#include <benchmark/benchmark.h>

#include "numbers/failure_table.h"
#include "runtime/control_store.h"
#include "shrink/pair_kill_boxes.h"
#include "shrink/shrink_run.h"
#include "window/control_table.h"

namespace sanxing {
namespace {

void ActivateSelectionGroups(ControlStore& store) {
    for (const char* box : {"选择框_百位1", "选择框_十位2", "选择框_个位3", "选择框_豹子", "选择框_三星路012",
                            "选择框_合尾0", "选择框_跨度0", "选择框_合值05", "选择框_两码19", "选择框_单单单",
                            "选择框_大大大", "选择框_定合变0", "选择框_定合积0"}) {
        store.setTicked(box, false);
    }
    for (const char* panel : {"1", "2", "3"}) {
        store.setTicked(std::string("选择框_胆") + panel + "码5", true);
        store.setTicked(std::string("选择框_胆") + panel + "出1", true);
    }
    for (const char* box : {"垃圾复试_百位", "垃圾复试_十位", "垃圾复试_个位", "编辑框_百十和值", "编辑框_百个和值",
                            "编辑框_十个和值", "编辑框_百十两码", "编辑框_百个两码", "编辑框_十个两码",
                            "编辑框_两码总跨度", "编辑框_两码总合尾", "编辑框_两码总积数"}) {
        store.setText(box, ",05,,12,");
    }
}

void BM_SelectionGroupsAllActive(benchmark::State& state) {
    ControlStore store{ControlTable()};
    ActivateSelectionGroups(store);
    FailureTable table;
    for (auto _ : state) {
        BuildFailureTable(store, table);
        benchmark::DoNotOptimize(table.rowCount());
    }
}
BENCHMARK(BM_SelectionGroupsAllActive);

void BM_PairSumBoxWithPastedMegabyte(benchmark::State& state) {
    ControlStore store{ControlTable()};
    std::string text;
    while (text.size() < (1u << 20)) text += "中文 05,\r\n1234,";
    store.setText("编辑框_百十和值", text);
    for (auto _ : state) benchmark::DoNotOptimize(HundredsTensSumGroup(store));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_PairSumBoxWithPastedMegabyte);

}  // namespace
}  // namespace sanxing
