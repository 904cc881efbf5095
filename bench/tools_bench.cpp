// Base-set tools on large inputs: opening a 1 GB binary file (random bytes, and random
// bytes without an end byte so that the whole file is scanned), opening a 1 MB base file,
// and the rewrite and difference of 1 MB typed texts.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "numbers/set_text.h"
#include "runtime/control_store.h"
#include "tools/base_file_scan.h"
#include "tools/set_operations.h"
#include "window/control_table.h"

namespace sanxing {
namespace {

constexpr std::size_t kGigabyte = std::size_t{1} << 30;
constexpr std::size_t kMegabyte = std::size_t{1} << 20;

double PeakMemoryMiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

// A file in the temporary folder, written in 1 MB pieces from `fill`, removed at the end.
class BenchFile {
public:
    template <typename Fill>
    BenchFile(const std::string& name, std::size_t size, Fill fill)
        : path_(std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid()))) {
        std::ofstream out(path_, std::ios::binary);
        std::string piece(kMegabyte, '\0');
        for (std::size_t written = 0; written < size; written += piece.size()) {
            fill(piece);
            out.write(piece.data(), static_cast<std::streamsize>(std::min(piece.size(), size - written)));
        }
    }
    ~BenchFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

void RandomBytes(std::string& piece, std::mt19937_64& random, bool withEndBytes) {
    for (std::size_t i = 0; i < piece.size(); i += 8) {
        std::uint64_t bits = random();
        for (int b = 0; b < 8; ++b, bits >>= 8) {
            char c = static_cast<char>(bits & 0xFF);
            if (!withEndBytes && (c == '\0' || c == '\x1A')) c = ' ';
            piece[i + b] = c;
        }
    }
}

void OpenGigabyte(benchmark::State& state, bool withEndBytes) {
    std::mt19937_64 random(1);
    const BenchFile file("sanxing_bench_gigabyte", kGigabyte,
                         [&](std::string& piece) { RandomBytes(piece, random, withEndBytes); });
    std::size_t found = 0;
    for (auto _ : state) {
        const std::optional<NumberSet> numbers = ReadBaseFile(file.path());
        found = numbers ? static_cast<std::size_t>(numbers->count()) : 0;
        benchmark::DoNotOptimize(found);
    }
    state.counters["numbers"] = static_cast<double>(found);
    state.counters["peak_rss_MiB"] = PeakMemoryMiB();
    if (!withEndBytes) {
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kGigabyte));
    }
}

// Random bytes: the first NUL or Ctrl-Z, a few hundred bytes in, ends the text.
void BM_OpenGigabyteRandomBytes(benchmark::State& state) { OpenGigabyte(state, true); }
BENCHMARK(BM_OpenGigabyteRandomBytes)->Unit(benchmark::kMillisecond)->Iterations(3);

// Random bytes without NUL and Ctrl-Z: every byte of the gigabyte is scanned.
void BM_OpenGigabyteWithoutEndByte(benchmark::State& state) { OpenGigabyte(state, false); }
BENCHMARK(BM_OpenGigabyteWithoutEndByte)->Unit(benchmark::kMillisecond)->Iterations(3);

// About 1 MB of numbers as a user types them: separators of every kind, repeats.
std::string TypedMegabyte(unsigned seed) {
    std::mt19937 random(seed);
    const char* separators[] = {" ", ",", "\r\n", "  ", " "};
    std::string text;
    while (text.size() < kMegabyte) {
        text += NumberText(static_cast<int>(random() % 1000));
        text += separators[random() % 5];
    }
    return text;
}

void BM_OpenMegabyteBaseFile(benchmark::State& state) {
    const std::string text = TypedMegabyte(2);
    const BenchFile file("sanxing_bench_megabyte", text.size(), [&](std::string& piece) { piece = text; });
    for (auto _ : state) benchmark::DoNotOptimize(ReadBaseFile(file.path()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_OpenMegabyteBaseFile)->Unit(benchmark::kMicrosecond);

// Leaving the base box after pasting 1 MB: the box is set anew each round, then rewritten.
void BM_RewriteMegabyteTypedBase(benchmark::State& state) {
    ControlStore controls(ControlTable());
    const std::string text = TypedMegabyte(3);
    for (auto _ : state) {
        controls.setText("编辑框_大底", text);
        RewriteBaseSet(controls);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_RewriteMegabyteTypedBase)->Unit(benchmark::kMicrosecond);

// A排除B with 1 MB in each box: tokens of A in order, tested against B.
void BM_SubtractMegabyteBoxes(benchmark::State& state) {
    ControlStore controls(ControlTable());
    std::string a;
    for (int i = 0; a.size() < kMegabyte; ++i) a += NumberText(i * 7 % 1000) + (i % 50 == 0 ? " x12 " : " ");
    controls.setText("编辑框_A", a);
    controls.setText("编辑框_B", TypedMegabyte(4).substr(0, kMegabyte / 2));
    for (auto _ : state) SubtractBFromA(controls);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(a.size()));
}
BENCHMARK(BM_SubtractMegabyteBoxes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sanxing
