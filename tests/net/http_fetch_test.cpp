#include "net/http_fetch.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "net/http_request.h"
#include "net/local_http_server.h"
#include "runtime/gbk.h"
#include "runtime/time_limits.h"

namespace sanxing {
namespace {

using namespace testing;
using namespace std::chrono_literals;

// Short bounds so that every failure ends quickly.
HttpOptions Quick() {
    HttpOptions options;
    options.connectTimeout = 300ms;
    options.totalTimeout = 600ms;
    return options;
}

// The page, or the reason it failed, so that a failure shows in the comparison.
std::string Text(const Result<std::string>& page) { return page ? *page : "failed: " + page.error(); }

// The reason of a failure with its code, or "succeeded".
std::string Why(const Result<std::string>& page) {
    if (page) return "succeeded";
    const char* code = page.code() == ErrorCode::Network     ? "network"
                       : page.code() == ErrorCode::NotFound  ? "not found"
                       : page.code() == ErrorCode::Cancelled ? "cancelled"
                                                             : "other";
    return std::string(code) + ": " + page.error();
}

std::size_t Position(const std::string& text, const std::string& part) {
    const std::size_t at = text.find(part);
    EXPECT_NE(at, std::string::npos) << "missing: " << part;
    return at;
}

TEST(HttpFetchWire, RequestLineAgentAndHeaderBlockInOrder) {
    LocalHttpServer server([](const Request&) { return Ok("page"); });
    const std::string url = server.base() + "/trend/Page.html?periodNumber=1";
    EXPECT_EQ(Text(HttpFetch(url, Quick())), "page");
    ASSERT_EQ(server.requestCount(), 1u);
    const std::string raw = server.requests()[0].raw;
    EXPECT_TRUE(raw.starts_with("GET /trend/Page.html?periodNumber=1 HTTP/1.1\r\n")) << raw;
    EXPECT_NE(raw.find("\r\nUser-Agent: " + std::string(kDefaultUserAgent) + "\r\n"), std::string::npos);
    const std::size_t referer = Position(raw, "\r\nReferer: " + url + "\r\n");
    const std::size_t accept = Position(raw, "\r\nAccept: */*\r\n");
    const std::size_t language = Position(raw, "\r\nAccept-Language: zh-cn\r\n");
    const std::size_t type = Position(raw, "\r\nContent-Type: application/x-www-form-urlencoded\r\n");
    EXPECT_LT(referer, accept);
    EXPECT_LT(accept, language);
    EXPECT_LT(language, type);
    EXPECT_EQ(raw.find("Cookie:"), std::string::npos);
    EXPECT_TRUE(raw.ends_with("\r\n\r\n"));
}

TEST(HttpFetchWire, CookiesGoOutAndComeBackMerged) {
    LocalHttpServer server(
        [](const Request&) { return Ok("ok", "Set-Cookie: b=3; path=/\r\nSet-Cookie: c=deleted; path=/\r\n"); });
    HttpExchange exchange;
    exchange.cookies = "a=1; b=2";
    exchange.headers = "Accept: text/xml\r\nUser-Agent: Bot/1.0";
    EXPECT_EQ(Text(HttpFetch(server.base() + "/x", exchange, Quick())), "ok");
    const std::string raw = server.requests()[0].raw;
    EXPECT_LT(Position(raw, "\r\nContent-Type: "), Position(raw, "\r\nCookie: a=1; b=2\r\n"));
    EXPECT_EQ(raw.find("Accept: */*"), std::string::npos);
    Position(raw, "\r\nUser-Agent: Bot/1.0\r\n");
    EXPECT_EQ(raw.find(kDefaultUserAgent), std::string::npos);
    EXPECT_EQ(exchange.returnedCookies, "b=3; c=deleted");
    EXPECT_EQ(*exchange.cookies, "b=3; a=1");
    EXPECT_TRUE(exchange.headers->starts_with("Accept: text/xml\r\nUser-Agent: Bot/1.0\r\nReferer: "));
    EXPECT_TRUE(exchange.responseHeaders.starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_EQ(exchange.location, exchange.responseHeaders);  // no Location line
}

TEST(HttpFetchWire, PostSendsTheTextAsBody) {
    LocalHttpServer server([](const Request&) { return Ok("done"); });
    HttpExchange exchange;
    exchange.method = 1;
    exchange.postText = "a=1&b=2";
    EXPECT_EQ(Text(HttpFetch(server.base() + "/post", exchange, Quick())), "done");
    const std::string raw = server.requests()[0].raw;
    EXPECT_TRUE(raw.starts_with("POST /post HTTP/1.1\r\n"));
    EXPECT_TRUE(raw.ends_with("\r\n\r\na=1&b=2"));
    EXPECT_EQ(exchange.postBytes, "a=1&b=2");
}

TEST(HttpFetchWire, MovedToBareSiteAddressKeepsThePath) {
    LocalHttpServer moved([](const Request& r) { return Ok("moved here: " + r.path); });
    std::string location;
    LocalHttpServer old(
        [&](const Request&) { return HttpReply(301, "Moved Permanently", "", "Location: " + location + "\r\n"); });
    const std::string url = old.base() + "/static/ssc/list.xml?";
    // As the program calls it, and with the client's own redirects turned off.
    for (const std::string& bare : {moved.base(), moved.base() + "/"}) {
        location = bare;
        EXPECT_EQ(Text(HttpFetch(url, Quick())), "moved here: /static/ssc/list.xml?") << bare;
        HttpExchange exchange;
        exchange.noAutoRedirect = true;
        EXPECT_EQ(Text(HttpFetch(url, exchange, Quick())), "moved here: /static/ssc/list.xml?") << bare;
    }
    ASSERT_EQ(moved.requestCount(), 4u);
    EXPECT_TRUE(moved.requests()[0].raw.starts_with("GET /static/ssc/list.xml? HTTP/1.1\r\n"));
    // A Location with a path is followed as given, relative ones against the current URL.
    location = moved.base() + "/elsewhere.xml";
    EXPECT_EQ(Text(HttpFetch(url, Quick())), "moved here: /elsewhere.xml");
    location = "/static/new.xml";
    // The old host answers 301 again, up to the bound.
    EXPECT_EQ(Why(HttpFetch(url, Quick())), "network: 转向过多（可能是转向循环）");
    EXPECT_EQ(MovedTarget("/static/new.xml", "/x", "http://h/static/new.xml"), "http://h/static/new.xml");
    EXPECT_EQ(MovedTarget("HTTPS://H:81", "/x?y", ""), "HTTPS://H:81/x?y");
    EXPECT_EQ(MovedTarget("http://h/?a", "/x", "http://h/?a"), "http://h/?a");
}

TEST(HttpFetchWire, ClientFollowsRedirectsByItself) {
    LocalHttpServer target([](const Request& r) { return Ok("at " + r.path); });
    LocalHttpServer old(
        [&](const Request&) { return HttpReply(302, "Found", "", "Location: " + target.base() + "/new\r\n"); });
    EXPECT_EQ(Text(HttpFetch(old.base() + "/old", Quick())), "at /new");
}

TEST(HttpFetchWire, CharsetRuleDecidesTheDecoding) {
    const std::string gbk = Utf8ToGbk("期号");
    LocalHttpServer server([&](const Request& r) {
        if (r.path == "/utf8-body") return Ok("<meta charset=\"utf-8\">期号");
        if (r.path == "/utf8-header") return Ok("期号", "Content-Type: text/html; charset=UTF-8\r\n");
        if (r.path == "/late") return Ok(std::string(600, ' ') + "utf-8" + gbk);
        return Ok(gbk + std::string("\0tail", 5));
    });
    const HttpOptions options = Quick();
    EXPECT_EQ(Text(HttpFetch(server.base() + "/utf8-body", options)), "<meta charset=\"utf-8\">期号");
    EXPECT_EQ(Text(HttpFetch(server.base() + "/utf8-header", options)), "期号");
    EXPECT_EQ(Text(HttpFetch(server.base() + "/late", options)), std::string(600, ' ') + "utf-8期号");
    EXPECT_EQ(Text(HttpFetch(server.base() + "/gbk", options)), "期号");  // up to the zero byte
}

TEST(SimpleGet, ReturnsTheRawBodyBytes) {
    const std::string bytes = Utf8ToGbk("期号") + std::string("\0\xFF", 2);
    LocalHttpServer server(
        [&](const Request& r) { return r.path == "/missing" ? HttpReply(404, "Not Found", "gone") : Ok(bytes); });
    EXPECT_EQ(Text(SimpleGet(server.base() + "/page", Quick())), bytes);
    EXPECT_EQ(Why(SimpleGet(server.base() + "/missing", Quick())), "not found: 服务器回答 404（找不到文件）");
    EXPECT_EQ(Text(HttpFetch(server.base() + "/missing", Quick())), "gone");  // its caller reads the status
    const std::string raw = server.requests()[0].raw;
    EXPECT_TRUE(raw.starts_with("GET /page HTTP/1.1\r\n"));
}

// Each failure is a network failure with its reason, within its bound.
class HttpFailures : public ::testing::Test {
protected:
    static void ExpectEmptyWithin(const std::string& url, const HttpOptions& options, long long boundMs) {
        Result<std::string> page = Failure{"not run"};
        Result<std::string> bytes = Failure{"not run"};
        EXPECT_LT(MillisecondsOf([&] { page = HttpFetch(url, options); }), boundMs);
        EXPECT_LT(MillisecondsOf([&] { bytes = SimpleGet(url, options); }), boundMs);
        for (const auto* result : {&page, &bytes}) {
            EXPECT_EQ(result->code(), ErrorCode::Network) << Why(*result);
            EXPECT_FALSE(result->error().empty() || result->error() == "not run") << Why(*result);
        }
    }
};

TEST_F(HttpFailures, RefusedConnection) {
    RefusingPort refusing;
    ExpectEmptyWithin(refusing.base() + "/x", Quick(), 500);
}

TEST_F(HttpFailures, ConnectionThatNeverCompletes) {
    StalledPort stalled;
    HttpOptions options = Quick();
    options.totalTimeout = std::chrono::milliseconds(5'000);  // only the connect bound can end it in time
    ExpectEmptyWithin(stalled.base() + "/x", options, 1'500);
}

TEST_F(HttpFailures, ServerThatNeverAnswers) {
    LocalHttpServer server([](const Request&) { return Silent(); });
    ExpectEmptyWithin(server.base() + "/x", Quick(), 1'500);
}

TEST_F(HttpFailures, BodyOverTheCap) {
    const std::string big(17u << 20, 'x');
    LocalHttpServer server([&](const Request& r) {
        // With a length up front, and without one (the body just runs until the close).
        if (r.path == "/sized") return Ok(big);
        return Reply{"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big};
    });
    ExpectEmptyWithin(server.base() + "/sized", Quick(), 1'500);
    ExpectEmptyWithin(server.base() + "/unsized", Quick(), 1'500);
}

TEST_F(HttpFailures, BodyExactlyAtTheCapIsKept) {
    LocalHttpServer server([](const Request&) { return Reply{"HTTP/1.1 200 OK\r\n\r\n" + std::string(1000, 'y')}; });
    HttpOptions options = Quick();
    options.maxBodyBytes = 1000;
    EXPECT_EQ(Text(HttpFetch(server.base() + "/x", options)).size(), 1000u);
    options.maxBodyBytes = 999;
    EXPECT_EQ(HttpFetch(server.base() + "/x", options).code(), ErrorCode::Network);
}

TEST_F(HttpFailures, RedirectLoopStopsAfterFiveRedirects) {
    std::string self;
    LocalHttpServer server(
        [&](const Request&) { return HttpReply(301, "Moved Permanently", "", "Location: " + self + "\r\n"); });
    self = server.base();
    ExpectEmptyWithin(server.base() + "/loop", Quick(), 1'500);
    EXPECT_EQ(server.requestCount(), 12u);  // twice: the first request and five redirects

    HttpExchange exchange;  // followed by the "301" rule instead of the client
    exchange.noAutoRedirect = true;
    EXPECT_EQ(Why(HttpFetch(server.base() + "/loop", exchange, Quick())), "network: 转向过多（可能是转向循环）");
    EXPECT_EQ(server.requestCount(), 18u);
}

TEST_F(HttpFailures, MovedWithoutUsableLocation) {
    LocalHttpServer server([](const Request&) { return HttpReply(301, "Moved Permanently", "body"); });
    EXPECT_EQ(Why(HttpFetch(server.base() + "/x", Quick())), "network: 服务器要求转向，却没有给出地址");
    EXPECT_EQ(server.requestCount(), 1u);
}

TEST_F(HttpFailures, RandomBytesInsteadOfAnAnswer) {
    std::mt19937 random(11);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    LocalHttpServer server([&](const Request&) { return Reply{noise}; });
    ExpectEmptyWithin(server.base() + "/x", Quick(), 1'500);
}

TEST_F(HttpFailures, UnusableUrl) {
    EXPECT_EQ(Why(HttpFetch("http://bad host/x", Quick())), "network: 地址格式不对");
    EXPECT_EQ(Why(SimpleGet("ftp://127.0.0.1/x", Quick())), "network: 只支持 http 和 https 地址");
    EXPECT_EQ(SimpleGet("", Quick()).code(), ErrorCode::Network);
}

TEST_F(HttpFailures, CancelEndsARunningTransfer) {
    LocalHttpServer server([](const Request&) { return Silent(); });
    std::atomic<bool> cancel{false};
    HttpOptions options;
    options.cancel = &cancel;  // full 30 s bound: only the flag can end it early
    std::thread canceller([&] {
        std::this_thread::sleep_for(100ms);
        cancel = true;
    });
    Result<std::string> page = Failure{"not run"};
    const auto ms = MillisecondsOf([&] { page = HttpFetch(server.base() + "/x", options); });
    canceller.join();
    EXPECT_EQ(Why(page), "cancelled: 已取消");
    EXPECT_LT(ms, 2'000);
    EXPECT_EQ(Why(SimpleGet(server.base() + "/x", options)), "cancelled: 已取消");  // nothing is sent
}

}  // namespace
}  // namespace sanxing
