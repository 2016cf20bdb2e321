#pragma once
// A small HTTP/1.1 server on 127.0.0.1, run on a background thread inside the
// test process. It serves canned answers by path, records every request, and
// can answer slowly, with garbage, or not at all, so the web clients can be
// tested without leaving the machine.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace plyx::test {

class HttpServer {
public:
    enum class Mode {
        normal,  ///< a well-formed answer with the status and body given
        garbage, ///< bytes that are not HTTP, then the connection closes
        silent,  ///< reads the request and never answers while the server runs
    };

    struct Answer {
        int status = 200;
        std::string body;
        std::string contentType = "application/json";
        std::chrono::milliseconds delay{0}; ///< waited before answering
        Mode mode = Mode::normal;
        /// Runs on the server's thread once the request is recorded and any
        /// delay has passed, just before the answer goes out: lets a test
        /// change what a client will find after its transfer ends.
        std::function<void()> before;

        static Answer text(std::string content, int status = 200) {
            Answer a;
            a.status = status;
            a.body = std::move(content);
            return a;
        }
        static Answer slow(std::string content, std::chrono::milliseconds wait) {
            Answer a = text(std::move(content));
            a.delay = wait;
            return a;
        }
        static Answer silent() {
            Answer a;
            a.mode = Mode::silent;
            return a;
        }
        static Answer garbage() {
            Answer a;
            a.mode = Mode::garbage;
            return a;
        }
    };

    struct Request {
        std::string method;
        std::string path;  ///< as sent, still percent-encoded, without the query
        std::string query; ///< as sent, without "?"; empty when none
        std::map<std::string, std::string> headers; ///< names in lower case
    };

    /// Starts listening on an ephemeral port of 127.0.0.1.
    HttpServer();
    /// Stops the server, drops open connections and joins every thread.
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    int port() const { return port_; }
    /// "http://127.0.0.1:<port>"
    std::string baseUrl() const;

    /// Serves `answer` for requests whose path is exactly `path`; paths
    /// without an answer get 404 with an empty body.
    void answer(const std::string& path, Answer answer);
    /// Serves the contents of a fixture file with status 200.
    void answerFile(const std::string& path, const std::filesystem::path& file);

    /// Every request received so far, in arrival order.
    std::vector<Request> requests() const;
    std::size_t requestCount() const;
    /// Requests received so far for one path.
    std::size_t requestCount(const std::string& path) const;
    /// The last request received; fails the test when there is none.
    Request lastRequest() const;
    /// Forgets the recorded requests (answers stay).
    void clearRequests();

private:
    void acceptLoop();
    void serve(int fd);
    bool stopping() const { return stop_.load(); }

    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Answer> answers_;
    std::vector<Request> requests_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

} // namespace plyx::test
