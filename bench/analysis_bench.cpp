// Speed of the back-test and the trend figures over 10,000 draws, with all 54 condition
// groups active and a base of 500 numbers.

#include <benchmark/benchmark.h>

#include <random>

#include "analysis/backtest.h"
#include "analysis/trend.h"
#include "numbers/set_text.h"
#include "typical_conditions.h"
#include "window/control_table.h"

namespace sanxing::analysis {
namespace {

std::vector<AnalysedDraw> RandomDraws(std::size_t count) {
    std::mt19937 random(7);
    std::vector<Draw> draws;
    for (std::size_t i = 0; i < count; ++i) {
        std::string number;
        for (int d = 0; d < 5; ++d) number += static_cast<char>('0' + random() % 10);
        draws.push_back({std::to_string(20240000000 + i), number});
    }
    return AnalyseDraws(draws, 5, Position::Front).draws;
}

ControlStore TypicalStore() {
    ControlStore store(ControlTable());
    SetTypicalConditions(store);
    std::string base;
    for (int n = 0; n < 1000; n += 2) base += NumberText(n) + ' ';
    store.setText("编辑框_大底", base);
    return store;
}

// The failure table once from the controls, as a run does before looking at the draws.
void BM_Conditions(benchmark::State& state) {
    const ControlStore store = TypicalStore();
    for (auto _ : state) benchmark::DoNotOptimize(Conditions::FromControls(store));
}
BENCHMARK(BM_Conditions)->Unit(benchmark::kMillisecond);

void BM_Backtest10000Draws(benchmark::State& state) {
    const ControlStore store = TypicalStore();
    const Conditions conditions = Conditions::FromControls(store);
    if (conditions.groupCount() != 54) state.SkipWithError("not all 54 groups are active");
    const std::vector<AnalysedDraw> draws = RandomDraws(10000);
    for (auto _ : state) benchmark::DoNotOptimize(RunBacktest(conditions, draws));
}
BENCHMARK(BM_Backtest10000Draws)->Unit(benchmark::kMillisecond);

void BM_Trend10000Draws(benchmark::State& state) {
    const std::vector<AnalysedDraw> draws = RandomDraws(10000);
    for (auto _ : state) benchmark::DoNotOptimize(ComputeTrend(draws));
}
BENCHMARK(BM_Trend10000Draws)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sanxing::analysis
