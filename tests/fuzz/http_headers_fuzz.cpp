// The pure parts of the HTTP routine on hostile header and URL bytes. Pieces: response
// headers, a page body, a cookie jar, a URL. The 301 and charset rules are compared with
// plain reference searches; merged cookies merged again must not change.

#include <algorithm>

#include "fuzz_input.h"
#include "net/http_request.h"

using namespace sanxing;

namespace {

// The status text between "HTTP/1.1 " and " Moved", both found in any case, is "301".
bool ReferenceMoved(std::string_view headers) {
    const std::string lower = fuzz::LowerAscii(headers);
    const std::size_t line = lower.find("http/1.1 ");
    if (line == std::string::npos) return false;
    const std::string_view after = std::string_view(lower).substr(line + 9);
    const std::size_t moved = after.find(" moved");
    return moved != std::string_view::npos && after.substr(0, moved) == "301";
}

bool ReferenceUtf8(std::string_view body, std::string_view headers) {
    const std::size_t at = body.find("utf-8");
    return (at != std::string_view::npos && at < 499) || fuzz::LowerAscii(headers).find("utf-8") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto pieces = fuzz::Pieces(fuzz::Bytes(data, size), 4);
    const std::string_view headers = pieces[0], body = pieces[1], jar = pieces[2], url = pieces[3];

    fuzz::Check(IsMovedPermanently(headers) == ReferenceMoved(headers), "the 301 rule");
    fuzz::Check(IsUtf8Page(body, headers) == ReferenceUtf8(body, headers), "the charset rule");

    const ResponseScan scan = ScanResponseHeaders(headers);
    const std::string merged = MergeCookies(jar, scan.cookies);
    fuzz::Check(MergeCookies(merged, "") == merged, "merged cookies merge to themselves");
    fuzz::Check(MergeCookies(merged, scan.cookies) == merged, "merging the same cookies twice changes nothing");
    fuzz::Check(merged.find("=deleted;") == std::string::npos && !merged.ends_with("=deleted"),
                "deleted cookies are dropped");

    const UrlParts parts = SplitUrl(url);
    if (parts.usable()) fuzz::Check(SplitUrl(parts.address()).host == parts.host, "an address keeps its host");
    const std::string request = CompleteHeaders(std::string(headers), url, merged);
    fuzz::Check(request.starts_with(headers), "completing keeps the given headers");
    UserAgentFor(request);
    return 0;
}
