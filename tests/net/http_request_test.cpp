#include "net/http_request.h"

#include <gtest/gtest.h>

namespace sanxing {
namespace {

TEST(SplitUrl, UrlWithoutSchemeIsPlainHttpOnPort80) {
    const UrlParts parts = SplitUrl("Example.com/a/B?c=1");
    EXPECT_EQ(parts.host, "example.com");
    EXPECT_EQ(parts.port, 80);
    EXPECT_EQ(parts.path, "/a/B?c=1");
    EXPECT_FALSE(parts.secure);
    EXPECT_EQ(parts.address(), "http://example.com:80/a/B?c=1");
}

TEST(SplitUrl, UpperCaseSecureSchemeWithPortKeepsPathCase) {
    const UrlParts parts = SplitUrl("HTTPS://Host:8443/X?y");
    EXPECT_EQ(parts.host, "host");
    EXPECT_EQ(parts.port, 8443);
    EXPECT_EQ(parts.path, "/X?y");
    EXPECT_TRUE(parts.secure);
    EXPECT_TRUE(parts.usable());
}

TEST(SplitUrl, BareSiteAddressHasRootPathAndDefaultPorts) {
    EXPECT_EQ(SplitUrl("http://a.example").path, "/");
    EXPECT_EQ(SplitUrl("https://a.example").port, 443);
    EXPECT_EQ(SplitUrl("http://127.0.0.1:8080").port, 8080);
}

TEST(SplitUrl, SchemeLaterInTheTextDoesNotNameTheHost) {
    const UrlParts parts = SplitUrl("a.example/go?to=http://b.example/x");
    EXPECT_EQ(parts.host, "a.example");
    EXPECT_EQ(parts.path, "/go?to=http://b.example/x");
}

TEST(SplitUrl, UnusableUrls) {
    EXPECT_FALSE(SplitUrl("").usable());
    EXPECT_FALSE(SplitUrl("http:///x").usable());
    EXPECT_FALSE(SplitUrl("http://a.example:0/").usable());
    EXPECT_FALSE(SplitUrl("http://a.example:99999/").usable());
    // A whole header block taken as a location: spaces and line breaks.
    EXPECT_FALSE(SplitUrl("HTTP/1.1 301 Moved\r\nServer: x\r\n\r\n/a").usable());
    EXPECT_FALSE(SplitUrl("http://a.example/a b").usable());
    EXPECT_FALSE(SplitUrl("http://a b/").usable());
}

TEST(UserAgentFor, DefaultAgentUnlessHeadersGiveOne) {
    EXPECT_EQ(UserAgentFor(""), kDefaultUserAgent);
    EXPECT_EQ(UserAgentFor("Accept: */*"), kDefaultUserAgent);
    EXPECT_EQ(UserAgentFor("user-agent:  Bot/1 \r\nAccept: */*"), "Bot/1");
    // The agent line is the last line: no CR LF follows it.
    EXPECT_EQ(UserAgentFor("User-Agent: Bot/2"), "Bot/2");
}

TEST(CompleteHeaders, AddsTheFourLinesInOrder) {
    EXPECT_EQ(CompleteHeaders("", "http://a.example/x", ""),
              "Referer: http://a.example/x\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
              "Content-Type: application/x-www-form-urlencoded");
}

TEST(CompleteHeaders, KeepsGivenLinesAndAppendsCookieLast) {
    EXPECT_EQ(CompleteHeaders("Accept: text/xml", "u", "a=1"),
              "Accept: text/xml\r\nReferer: u\r\nAccept-Language: zh-cn\r\n"
              "Content-Type: application/x-www-form-urlencoded\r\nCookie: a=1");
    const std::string full = "Referer: r\r\nAccept: a\r\nAccept-Language: l\r\nContent-Type: c";
    EXPECT_EQ(CompleteHeaders(full, "u", ""), full);
}

TEST(ScanResponseHeaders, CollectsCookiesAndLocation) {
    const ResponseScan scan = ScanResponseHeaders(
        "HTTP/1.1 301 Moved Permanently\r\nSet-Cookie: a=1; path=/\r\nLocation: http://b.example\r\n"
        "Set-Cookie: b=2; path=/\r\n\r\n");
    EXPECT_EQ(scan.cookies, "a=1; b=2");
    EXPECT_EQ(scan.location, "http://b.example");
}

TEST(ScanResponseHeaders, CookieWithoutAttributesIsKept) {
    EXPECT_EQ(ScanResponseHeaders("HTTP/1.1 200 OK\r\nSet-Cookie: s=9\r\nSet-Cookie: ; x\r\n\r\n").cookies, "s=9");
    EXPECT_EQ(ScanResponseHeaders("HTTP/1.1 200 OK\r\n\r\n").cookies, "");
}

TEST(ResponseRules, MovedPermanentlyNeedsStatus301) {
    EXPECT_TRUE(IsMovedPermanently("HTTP/1.1 301 Moved Permanently\r\n"));
    EXPECT_FALSE(IsMovedPermanently("HTTP/1.1 302 Moved Temporarily\r\n"));
    EXPECT_FALSE(IsMovedPermanently("HTTP/1.1 200 OK\r\nX: 301 Moved\r\n"));
}

TEST(ResponseRules, CharsetRule) {
    const std::string early = "<meta charset=utf-8>";
    EXPECT_TRUE(IsUtf8Page(early, ""));
    EXPECT_FALSE(IsUtf8Page("<meta charset=UTF-8>", ""));          // the body test is exact
    EXPECT_TRUE(IsUtf8Page(std::string(498, ' ') + "utf-8", ""));  // 1-based position 499
    EXPECT_FALSE(IsUtf8Page(std::string(499, ' ') + "utf-8", "Content-Type: text/html"));
    EXPECT_TRUE(IsUtf8Page(std::string(600, ' ') + "utf-8", "Content-Type: text/html; charset=UTF-8"));
}

TEST(MergeCookies, FreshCookiesReplaceAndDeletedOnesGo) {
    EXPECT_EQ(MergeCookies("a=1; b=2", "b=3; c=deleted"), "b=3; a=1");
    EXPECT_EQ(MergeCookies("", "x=1"), "x=1");
    EXPECT_EQ(MergeCookies("x=1", ""), "x=1");
    EXPECT_EQ(MergeCookies("a=deleted", ""), "");
}

TEST(MergeCookies, SpacesEmptyItemsAndDuplicates) {
    EXPECT_EQ(MergeCookies(" a = 1 ;\xA1\xA1"
                           "flag; ;",
                           "c=3;c=3"),
              "c=3; a=1; flag");
}

// The bytes are GBK as received: only whole full-width spaces go; UTF-8 text and GBK
// characters whose halves read A1 A1 stay, and a second merge changes nothing.
TEST(MergeCookies, KeepsMultiByteTextThatOnlyLooksLikeASpace) {
    const std::string utf8 = "u=\xE3\x80\x80x";            // a UTF-8 full-width space is no GBK space
    const std::string gbk = "g=\xB0\xA1\xA1\xB0\xA1\xA1";  // 啊, “ and a full-width space
    EXPECT_EQ(MergeCookies(utf8, gbk), "g=\xB0\xA1\xA1\xB0; " + utf8);
    const std::string once = MergeCookies("\x81; a=\xE3 \x80\x80 b", "\xA1 \xA1\xA1");
    EXPECT_EQ(MergeCookies(once, ""), once);
}

}  // namespace
}  // namespace sanxing
