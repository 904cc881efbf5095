#include "draws/source_page.h"

#include <algorithm>
#include <thread>

namespace sanxing {

namespace {

// The page, or nothing when the transfer failed (no answer, a timeout, an error status).
std::optional<std::string> FetchOnce(const SourcePage& source, const std::string& url, const DrawJobOptions& options) {
    std::optional<std::string> page = options.fetch(source.routine, url, options.http);
    if (!page || source.routine == FetchRoutine::HttpFetch) return page;
    return PageText(*page, source.encoding);
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

std::optional<std::string> FetchFromNetwork(FetchRoutine routine, const std::string& url, const HttpOptions& http) {
    auto page = routine == FetchRoutine::HttpFetch ? HttpFetch(url, http) : SimpleGet(url, http);
    if (!page) return std::nullopt;
    return std::move(*page);
}

std::string FetchSourcePage(const SourcePage& source, const DrawHosts& hosts, const DrawJobOptions& options) {
    const std::string url = hosts.url(source.site, source.path);
    if (url.empty()) return {};
    const int tries = source.retryWhileEmpty ? std::max(1, options.siteETries) : 1;
    for (int attempt = 1; attempt <= tries && !options.cancelled(); ++attempt) {
        if (attempt > 1) PauseUnlessCancelled(options.retryPause, options);
        if (options.cancelled()) break;
        std::optional<std::string> page = FetchOnce(source, url, options);
        if (!page) break;  // only an empty answer is worth asking again
        if (!page->empty()) return std::move(*page);
    }
    return {};
}

}  // namespace sanxing
