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
    bool tooLong = false;  // the body passed maxBodyBytes
};

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto& sink = *static_cast<Sink*>(user);
    const std::size_t n = size * count;
    if (sink.body.size() + n > sink.options.maxBodyBytes) {
        sink.tooLong = true;
        return 0;  // fails the transfer
    }
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
// at once rather than at its timeout. Gives the transfer's outcome.
CURLcode Perform(CURL* h, const HttpOptions& options) {
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), h) != CURLM_OK) return CURLE_OUT_OF_MEMORY;
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
    return options.cancelled() ? CURLE_ABORTED_BY_CALLBACK : outcome;
}

constexpr const char* kCancelled = "已取消";
constexpr const char* kTimedOut = "超时：地址在限定时间内没有送完文件";

// Why a transfer failed, as a player reads it.
std::string FailureText(CURLcode outcome, long status, const Sink& sink) {
    switch (outcome) {
        case CURLE_HTTP_RETURNED_ERROR:
            return "服务器回答 " + std::to_string(status) +
                   (status == 404   ? "（找不到文件）"
                    : status == 403 ? "（拒绝访问）"
                    : status >= 500 ? "（服务器出错）"
                                    : "");
        case CURLE_OPERATION_TIMEDOUT: return kTimedOut;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY: return "找不到服务器（域名无法解析）";
        case CURLE_COULDNT_CONNECT: return "无法连接服务器";
        case CURLE_TOO_MANY_REDIRECTS: return "转向过多（可能是转向循环）";
        case CURLE_FILESIZE_EXCEEDED: return "文件超过 " + std::to_string(sink.options.maxBodyBytes >> 20) + " MB";
        case CURLE_UNSUPPORTED_PROTOCOL: return "只支持 http 和 https 地址";
        case CURLE_URL_MALFORMAT: return "地址格式不对";
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CONNECT_ERROR: return "安全连接失败（证书或加密不对）";
        case CURLE_GOT_NOTHING:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_PARTIAL_FILE: return "连接中断，文件没有收完";
        default: break;
    }
    if (sink.tooLong) return "文件超过 " + std::to_string(sink.options.maxBodyBytes >> 20) + " MB";
    return std::string("下载失败（") + curl_easy_strerror(outcome) + "）";
}

Failure TransferFailure(CURLcode outcome, CURL* h, const Sink& sink) {
    if (outcome == CURLE_ABORTED_BY_CALLBACK) return {kCancelled, ErrorCode::Cancelled};
    long status = 0;
    if (outcome == CURLE_HTTP_RETURNED_ERROR) curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    return {FailureText(outcome, status, sink), status == 404 ? ErrorCode::NotFound : ErrorCode::Network};
}

}  // namespace

Result<TransferAnswer> RunTransfer(const TransferRequest& request, const HttpOptions& options) {
    if (options.cancelled()) return Failure{kCancelled, ErrorCode::Cancelled};
    if (options.expired()) return Failure{kTimedOut, ErrorCode::Network};
    InitCurlOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) return Failure{"内存不足", ErrorCode::Network};
    std::unique_ptr<curl_slist, CurlDeleter> headerList;
    for (const std::string& line : request.headerLines) {
        curl_slist* grown = curl_slist_append(headerList.get(), line.c_str());
        if (grown == nullptr) return Failure{"内存不足", ErrorCode::Network};
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

    if (const CURLcode outcome = Perform(h, options); outcome != CURLE_OK) return TransferFailure(outcome, h, sink);
    TransferAnswer result;
    long redirects = 0;
    curl_easy_getinfo(h, CURLINFO_REDIRECT_COUNT, &redirects);
    const char* redirectUrl = nullptr;
    if (!request.followRedirects && curl_easy_getinfo(h, CURLINFO_REDIRECT_URL, &redirectUrl) == CURLE_OK &&
        redirectUrl != nullptr) {
        result.redirectUrl = redirectUrl;
    }
    result.body = std::move(sink.body);
    result.headers = std::move(sink.headers);
    result.redirects = static_cast<int>(redirects);
    return result;
}

}  // namespace sanxing
