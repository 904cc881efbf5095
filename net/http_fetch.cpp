#include "net/http_fetch.h"

#include <algorithm>

#include "net/http_request.h"
#include "net/http_transfer.h"
#include "net/page_text.h"
#include "runtime/split.h"

namespace sanxing {

namespace {

std::vector<std::string> HeaderLines(std::string_view headers) {
    std::vector<std::string> lines;
    ForEachToken(headers, "\r\n", [&](std::string_view line) {
        if (!line.empty()) lines.emplace_back(line);
    });
    lines.emplace_back("Expect:");  // no "100-continue" round trip before a POST body
    return lines;
}

// One request of the chain. Redirects are followed here, not by the client: a "301" to a
// bare site address keeps the current path (the site moved, its pages did not); every
// other redirect goes where its Location says, unless the caller asked for no automatic
// redirects. The chain is bounded by maxRedirects.
Result<std::string> FetchFrom(const std::string& url, HttpExchange& exchange, const HttpOptions& options,
                              int redirectsLeft) {
    std::string headers = exchange.headers.value_or("");
    const std::string agent = UserAgentFor(headers);
    const UrlParts parts = SplitUrl(url);
    if (!parts.usable()) return Failure{"地址格式不对", ErrorCode::Network};
    headers = CompleteHeaders(std::move(headers), url, exchange.cookies.value_or(""));
    if (exchange.headers) *exchange.headers = headers;

    const bool post = exchange.method == 1;
    if (post && exchange.postBytes.empty()) exchange.postBytes = exchange.postText;
    TransferRequest request;
    request.url = parts.address();
    request.userAgent = agent;
    request.headerLines = HeaderLines(headers);
    request.post = post;
    request.postBytes = exchange.postBytes;
    request.followRedirects = false;
    // The proxy serves plain HTTP only, as "http=host:port" does.
    if (!exchange.proxy.empty() && !parts.secure) request.proxy = "http://" + exchange.proxy;
    const auto transferred = RunTransfer(request, options);
    if (!transferred) return transferred.failure();
    const TransferAnswer& result = *transferred;

    exchange.responseHeaders = result.headers;
    const ResponseScan scan = ScanResponseHeaders(result.headers);
    exchange.returnedCookies = scan.cookies;
    if (exchange.cookies) *exchange.cookies = MergeCookies(*exchange.cookies, scan.cookies);
    exchange.location = scan.location.empty() ? result.headers : scan.location;

    const bool moved = IsMovedPermanently(result.headers);
    if (moved || (!exchange.noAutoRedirect && !result.redirectUrl.empty())) {
        const std::string next =
            moved ? MovedTarget(scan.location, parts.path, result.redirectUrl) : result.redirectUrl;
        if (redirectsLeft <= 0) return Failure{"转向过多（可能是转向循环）", ErrorCode::Network};
        if (next.empty()) return Failure{"服务器要求转向，却没有给出地址", ErrorCode::Network};
        exchange.location.clear();
        return FetchFrom(next, exchange, options, redirectsLeft - 1);
    }
    std::string_view body = result.body;
    body = body.substr(0, body.find('\0'));
    return PageText(body, IsUtf8Page(body, result.headers) ? PageEncoding::Utf8 : PageEncoding::Gbk);
}

}  // namespace

std::chrono::milliseconds HttpOptions::within(std::chrono::milliseconds bound) const {
    if (deadline == std::chrono::steady_clock::time_point::max()) return bound;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return std::max(std::chrono::milliseconds(1), std::min(bound, left));
}

Result<std::string> HttpFetch(const std::string& url, const HttpOptions& options) {
    HttpExchange exchange;
    return HttpFetch(url, exchange, options);
}

Result<std::string> HttpFetch(const std::string& url, HttpExchange& exchange, const HttpOptions& options) {
    return FetchFrom(url, exchange, options, options.maxRedirects);
}

Result<std::string> SimpleGet(const std::string& url, const HttpOptions& options) {
    TransferRequest request;
    request.url = url;
    request.userAgent = std::string(kDefaultUserAgent);
    request.maxRedirects = options.maxRedirects;
    request.failOnHttpError = true;
    auto result = RunTransfer(request, options);
    if (!result) return result.failure();
    return std::move(result->body);
}

}  // namespace sanxing
