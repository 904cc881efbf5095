#pragma once
// The two ways the program downloads a page. HttpFetch is the program's own request
// routine (its request line, agent and header block, cookies, the "301" rule and the
// charset rule); SimpleGet is a plain GET of the body bytes. Both give the page or why it
// could not be had, in Chinese ("服务器回答 404（找不到文件）", "超时：…"), with
// ErrorCode::Cancelled when cancelled, NotFound for an answer 404 of SimpleGet and Network
// for any other failure; neither throws.

#include <atomic>
#include <chrono>
#include <optional>
#include <string>

#include "runtime/result.h"

namespace sanxing {

// Bounds of every transfer, and a flag that cancels a running transfer from another
// thread (checked every 50 ms while the transfer runs).
struct HttpOptions {
    std::chrono::milliseconds connectTimeout{10'000};
    std::chrono::milliseconds totalTimeout{30'000};
    int maxRedirects = 5;                  // over the whole chain of one call
    std::size_t maxBodyBytes = 16u << 20;  // a longer body is a failure
    const std::atomic<bool>* cancel = nullptr;
    // Every transfer ends by this time, whatever its own bounds: the budget of a job of
    // several transfers.
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();

    bool cancelled() const { return cancel != nullptr && cancel->load(); }
    bool expired() const { return std::chrono::steady_clock::now() >= deadline; }
    // `bound` cut to the time left before the deadline.
    std::chrono::milliseconds within(std::chrono::milliseconds bound) const;
};

// The optional in/out arguments of HttpFetch. An argument counts as given when it is set.
struct HttpExchange {
    int method = 0;  // 1 = POST, anything else GET
    std::string postText;
    std::optional<std::string> cookies;  // in/out: sent as the Cookie line, merged with the answer's
    std::string returnedCookies;         // out: the cookies the answer set
    std::optional<std::string> headers;  // in/out: extra header lines (CR LF), completed
    std::string location;                // out
    bool noAutoRedirect = false;
    std::string postBytes;        // in/out: the POST body; postText when empty
    std::string proxy;            // host:port of an HTTP proxy; direct when empty
    std::string responseHeaders;  // out: the raw headers of the last answer
};

// The page at `url` as program text (UTF-8), whatever the answer's status (the caller
// reads it in exchange.responseHeaders).
Result<std::string> HttpFetch(const std::string& url, const HttpOptions& options = {});
Result<std::string> HttpFetch(const std::string& url, HttpExchange& exchange, const HttpOptions& options = {});

// The body bytes at `url`; an HTTP error status is a failure.
Result<std::string> SimpleGet(const std::string& url, const HttpOptions& options = {});

}  // namespace sanxing
