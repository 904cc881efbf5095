#pragma once
// Fetching the page of one draw source: the one place where the draw jobs touch the
// network, through the fetcher of their options. A source names its site, path, download
// routine and page encoding.

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "draws/draw_hosts.h"
#include "net/http_fetch.h"
#include "net/page_text.h"

namespace sanxing {

enum class FetchRoutine {
    HttpFetch,  // the program's own routine; the page's charset decides its encoding
    SimpleGet,  // plain GET; the source decides the encoding
};

// Downloads a source's page by its routine: what the routine gives (HttpFetch: the page
// as program text; SimpleGet: the body bytes), or nothing when it failed. The draw jobs take it from their options, so
// that tests can hand them pages from memory.
using PageFetcher =
    std::function<std::optional<std::string>(FetchRoutine routine, const std::string& url, const HttpOptions& http)>;

// The network's: HttpFetch or SimpleGet.
std::optional<std::string> FetchFromNetwork(FetchRoutine routine, const std::string& url, const HttpOptions& http);

struct DrawJobOptions {
    PageFetcher fetch = FetchFromNetwork;
    HttpOptions http;
    int siteETries = 3;                           // site E is fetched again while it answers with an empty page
    std::chrono::milliseconds retryPause{1'000};  // between those tries
    // A job ends within this time, however many sources hang: the draw list sets the
    // deadline of its transfers from it when the job starts.
    std::chrono::milliseconds jobBudget{50'000};

    void startBudget() { http.deadline = std::chrono::steady_clock::now() + jobBudget; }
    bool cancelled() const { return http.cancelled() || http.expired(); }
};

struct SourcePage {
    char site;
    std::string_view path;
    FetchRoutine routine;
    PageEncoding encoding = PageEncoding::Gbk;  // SimpleGet pages only
    bool retryWhileEmpty = false;
};

// The lottery kinds with live sources: 0 重庆, 1 江西, 2 新疆, 3 龙江 (the list shows 4 福彩3D
// and 5 排列三 from the history only).
inline constexpr int kKindCount = 4;

// The source table of a kind, from one table per kind; empty for an unknown kind.
template <typename Source>
std::span<const Source> SourcesOfKind(const std::array<std::span<const Source>, kKindCount>& tables, int kind) {
    return kind >= 0 && kind < kKindCount ? tables[static_cast<std::size_t>(kind)] : std::span<const Source>();
}

// The page text of a source; empty when the site has no host, on any failure and once
// the job is cancelled.
std::string FetchSourcePage(const SourcePage& source, const DrawHosts& hosts, const DrawJobOptions& options);

}  // namespace sanxing
