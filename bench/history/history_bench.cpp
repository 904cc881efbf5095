// The draw history on large inputs: importing a 100,000-line file into an empty
// database, reading the newest 10,000 of 100,000 draws, and the import's peak memory for
// files of growing size (it must not grow with the file).
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "bench/proc_status.h"
#include "history/draw_import.h"
#include "history/history_db.h"
#include "history/lotteries.h"

namespace sanxing::history {
namespace {

const Lottery& Chongqing() { return *FindLottery("重庆时时彩"); }

struct BenchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("sanxing_history_bench_" + std::to_string(::getpid()));
    BenchFolder() { std::filesystem::create_directories(path); }
    ~BenchFolder() { std::filesystem::remove_all(path); }
    std::filesystem::path file(const std::string& name) const { return path / name; }
};

// `lines` draws of 重庆时时彩 in the "20241012-023 1,2,3,4,5" layout, 120 a day from
// 2000-01-01 on (a million lines reach 2022).
std::string ChongqingDraw(std::size_t i) {
    using namespace std::chrono;
    const year_month_day day{sys_days{year{2000} / 1 / 1} + days{i / 120}};
    char line[64];
    std::snprintf(line, sizeof line, "%04d%02u%02u-%03zu %zu,%zu,%zu,%zu,%zu", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()), i % 120 + 1, i % 10,
                  i / 10 % 10, i / 100 % 10, i / 7 % 10, i / 3 % 10);
    return line;
}

std::filesystem::path DrawFile(const BenchFolder& folder, std::size_t lines) {
    const auto path = folder.file("draws_" + std::to_string(lines) + ".txt");
    if (std::filesystem::exists(path)) return path;
    std::ofstream out(path, std::ios::binary);
    out << "期号,开奖号码\r\n";
    for (std::size_t i = 0; i < lines; ++i) out << ChongqingDraw(i) << "\r\n";
    return path;
}

HistoryDb FreshDb(const BenchFolder& folder) {
    const auto path = folder.file("history.sqlite");
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path.string() + suffix);
    return std::move(*HistoryDb::open(path));
}

void BM_ImportFile(benchmark::State& state) {
    BenchFolder folder;
    const auto file = DrawFile(folder, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto db = FreshDb(folder);
        state.ResumeTiming();
        auto report = ImportDrawFile(db, Chongqing(), file);
        if (!report || report->stored != static_cast<std::size_t>(state.range(0))) state.SkipWithError("import failed");
    }
}
BENCHMARK(BM_ImportFile)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_NewestDraws(benchmark::State& state) {
    BenchFolder folder;
    auto db = FreshDb(folder);
    if (!ImportDrawFile(db, Chongqing(), DrawFile(folder, 100000))) state.SkipWithError("import failed");
    for (auto _ : state) {
        auto draws = db.newest("重庆时时彩", 10000).value();
        benchmark::DoNotOptimize(draws.data());
        if (draws.size() != 10000) state.SkipWithError("short read");
    }
}
BENCHMARK(BM_NewestDraws)->Unit(benchmark::kMillisecond);

// The import's peak memory in a child process of its own whose peak resident size is reset
// before it starts: how far the peak rose above the size before (-1 when it failed).
double ImportPeakRiseMiB(const BenchFolder& folder, const std::filesystem::path& file) {
    double rise = 0;
    int pipe_[2];
    if (::pipe(pipe_) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        auto db = FreshDb(folder);
        std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to the present size
        const double before = sanxing::bench::StatusMiB("VmRSS:");
        auto report = ImportDrawFile(db, Chongqing(), file);
        const double grown = sanxing::bench::StatusMiB("VmHWM:") - before;
        (void)!::write(pipe_[1], &grown, sizeof grown);
        ::_exit(0);
    }
    (void)!::read(pipe_[0], &rise, sizeof rise);
    ::close(pipe_[0]);
    ::close(pipe_[1]);
    ::waitpid(child, nullptr, 0);
    return rise;
}

void BM_ImportPeakMemory(benchmark::State& state) {
    BenchFolder folder;
    const auto file = DrawFile(folder, static_cast<std::size_t>(state.range(0)));
    double growth = 0;
    for (auto _ : state) growth = ImportPeakRiseMiB(folder, file);
    state.counters["peak_rise_MiB"] = growth;
    state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ImportPeakMemory)->Arg(10000)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

// JSON documents just under the 16 MB bound, of the shapes that once took minutes or
// hundreds of MB: 0 records of draws, 1 empty records, 2 one record of a million keys,
// 3 records nested to the deepest allowed level. Time of the whole import.
std::filesystem::path JsonFile(const BenchFolder& folder, int shape) {
    const auto path = folder.file("shape_" + std::to_string(shape) + ".json");
    std::ofstream out(path, std::ios::binary);
    const std::size_t limit = (16u << 20) - 64;
    std::string text = "[";
    for (std::size_t i = 0; text.size() < limit - 200; ++i) {
        if (i) text += ',';
        switch (shape) {
            case 0: {
                const std::string draw = ChongqingDraw(i);
                text.append("{\"issue\":\"")
                    .append(draw.substr(0, 12))
                    .append("\",\"red\":\"")
                    .append(draw.substr(13))
                    .append("\"}");
                break;
            }
            case 1: text += "{}"; break;
            case 2: text.append(i ? "\"k" : "{\"k").append(std::to_string(i)).append("\":1"); break;
            default: text += std::string(62, '[') + "1" + std::string(62, ']'); break;
        }
    }
    out << text << (shape == 2 ? "}]" : "]");
    return path;
}

void BM_ImportJsonShapes(benchmark::State& state) {
    BenchFolder folder;
    const auto file = JsonFile(folder, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto db = FreshDb(folder);
        auto report = ImportDrawFile(db, Chongqing(), file);
        if (!report) state.SetLabel(report.error().substr(0, 60));
    }
}
BENCHMARK(BM_ImportJsonShapes)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sanxing::history
