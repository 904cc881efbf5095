#pragma once
// A local server that plays every draw site: site X lives under /X of one test server.

#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "draws/draw_hosts.h"
#include "draws/source_page.h"
#include "net/local_http_server.h"
#include "runtime/controls.h"
#include "runtime/gbk.h"

namespace sanxing::testing {

using namespace std::chrono_literals;

// A server that plays every site: site X lives under /X, and each path answers with
// the page set for it (GBK unless said otherwise), or with 404.
class DrawSites {
public:
    // `delay` holds every answer back that long (a slow server).
    explicit DrawSites(std::chrono::milliseconds delay = {})
        : server_([this, delay](const Request& r) {
              if (delay.count() > 0) std::this_thread::sleep_for(delay);
              std::lock_guard lock(mutex_);
              const auto it = pages_.find(r.path);
              if (it == pages_.end()) return HttpReply(404, "Not Found", "");
              if (it->second.empty()) return Ok("");
              Reply reply = it->second.front();
              if (it->second.size() > 1) it->second.erase(it->second.begin());
              return reply;
          }) {
        for (char site = 'A'; site <= 'H'; ++site) {
            std::string base = server_.base() + "/" + site;
            if (site >= 'B' && site <= 'E') base += '/';
            hosts.sites[static_cast<std::size_t>(site - 'A')] = base;
        }
        options.http.connectTimeout = 300ms;
        options.http.totalTimeout = 600ms;
        options.retryPause = 10ms;
    }

    // The page a source path answers with; several pages are served in turn, the last
    // one from then on.
    void serve(char site, std::string_view path, std::vector<Reply> replies) {
        std::lock_guard lock(mutex_);
        pages_[PathOf(site, path)] = std::move(replies);
    }
    void serveGbk(char site, std::string_view path, const std::string& page) {
        serve(site, path, {Ok(Utf8ToGbk(page))});
    }
    std::size_t requests(char site, std::string_view path) const { return server_.requestCount(PathOf(site, path)); }
    std::size_t requests() const { return server_.requestCount(); }

    DrawHosts hosts;
    DrawJobOptions options;

private:
    static std::string PathOf(char site, std::string_view path) {
        return "/" + std::string(1, site) + (path.starts_with('/') ? "" : "/") + std::string(path);
    }

    std::mutex mutex_;
    std::map<std::string, std::vector<Reply>> pages_;
    LocalHttpServer server_;
};

// Draw-list rows of (issue, number), unmarked.
inline ReportRows ListOf(std::initializer_list<std::pair<std::string, std::string>> rows) {
    ReportRows list;
    for (const auto& [issue, number] : rows) list.push_back({issue, number, ""});
    return list;
}

}  // namespace sanxing::testing
