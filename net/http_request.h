#pragma once
// The pure parts of the program's own HTTP routine: how a URL is taken apart, which
// agent and header block a request carries, and what is read back from the response
// headers (location, cookies, the "301" rule, the charset rule).

#include <string>
#include <string_view>

namespace sanxing {

extern const std::string_view kDefaultUserAgent;

struct UrlParts {
    std::string host;  // lower case, port cut off
    int port = 80;
    std::string path;  // from the first "/" after the host, case kept; "/" when there is none
    bool secure = false;

    // A host of host-name characters, a port in range and no spaces or control bytes.
    bool usable() const;
    // The address handed to the HTTP client.
    std::string address() const;
};

// Takes a URL apart the way the request routine does: a URL without a scheme is an
// http:// URL; the port defaults to 443 for https and 80 otherwise.
UrlParts SplitUrl(std::string_view url);

// The agent of a request: the value of a "User-Agent:" line of the header text when it has
// one, else the default agent.
std::string UserAgentFor(std::string_view headers);

// Completes a header block: Referer, Accept, Accept-Language and Content-Type lines, in
// that order, each added only when missing, then the Cookie line when cookies are given.
std::string CompleteHeaders(std::string headers, std::string_view url, std::string_view cookies);

struct ResponseScan {
    std::string location;  // value of the last "Location:" line
    std::string cookies;   // name=value of every Set-Cookie line, joined by "; "
};
ResponseScan ScanResponseHeaders(std::string_view headers);

// True when the status line says "301 Moved".
bool IsMovedPermanently(std::string_view headers);

// Where a "301" leads: a Location that is a bare site address ("http://host[:port]", a
// lone trailing "/" allowed) keeps the path of the current URL (`currentPath`); any other
// Location is followed as the client resolves it (`resolved`, empty when it cannot).
std::string MovedTarget(std::string_view location, std::string_view currentPath, std::string_view resolved);

// A page is UTF-8 when "utf-8" occurs among its first 500 bytes, or else when the response
// headers mention "utf-8" in any case.
bool IsUtf8Page(std::string_view body, std::string_view headers);

// Merges freshly returned cookies into a cookie jar, both as the bytes received: ASCII
// and GBK full-width spaces removed, fresh items first, then the jar's items whose names
// the fresh ones do not carry; deleted and empty items and exact duplicates dropped;
// items joined by "; ". Merging the result again changes nothing.
std::string MergeCookies(std::string_view jar, std::string_view fresh);

}  // namespace sanxing
