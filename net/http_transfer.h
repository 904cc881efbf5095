#pragma once
// One HTTP transfer over libcurl within the bounds of HttpOptions. Used by HttpFetch and
// SimpleGet only.

#include <string>
#include <string_view>
#include <vector>

#include "net/http_fetch.h"
#include "runtime/result.h"

namespace sanxing {

struct TransferRequest {
    std::string url;
    std::string userAgent;
    std::vector<std::string> headerLines;  // sent in this order after Host and User-Agent
    bool post = false;
    std::string_view postBytes;
    bool followRedirects = true;
    int maxRedirects = 0;
    bool failOnHttpError = false;
    std::string proxy;  // empty: connect directly, ignoring the environment
};

struct TransferAnswer {
    std::string body;
    std::string headers;      // raw header lines of the last answer, CR LF each
    int redirects = 0;        // redirects the client followed
    std::string redirectUrl;  // where a redirect answer that was not followed leads, resolved
};

// The answer, or why there was none: ErrorCode::Cancelled when cancelled, NotFound for an
// answer 404 (with failOnHttpError), Network for any other failure; the text in Chinese.
Result<TransferAnswer> RunTransfer(const TransferRequest& request, const HttpOptions& options);

}  // namespace sanxing
