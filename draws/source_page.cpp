#include "draws/source_page.h"

#include <algorithm>
#include <thread>

namespace sanxing {

namespace {

std::string FetchOnce(const SourcePage& source, const std::string& url, const HttpOptions& http) {
    if (source.routine == FetchRoutine::HttpFetch) return HttpFetch(url, http);
    return PageText(SimpleGet(url, http), source.encoding);
}

// Sleeps for `pause`, waking early when the job is cancelled.
void PauseUnlessCancelled(std::chrono::milliseconds pause, const DrawJobOptions& options) {
    constexpr std::chrono::milliseconds kSlice{50};
    const auto until = std::chrono::steady_clock::now() + pause;
    while (!options.cancelled()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= until) return;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kSlice, until - now));
    }
}

}  // namespace

std::string FetchSourcePage(const SourcePage& source, const DrawHosts& hosts, const DrawJobOptions& options) {
    const std::string url = hosts.url(source.site, source.path);
    if (url.empty()) return {};
    const int tries = source.retryWhileEmpty ? std::max(1, options.siteETries) : 1;
    for (int attempt = 1; attempt <= tries && !options.cancelled(); ++attempt) {
        if (attempt > 1) PauseUnlessCancelled(options.retryPause, options);
        std::string page = FetchOnce(source, url, options.http);
        if (!page.empty()) return page;
    }
    return {};
}

}  // namespace sanxing
