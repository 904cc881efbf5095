// The draw list against hostile and absent sources, through real HTTP on a local server:
//
//   HugePageLoad: a 12.6 MB site E page of 600,000 draws, fetched and read as a kind 0
//                 load; counters rows (kept) and peak_MiB, the resident peak of the load
//                 alone (the process's high-water mark is reset before it).
//   LoadWithEverySourceHanging: a kind 0 load whose four sources never answer, with the
//                 window's bounds (30 s per transfer, 50 s per job); one iteration.
//   KindChangeToFirstRequest: a kind change while the old kind's load hangs; the time
//                 from the change until the new kind's first request reaches the server.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "app/window_model.h"
#include "bench/proc_status.h"
#include "draws/draw_jobs.h"
#include "net/local_http_server.h"
#include "runtime/recording_platform.h"

namespace sanxing {
namespace {

using namespace sanxing::testing;
using namespace std::chrono_literals;

void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

std::string HugeZoushiPage() {
    std::string issues, numbers;
    for (int day = 1; day <= 5'000; ++day) {
        for (int n = 1; n <= 120; ++n) {
            char issue[24];
            std::snprintf(issue, sizeof issue, "%s20%02d%02d%02d-%03d", issues.empty() ? "" : "\",\"", day % 20,
                          1 + day % 12, 1 + day % 28, n);
            issues += issue;
            numbers += numbers.empty() ? "12345" : "\",\"12345";
        }
    }
    return "var data={\"t\":\"cqssc\",\"i\":[\"" + issues + "\"],\"b\":[\"" + numbers + "\"],\"m\":[1]};";
}

void HugePageLoad(benchmark::State& state) {
    const std::string page = HugeZoushiPage();
    LocalHttpServer server([&](const Request&) { return Ok(page); });
    DrawHosts hosts;
    hosts.sites['E' - 'A'] = server.base() + "/";
    std::size_t rows = 0;
    double peak = 0;
    for (auto _ : state) {
        ResetPeakMemory();
        const double before = bench::StatusMiB("VmRSS:");
        rows = FetchRecentDraws(0, hosts).size();
        peak = std::max(peak, bench::StatusMiB("VmHWM:") - before);
    }
    state.counters["page_MB"] = static_cast<double>(page.size()) / 1e6;
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["peak_MiB"] = peak;
}
BENCHMARK(HugePageLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

void LoadWithEverySourceHanging(benchmark::State& state) {
    LocalHttpServer silent([](const Request&) { return Silent(); });
    DrawHosts hosts;
    for (char site = 'B'; site <= 'E'; ++site) hosts.sites[static_cast<std::size_t>(site - 'A')] = silent.base() + "/";
    for (auto _ : state) {
        DrawJobOptions options;
        options.startBudget();
        benchmark::DoNotOptimize(FetchRecentDraws(0, hosts, options));
    }
}
BENCHMARK(LoadWithEverySourceHanging)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void KindChangeToFirstRequest(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    std::atomic<Clock::rep> asked{0};
    LocalHttpServer server([&](const Request& r) {
        if (r.path.starts_with("/trend/jxssc/")) asked = Clock::now().time_since_epoch().count();
        return Silent();
    });
    RecordingPlatform platform;
    WindowModel window(platform);
    window.drawHosts().sites['B' - 'A'] = server.base() + "/";
    for (auto _ : state) {
        const std::size_t chongqing = server.requestCount("/trend/cqssc/");
        window.selectItem("组合框_彩种", 0);  // 重庆 hangs
        while (server.requestCount("/trend/cqssc/") == chongqing) std::this_thread::sleep_for(1ms);
        asked = 0;
        const Clock::time_point changed = Clock::now();
        window.selectItem("组合框_彩种", 1);
        while (asked.load() == 0) std::this_thread::sleep_for(100us);
        state.SetIterationTime(
            std::chrono::duration<double>(Clock::time_point(Clock::duration(asked.load())) - changed).count());
    }
    window.shutdown();
}
BENCHMARK(KindChangeToFirstRequest)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

}  // namespace
}  // namespace sanxing
