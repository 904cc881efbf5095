// sanxing-cli over 100,000 stored draws, whole process: --backtest in text and in --json
// against --trend over the same draws (time and peak resident size), and opening a
// history of 1,000,000 draws.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "history/draw_import.h"
#include "history/history_db.h"
#include "history/lotteries.h"

namespace sanxing::history {
namespace {

struct BenchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("sanxing_cli_bench_" + std::to_string(::getpid()));
    BenchFolder() { std::filesystem::create_directories(path); }
    ~BenchFolder() { std::filesystem::remove_all(path); }
};

const std::filesystem::path& Folder() {
    static const BenchFolder folder;
    return folder.path;
}

// A history of `draws` draws of 重庆时时彩, 120 a day, made once per run.
std::filesystem::path History(std::size_t draws) {
    const auto db = Folder() / ("history_" + std::to_string(draws) + ".sqlite");
    if (std::filesystem::exists(db)) return db;
    const auto file = Folder() / "draws.txt";
    {
        std::ofstream out(file, std::ios::binary);
        char line[64];
        for (std::size_t i = 0; i < draws; ++i) {
            const std::size_t day = i / 120, serial = i % 120 + 1;
            std::snprintf(line, sizeof line, "2%03zu%04zu-%03zu %zu%zu%zu%zu%zu\n", 100 + day / 10000, day % 10000,
                          serial, i % 10, i / 10 % 10, i / 100 % 10, i / 7 % 10, i / 3 % 10);
            out << line;
        }
    }
    auto opened = HistoryDb::open(db);
    if (!opened || !ImportDrawFile(*opened, *FindLottery("重庆时时彩"), file)) std::abort();
    return db;
}

struct ChildRun {
    bool ok = false;
    double peakMiB = 0;
};

// Runs sanxing-cli with its output thrown away; the peak is the child's own.
ChildRun RunCli(const std::vector<std::string>& args) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(SANXING_CLI_PATH)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(SANXING_CLI_PATH, argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

void CliOverHistory(benchmark::State& state, std::vector<std::string> step) {
    const auto db = History(100000);
    std::vector<std::string> args{"--history", db.string(), "--lottery", "重庆时时彩"};
    args.insert(args.end(), step.begin(), step.end());
    ChildRun run;
    for (auto _ : state) {
        run = RunCli(args);
        if (!run.ok) state.SkipWithError("sanxing-cli failed");
    }
    state.counters["peak_MiB"] = run.peakMiB;
}
BENCHMARK_CAPTURE(CliOverHistory, backtest_text, {"--backtest"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CliOverHistory, backtest_json, {"--backtest", "--json"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CliOverHistory, trend_text, {"--trend"})->Unit(benchmark::kMillisecond);

void BM_OpenMillionDraws(benchmark::State& state) {
    const auto db = History(1000000);
    for (auto _ : state) {
        auto opened = HistoryDb::open(db);
        if (!opened) state.SkipWithError("open failed");
    }
}
BENCHMARK(BM_OpenMillionDraws)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sanxing::history
