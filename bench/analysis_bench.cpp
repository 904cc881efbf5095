// Speed of the back-test (with its p-values, years and money) and the trend figures over
// 10,000 draws, with all 54 condition groups active and a base of 500 numbers.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

#include "analysis/backtest.h"
#include "analysis/money.h"
#include "analysis/trend.h"
#include "analysis/years.h"
#include "numbers/set_text.h"
#include "typical_conditions.h"
#include "window/control_table.h"

namespace sanxing::analysis {
namespace {

// 重庆时时彩 draws, 120 a day over 28 days a month: YYMMDDNNN issues over about three years.
std::vector<AnalysedDraw> RandomDraws(std::size_t count) {
    std::mt19937 random(7);
    std::vector<Draw> draws;
    for (std::size_t i = 0; i < count; ++i) {
        std::string number;
        for (int d = 0; d < 5; ++d) number += static_cast<char>('0' + random() % 10);
        const std::size_t day = i / 120, month = day / 28;
        char issue[16];
        std::snprintf(issue, sizeof issue, "%02zu%02zu%02zu%03zu", 22 + month / 12, 1 + month % 12, 1 + day % 28,
                      1 + i % 120);
        draws.push_back({issue, number});
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

// What a rerun of 历史验证 computes beside the back-test: the years, the money and the
// running net of its chart.
void BM_BacktestFigures10000Draws(benchmark::State& state) {
    const ControlStore store = TypicalStore();
    const Conditions conditions = Conditions::FromControls(store);
    const std::vector<AnalysedDraw> draws = RandomDraws(10000);
    const history::Lottery& lottery = *history::FindLottery("重庆时时彩");
    for (auto _ : state) {
        const Backtest backtest = RunBacktest(conditions, draws);
        benchmark::DoNotOptimize(FiguresByYear(backtest, lottery));
        benchmark::DoNotOptimize(MoneyOf(backtest, DefaultPrices(lottery)));
        benchmark::DoNotOptimize(RunningNet(backtest, DefaultPrices(lottery)));
    }
}
BENCHMARK(BM_BacktestFigures10000Draws)->Unit(benchmark::kMillisecond);

void BM_Trend10000Draws(benchmark::State& state) {
    const std::vector<AnalysedDraw> draws = RandomDraws(10000);
    for (auto _ : state) benchmark::DoNotOptimize(ComputeTrend(draws));
}
BENCHMARK(BM_Trend10000Draws)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sanxing::analysis
