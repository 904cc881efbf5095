#pragma once
// One HTTP transfer over libcurl within the bounds of HttpOptions. Used by HttpFetch and
// SimpleGet only.

#include <string>
#include <string_view>
#include <vector>

#include "net/http_fetch.h"

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

struct TransferResult {
    bool ok = false;
    std::string failure;  // why it failed, in Chinese; empty when ok
    std::string body;
    std::string headers;      // raw header lines of the last answer, CR LF each
    int redirects = 0;        // redirects the client followed
    std::string redirectUrl;  // where a redirect answer that was not followed leads, resolved
};

TransferResult RunTransfer(const TransferRequest& request, const HttpOptions& options);

}  // namespace sanxing
