#include "net/http_request.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>
#include <vector>

#include "net/page_text.h"
#include "runtime/split.h"

namespace sanxing {

const std::string_view kDefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; ZK3QA; .NET CLR 2.0.50727; .NET CLR 3.0.04506.648; "
    ".NET CLR 3.5.21022)";

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '[' ||
           c == ']' || c == ':';
}

std::string_view CookieName(std::string_view item) { return item.substr(0, item.find('=')); }

// Removes ASCII spaces and GBK full-width spaces (A1 A1) from bytes as received. The
// bytes are walked as GBK characters (a byte from 81 up starts a two-byte one), so A1 A1
// made of two characters' halves stays, and so does every other multi-byte sequence;
// what is left reads as the same characters, so a second pass removes nothing.
std::string RemoveGbkSpaces(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0, length = 1; at < bytes.size(); at += length) {
        length = static_cast<unsigned char>(bytes[at]) >= 0x81 && at + 1 < bytes.size() ? 2 : 1;
        const std::string_view character = bytes.substr(at, length);
        if (character != " " && character != "\xA1\xA1") out += character;
    }
    return out;
}

}  // namespace

bool UrlParts::usable() const {
    const bool cleanPath = std::none_of(path.begin(), path.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b <= 0x20 || b == 0x7F;
    });
    return !host.empty() && std::all_of(host.begin(), host.end(), IsHostCharacter) && port >= 1 && port <= 65535 &&
           cleanPath;
}

std::string UrlParts::address() const {
    return (secure ? "https://" : "http://") + host + ":" + std::to_string(port) + path;
}

UrlParts SplitUrl(std::string_view url) {
    UrlParts parts;
    parts.secure = Lower(url.substr(0, 5)) == "https";
    std::string lowered = Lower(url);
    if (!lowered.ends_with('/')) lowered += '/';
    std::string hostPart;
    if (lowered.starts_with("https://")) {
        hostPart = TextBetween(lowered, "https://", "/");
    } else {
        // Only a leading scheme counts: "http://" further on belongs to the path or query.
        if (!lowered.starts_with("http://")) lowered = std::string("http://").append(lowered);
        hostPart = TextBetween(lowered, "http://", "/");
    }
    parts.port = parts.secure ? 443 : 80;
    const std::size_t colon = hostPart.rfind(':');
    if (colon != std::string::npos && AllDigits(std::string_view(hostPart).substr(colon + 1))) {
        const std::string_view digits = std::string_view(hostPart).substr(colon + 1);
        int port = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
        parts.port = error == std::errc() && end == digits.data() + digits.size() ? port : 0;
        hostPart.resize(colon);
    }
    parts.host = hostPart;
    std::string_view path = "/";
    const std::size_t hostAt = parts.host.empty() ? std::string_view::npos : FindIgnoringCase(url, parts.host);
    if (hostAt != std::string_view::npos) {
        const std::size_t slash = url.find('/', hostAt);
        if (slash != std::string_view::npos) path = url.substr(slash);
    }
    parts.path = path;
    return parts;
}

std::string UserAgentFor(std::string_view headers) {
    if (FindIgnoringCase(headers, "User-Agent:") == std::string_view::npos) return std::string(kDefaultUserAgent);
    std::string agent = Trim(TextBetween(headers, "User-Agent:", "\r\n"));
    return agent.empty() ? ValueAfterColon(headers) : agent;
}

std::string CompleteHeaders(std::string headers, std::string_view url, std::string_view cookies) {
    if (headers.find("Referer:") == std::string::npos) {
        headers += headers.empty() ? "Referer: " : "\r\nReferer: ";
        headers += url;
    }
    if (headers.find("Accept:") == std::string::npos) headers += "\r\nAccept: */*";
    if (headers.find("Accept-Language:") == std::string::npos) headers += "\r\nAccept-Language: zh-cn";
    if (headers.find("Content-Type:") == std::string::npos) {
        headers += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
    if (!cookies.empty()) {
        headers += "\r\nCookie: ";
        headers += cookies;
    }
    return headers;
}

ResponseScan ScanResponseHeaders(std::string_view headers) {
    ResponseScan scan;
    ForEachToken(headers, "\r\n", [&](std::string_view line) {
        if (line.find("Location:") != std::string_view::npos) scan.location = ValueAfterColon(line);
        if (line.find("Set-Cookie") == std::string_view::npos) return;
        std::string cookie = Trim(TextBetween(line, "Set-Cookie:", ";"));
        // A cookie without attributes has no ";" after it: it runs to the end of the line.
        const std::size_t name = FindIgnoringCase(line, "Set-Cookie:");
        if (cookie.empty() && name != std::string_view::npos && line.find(';', name) == std::string_view::npos) {
            cookie = Trim(line.substr(name + std::string_view("Set-Cookie:").size()));
        }
        if (cookie.empty()) return;
        if (!scan.cookies.empty()) scan.cookies += "; ";
        scan.cookies += cookie;
    });
    return scan;
}

bool IsMovedPermanently(std::string_view headers) { return TextBetween(headers, "HTTP/1.1 ", " Moved") == "301"; }

std::string MovedTarget(std::string_view location, std::string_view currentPath, std::string_view resolved) {
    const std::string lowered = Lower(location);
    const std::size_t scheme = lowered.starts_with("http://") ? 7 : lowered.starts_with("https://") ? 8 : 0;
    std::string_view site = location;
    if (site.ends_with('/')) site.remove_suffix(1);
    const bool bare = scheme > 0 && site.size() > scheme && site.find('/', scheme) == std::string_view::npos &&
                      site.find_first_of("?#", scheme) == std::string_view::npos;
    if (bare) return std::string(site) + std::string(currentPath);
    return std::string(resolved);
}

bool IsUtf8Page(std::string_view body, std::string_view headers) {
    const std::size_t at = body.find("utf-8");
    if (at != std::string_view::npos && at + 1 < 500) return true;
    return FindIgnoringCase(headers, "utf-8") != std::string_view::npos;
}

std::string MergeCookies(std::string_view jar, std::string_view fresh) {
    const std::string jarText = RemoveGbkSpaces(jar);
    const std::string freshText = RemoveGbkSpaces(fresh);
    std::vector<std::string_view> merged = SplitText(freshText, ";");
    std::unordered_set<std::string_view> freshNames;
    for (const std::string_view item : merged) freshNames.insert(CookieName(item));
    for (const std::string_view item : SplitText(jarText, ";")) {
        if (!freshNames.contains(CookieName(item))) merged.push_back(item);
    }
    std::string out;
    std::unordered_set<std::string_view> seen;
    for (const std::string_view item : merged) {
        if (item.empty() || item.ends_with("=deleted") || !seen.insert(item).second) continue;
        if (!out.empty()) out += "; ";
        out += item;
    }
    return out;
}

}  // namespace sanxing
