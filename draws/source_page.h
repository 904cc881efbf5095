#pragma once
// Fetching the page of one draw source: the one place where the draw jobs touch the
// network. A source names its site, path, download routine and page encoding.

#include <chrono>
#include <string>
#include <string_view>

#include "draws/draw_hosts.h"
#include "draws/http_fetch.h"
#include "draws/page_text.h"

namespace sanxing {

struct DrawJobOptions {
    HttpOptions http;
    int siteETries = 3;                              // site E is fetched again while it comes back empty
    std::chrono::milliseconds retryPause{1'000};     // between those tries

    bool cancelled() const { return http.cancelled(); }
};

enum class FetchRoutine {
    HttpFetch,  // the program's own routine; the page's charset decides its encoding
    SimpleGet,  // plain GET; the source decides the encoding
};

struct SourcePage {
    char site;
    std::string_view path;
    FetchRoutine routine;
    PageEncoding encoding = PageEncoding::Gbk;  // SimpleGet pages only
    bool retryWhileEmpty = false;
};

// The page text of a source; empty when the site has no host, on any failure and once
// the job is cancelled.
std::string FetchSourcePage(const SourcePage& source, const DrawHosts& hosts, const DrawJobOptions& options);

}  // namespace sanxing
