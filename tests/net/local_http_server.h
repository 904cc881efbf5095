#pragma once
// A raw HTTP server on 127.0.0.1 for tests: it listens on a random port, records the bytes
// of every request and answers each one with what the test's script returns for it —
// any bytes at all, or nothing (holding the connection until the client gives up).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace sanxing::testing {

struct Reply {
    std::string bytes;    // sent as they are; then the server closes the connection
    bool silent = false;  // never answer
};

// A complete answer with a Content-Length and "Connection: close".
inline Reply HttpReply(int status, std::string_view reason, std::string_view body, std::string_view headers = {}) {
    std::string bytes = "HTTP/1.1 " + std::to_string(status) + " " + std::string(reason) + "\r\n";
    bytes += headers;
    bytes += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
    bytes += body;
    return {bytes, false};
}

inline Reply Ok(std::string_view body, std::string_view headers = {}) { return HttpReply(200, "OK", body, headers); }

inline Reply Silent() { return {{}, true}; }

// A TCP socket bound to a free port of 127.0.0.1; its address is written to `address`.
inline int BoundLoopbackSocket(sockaddr_in& address) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("test server: cannot bind a loopback port");
    }
    return fd;
}

struct Request {
    std::string raw;   // every byte received: request line, headers and body
    std::string path;  // the request target
};

class LocalHttpServer {
public:
    using Script = std::function<Reply(const Request& request)>;

    explicit LocalHttpServer(Script script) : script_(std::move(script)) {
        sockaddr_in address;
        listen_ = BoundLoopbackSocket(address);
        if (listen(listen_, 16) != 0) throw std::runtime_error("test server: cannot listen");
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { acceptLoop(); });
    }

    ~LocalHttpServer() {
        stopping_ = true;
        acceptor_.join();
        std::vector<std::thread> connections;
        {
            std::lock_guard lock(mutex_);
            connections.swap(connections_);
        }
        for (std::thread& t : connections) t.join();
        close(listen_);
    }

    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return port_; }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

    std::vector<Request> requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::size_t requestCount() const { return requests().size(); }
    std::size_t requestCount(std::string_view pathPrefix) const {
        std::size_t n = 0;
        for (const Request& r : requests()) n += r.path.starts_with(pathPrefix) ? 1 : 0;
        return n;
    }

private:
    static constexpr int kPollMs = 20;

    void acceptLoop() {
        while (!stopping_) {
            pollfd p{listen_, POLLIN, 0};
            if (poll(&p, 1, kPollMs) <= 0) continue;
            const int fd = accept(listen_, nullptr, nullptr);
            if (fd < 0) continue;
            std::lock_guard lock(mutex_);
            connections_.emplace_back([this, fd] { serve(fd); });
        }
    }

    // Waits until fd is ready for `events`; false when the server stops first.
    bool wait(int fd, short events) const {
        while (!stopping_) {
            pollfd p{fd, events, 0};
            const int rc = poll(&p, 1, kPollMs);
            if (rc > 0) return true;
            if (rc < 0) return false;
        }
        return false;
    }

    static std::size_t ContentLength(const std::string& head) {
        std::string lower(head);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const std::size_t at = lower.find("\r\ncontent-length:");
        return at == std::string::npos ? 0 : std::strtoul(head.c_str() + at + 17, nullptr, 10);
    }

    bool readRequest(int fd, Request& request) {
        char buffer[4096];
        std::size_t headEnd = std::string::npos;
        while (headEnd == std::string::npos ||
               request.raw.size() < headEnd + 4 + ContentLength(request.raw.substr(0, headEnd))) {
            if (!wait(fd, POLLIN)) return false;
            const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) return false;
            request.raw.append(buffer, static_cast<std::size_t>(n));
            if (headEnd == std::string::npos) headEnd = request.raw.find("\r\n\r\n");
        }
        const std::size_t space = request.raw.find(' ');
        const std::size_t end = request.raw.find(' ', space + 1);
        if (space != std::string::npos && end != std::string::npos) {
            request.path = request.raw.substr(space + 1, end - space - 1);
        }
        return true;
    }

    void sendAll(int fd, const std::string& bytes) {
        std::size_t sent = 0;
        while (sent < bytes.size() && wait(fd, POLLOUT)) {
            const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) return;  // the client went away
            sent += static_cast<std::size_t>(n);
        }
    }

    // Reads until the client closes its side (or the server stops).
    void drain(int fd) {
        char buffer[4096];
        while (wait(fd, POLLIN) && recv(fd, buffer, sizeof buffer, 0) > 0) {
        }
    }

    void serve(int fd) {
        Request request;
        if (readRequest(fd, request)) {
            {
                std::lock_guard lock(mutex_);
                requests_.push_back(request);
            }
            const Reply reply = script_(request);
            if (!reply.silent) {
                sendAll(fd, reply.bytes);
                shutdown(fd, SHUT_WR);
            }
            drain(fd);
        }
        close(fd);
    }

    Script script_;
    int listen_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    mutable std::mutex mutex_;
    std::vector<std::thread> connections_;
    std::vector<Request> requests_;
};

// A port where nothing accepts connections: bound, not listening, so a connect is refused.
class RefusingPort {
public:
    RefusingPort() {
        sockaddr_in address;
        fd_ = BoundLoopbackSocket(address);
        port_ = ntohs(address.sin_port);
    }
    ~RefusingPort() { close(fd_); }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    int fd_ = -1;
    int port_ = 0;
};

// A port whose connections never complete: it listens with a full accept queue and never
// accepts, so further connection attempts are left waiting.
class StalledPort {
public:
    StalledPort() {
        sockaddr_in address;
        listen_ = BoundLoopbackSocket(address);
        listen(listen_, 0);
        port_ = ntohs(address.sin_port);
        for (int& fd : fillers_) {
            fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~StalledPort() {
        for (const int fd : fillers_) close(fd);
        close(listen_);
    }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    int listen_ = -1;
    int port_ = 0;
    int fillers_[4] = {-1, -1, -1, -1};
};

}  // namespace sanxing::testing
