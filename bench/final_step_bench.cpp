// The final step of a shrink run: failure counts of every base token over 54 rows.
#include <benchmark/benchmark.h>

#include <random>

#include "numbers/set_text.h"
#include "shrink/shrink_run.h"

namespace sanxing {
namespace {

FailureTable FiftyFourRows() {
    std::mt19937 random(1);
    FailureTable table;
    for (int r = 0; r < 54; ++r) {
        table.addRow(NumberSet::Where([&](int) { return random() % 100 < 90; }));
    }
    return table;
}

std::string UniverseBase() { return std::string(UniverseText()); }

// About 1 MB of base text: numbers, with some odd tokens and doubled spaces mixed in.
std::string MegabyteBase() {
    std::mt19937 random(2);
    std::string text;
    while (text.size() < (1u << 20)) {
        switch (random() % 20) {
            case 0: text += "12 "; break;
            case 1: text += " "; break;
            case 2: text += "1234 "; break;
            default: text += NumberText(static_cast<int>(random() % 1000)) + " ";
        }
    }
    return text;
}

void BM_FinalStepUniverseBase(benchmark::State& state) {
    const FailureTable table = FiftyFourRows();
    const std::string base = UniverseBase();
    for (auto _ : state) benchmark::DoNotOptimize(FilterBase(table, base, "0-5"));
}
BENCHMARK(BM_FinalStepUniverseBase)->Unit(benchmark::kMicrosecond);

void BM_FinalStepEmptyBase(benchmark::State& state) {
    const FailureTable table = FiftyFourRows();
    for (auto _ : state) benchmark::DoNotOptimize(FilterBase(table, "", "0-5"));
}
BENCHMARK(BM_FinalStepEmptyBase)->Unit(benchmark::kMicrosecond);

void BM_FinalStepMegabyteBase(benchmark::State& state) {
    const FailureTable table = FiftyFourRows();
    const std::string base = MegabyteBase();
    for (auto _ : state) benchmark::DoNotOptimize(FilterBase(table, base, "0-5"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(base.size()));
}
BENCHMARK(BM_FinalStepMegabyteBase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sanxing
