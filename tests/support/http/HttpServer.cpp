#include "tests/support/http/HttpServer.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace plyx::test {

namespace {

constexpr int kPollMs = 20;

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

const char* reason(int status) {
    switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 429: return "Too Many Requests";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

void sendAll(int fd, const std::string& data) {
    size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            return;
        }
        sent += static_cast<size_t>(n);
    }
}

} // namespace

HttpServer::HttpServer() {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) throw std::runtime_error("test server: socket failed");
    const int yes = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 64) != 0) {
        ::close(listenFd_);
        throw std::runtime_error("test server: cannot listen on 127.0.0.1");
    }
    socklen_t len = sizeof addr;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

HttpServer::~HttpServer() {
    stop_.store(true);
    if (acceptor_.joinable()) acceptor_.join();
    ::close(listenFd_);
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(mutex_);
        threads.swap(connections_);
    }
    for (auto& t : threads)
        if (t.joinable()) t.join();
}

std::string HttpServer::baseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

void HttpServer::answer(const std::string& path, Answer a) {
    std::lock_guard lock(mutex_);
    answers_[path] = std::move(a);
}

void HttpServer::answerFile(const std::string& path, const std::filesystem::path& file) {
    if (!std::filesystem::exists(file)) throw std::runtime_error("test server: no fixture " + file.string());
    Answer a;
    a.body = readFile(file);
    answer(path, std::move(a));
}

std::vector<HttpServer::Request> HttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::size_t HttpServer::requestCount() const {
    std::lock_guard lock(mutex_);
    return requests_.size();
}

std::size_t HttpServer::requestCount(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(
        std::count_if(requests_.begin(), requests_.end(), [&](const Request& r) { return r.path == path; }));
}

HttpServer::Request HttpServer::lastRequest() const {
    std::lock_guard lock(mutex_);
    if (requests_.empty()) {
        ADD_FAILURE() << "the test server received no request";
        return {};
    }
    return requests_.back();
}

void HttpServer::clearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

void HttpServer::acceptLoop() {
    while (!stopping()) {
        pollfd p{listenFd_, POLLIN, 0};
        if (::poll(&p, 1, kPollMs) <= 0) continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::lock_guard lock(mutex_);
        connections_.emplace_back([this, fd] {
            serve(fd);
            ::close(fd);
        });
    }
}

void HttpServer::serve(int fd) {
    // Read the request head; GET requests carry no body.
    std::string raw;
    char buf[4096];
    while (raw.find("\r\n\r\n") == std::string::npos) {
        if (stopping() || raw.size() > 64 * 1024) return;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, kPollMs) <= 0) continue;
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0) return;
        raw.append(buf, static_cast<size_t>(n));
    }

    Request req;
    const auto headEnd = raw.find("\r\n\r\n");
    size_t lineEnd = raw.find("\r\n");
    const std::string requestLine = raw.substr(0, lineEnd);
    const auto sp1 = requestLine.find(' ');
    const auto sp2 = requestLine.rfind(' ');
    if (sp1 == std::string::npos || sp2 == sp1) return;
    req.method = requestLine.substr(0, sp1);
    const std::string target = requestLine.substr(sp1 + 1, sp2 - sp1 - 1);
    const auto q = target.find('?');
    req.path = target.substr(0, q);
    if (q != std::string::npos) req.query = target.substr(q + 1);
    size_t pos = lineEnd + 2;
    while (pos < headEnd) {
        const auto end = raw.find("\r\n", pos);
        const std::string line = raw.substr(pos, end - pos);
        const auto colon = line.find(':');
        if (colon != std::string::npos) req.headers[lower(line.substr(0, colon))] = trim(line.substr(colon + 1));
        pos = end + 2;
    }

    Answer a;
    bool known = false;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(req);
        if (auto it = answers_.find(req.path); it != answers_.end()) {
            a = it->second;
            known = true;
        }
    }
    if (!known) {
        a.status = 404;
        a.body.clear();
    }

    const auto until = std::chrono::steady_clock::now() + a.delay;
    while (!stopping() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (stopping()) return;
    if (a.before) a.before();

    switch (a.mode) {
    case Mode::silent:
        // Hold the connection open without a byte until the client gives up
        // or the server stops.
        while (!stopping()) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, kPollMs) > 0 && ::recv(fd, buf, sizeof buf, 0) <= 0) return;
        }
        return;
    case Mode::garbage: sendAll(fd, "\x01\x02 this is not HTTP \xff\xfe\r\n\r\n"); return;
    case Mode::normal: break;
    }

    std::string out = "HTTP/1.1 " + std::to_string(a.status) + " " + reason(a.status) + "\r\n";
    out += "Content-Type: " + a.contentType + "\r\n";
    out += "Content-Length: " + std::to_string(a.body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    out += a.body;
    sendAll(fd, out);
    ::shutdown(fd, SHUT_WR);
}

} // namespace plyx::test
