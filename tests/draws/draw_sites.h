#pragma once
// Every draw site in memory: the draw jobs' page fetcher answers each source path with the
// pages set for it, so that the jobs run without a network. The fetch over real sockets
// has its own tests (http_fetch_test.cpp, and one job over the wire in draw_jobs_test.cpp).

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "draws/draw_hosts.h"
#include "draws/source_page.h"
#include "runtime/controls.h"
#include "runtime/gbk.h"

namespace sanxing::testing {

using namespace std::chrono_literals;

// What a source path answers: a page's bytes, a failed transfer (an error status, garbage,
// a refused connection), or no answer until the transfer is cancelled or out of time.
struct SiteAnswer {
    SiteAnswer(std::string bytes) : page(std::move(bytes)) {}
    SiteAnswer(const char* bytes) : page(bytes) {}
    explicit SiteAnswer(bool hangs) : hangs(hangs) {}

    std::optional<std::string> page;
    bool hangs = false;
};
inline const SiteAnswer kFails{false};
inline const SiteAnswer kHangs{true};

class DrawSites {
public:
    // Answers a path ("/B/trend/..."); any thread.
    using Script = std::function<SiteAnswer(const std::string& path)>;

    // The pages set by serve(), or those of `script`.
    explicit DrawSites(Script script = {}) : script_(std::move(script)) {
        for (char site = 'A'; site <= 'H'; ++site) {
            std::string base = kOrigin + "/" + site;
            if (site >= 'B' && site <= 'E') base += '/';
            hosts.sites[static_cast<std::size_t>(site - 'A')] = base;
        }
        options.fetch = [this](FetchRoutine routine, const std::string& url, const HttpOptions& http) {
            return fetch(routine, url, http);
        };
        options.http.connectTimeout = 300ms;
        options.http.totalTimeout = 600ms;
        options.retryPause = 10ms;
    }
    DrawSites(const DrawSites&) = delete;

    // The answers of a source path; several are given in turn, the last one from then on.
    // A path without answers fails.
    void serve(char site, std::string_view path, std::vector<SiteAnswer> answers) {
        std::lock_guard lock(mutex_);
        answers_.insert_or_assign(PathOf(site, path), std::move(answers));
    }
    void serveGbk(char site, std::string_view path, const std::string& page) { serve(site, path, {Utf8ToGbk(page)}); }
    std::size_t requests(char site, std::string_view path) const {
        std::lock_guard lock(mutex_);
        const auto it = requests_.find(PathOf(site, path));
        return it == requests_.end() ? 0 : it->second;
    }
    std::size_t requests() const {
        std::lock_guard lock(mutex_);
        std::size_t all = 0;
        for (const auto& [path, count] : requests_) all += count;
        return all;
    }

    DrawHosts hosts;
    DrawJobOptions options;

private:
    inline static const std::string kOrigin = "http://sites.test";

    static std::string PathOf(char site, std::string_view path) {
        std::string full{'/', site};
        if (!path.starts_with('/')) full += '/';
        return full.append(path);
    }

    // Like the network's fetch: nothing for a failure.
    std::optional<std::string> fetch(FetchRoutine /*routine*/, const std::string& url, const HttpOptions& http) {
        const std::string path = url.substr(kOrigin.size());
        const SiteAnswer answer = script_ ? script_(path) : next(path);
        if (answer.hangs) {
            const auto until = std::chrono::steady_clock::now() + http.within(http.totalTimeout);
            while (!http.cancelled() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(1ms);
        }
        return answer.page;
    }

    SiteAnswer next(const std::string& path) {
        std::lock_guard lock(mutex_);
        ++requests_[path];
        const auto it = answers_.find(path);
        if (it == answers_.end() || it->second.empty()) return kFails;
        SiteAnswer answer = it->second.front();
        if (it->second.size() > 1) it->second.erase(it->second.begin());
        return answer;
    }

    Script script_;
    mutable std::mutex mutex_;
    std::map<std::string, std::vector<SiteAnswer>> answers_;
    std::map<std::string, std::size_t> requests_;
};

// Draw-list rows of (issue, number), unmarked.
inline ReportRows ListOf(std::initializer_list<std::pair<std::string, std::string>> rows) {
    ReportRows list;
    for (const auto& [issue, number] : rows) list.push_back({issue, number, ""});
    return list;
}

}  // namespace sanxing::testing
