#include "net/http_transfer.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace sanxing {

namespace {

// Header blocks beyond this size end the transfer as a failure.
constexpr std::size_t kMaxHeaderBytes = 1u << 20;

struct Sink {
    const HttpOptions& options;
    std::string body;
    std::string headers;
};

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto& sink = *static_cast<Sink*>(user);
    const std::size_t n = size * count;
    if (sink.body.size() + n > sink.options.maxBodyBytes) return 0;  // too long: fail the transfer
    sink.body.append(data, n);
    return n;
}

// Keeps the headers of the last answer only: a status line starts a new answer (after a
// followed redirect or an interim answer), and its body replaces any earlier one.
std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto& sink = *static_cast<Sink*>(user);
    const std::size_t n = size * count;
    std::string_view line(data, n);
    if (line.starts_with("HTTP/")) {
        sink.headers.clear();
        sink.body.clear();
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (sink.headers.size() + line.size() + 2 > kMaxHeaderBytes) return 0;
    sink.headers.append(line);
    sink.headers += "\r\n";
    return n;
}

// How often a waiting transfer looks at the cancel flag.
constexpr int kCancelCheckMs = 50;

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// CURLM and CURL are the same type to the compiler: a deleter of its own.
struct MultiDeleter {
    void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};

// Runs one prepared transfer to its end, waking every kCancelCheckMs to see whether it
// was cancelled, so that a cancel ends even a transfer that waits for a silent server
// at once rather than at its timeout.
bool Perform(CURL* h, const HttpOptions& options) {
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), h) != CURLM_OK) return false;
    CURLcode outcome = CURLE_ABORTED_BY_CALLBACK;
    for (int running = 1; running > 0 && !options.cancelled();) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
            if (message->msg == CURLMSG_DONE) outcome = message->data.result;
        }
        if (running > 0 && curl_multi_poll(multi.get(), nullptr, 0, kCancelCheckMs, nullptr) != CURLM_OK) break;
    }
    curl_multi_remove_handle(multi.get(), h);
    return outcome == CURLE_OK && !options.cancelled();
}

}  // namespace

TransferResult RunTransfer(const TransferRequest& request, const HttpOptions& options) {
    TransferResult result;
    if (options.cancelled() || options.expired()) return result;
    InitCurlOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) return result;
    std::unique_ptr<curl_slist, CurlDeleter> headerList;
    for (const std::string& line : request.headerLines) {
        curl_slist* grown = curl_slist_append(headerList.get(), line.c_str());
        if (grown == nullptr) return result;
        headerList.release();
        headerList.reset(grown);
    }
    Sink sink{options, {}, {}};
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(h, CURLOPT_PROXY, request.proxy.c_str());
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.within(options.connectTimeout).count()));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(options.within(options.totalTimeout).count()));
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.maxBodyBytes));
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, static_cast<long>(request.maxRedirects));
    curl_easy_setopt(h, CURLOPT_FAILONERROR, request.failOnHttpError ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, request.userAgent.c_str());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headerList.get());
    if (request.post) {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.postBytes.size()));
        // A null pointer would make the client read the body from stdin.
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.postBytes.empty() ? "" : request.postBytes.data());
    }
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &sink);

    if (!Perform(h, options)) return result;
    long redirects = 0;
    curl_easy_getinfo(h, CURLINFO_REDIRECT_COUNT, &redirects);
    const char* redirectUrl = nullptr;
    if (!request.followRedirects && curl_easy_getinfo(h, CURLINFO_REDIRECT_URL, &redirectUrl) == CURLE_OK &&
        redirectUrl != nullptr) {
        result.redirectUrl = redirectUrl;
    }
    result.ok = true;
    result.body = std::move(sink.body);
    result.headers = std::move(sink.headers);
    result.redirects = static_cast<int>(redirects);
    return result;
}

}  // namespace sanxing
