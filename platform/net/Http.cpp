#include "platform/net/Http.h"

#include "platform/net/CurlLibrary.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace plyx::net {

namespace {

constexpr std::chrono::milliseconds kStandardTimeout{60000};
std::atomic<long long> gDefaultTimeoutMs{kStandardTimeout.count()};

struct Sink {
    std::string body;
    std::size_t limit = kMaxBodyBytes;
    bool overflow = false;
};

size_t writeBody(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const size_t n = size * count;
    if (n > sink->limit - sink->body.size()) {
        sink->overflow = true;
        return 0; // makes the transfer fail
    }
    sink->body.append(data, n);
    return n;
}

struct EasyDeleter {
    const CurlLibrary* lib;
    void operator()(CURL* c) const { lib->easy_cleanup(c); }
};
struct ListDeleter {
    const CurlLibrary* lib;
    void operator()(curl_slist* l) const { lib->slist_free_all(l); }
};

} // namespace

std::chrono::milliseconds defaultTimeout() { return std::chrono::milliseconds(gDefaultTimeoutMs.load()); }

void setDefaultTimeout(std::optional<std::chrono::milliseconds> timeout) {
    gDefaultTimeoutMs.store((timeout ? *timeout : kStandardTimeout).count());
}

Response get(const std::string& url, const Headers& headers, std::optional<std::chrono::milliseconds> timeout,
             std::size_t maxBody) {
    const CurlLibrary* lib = curlLibrary();
    if (!lib) throw TransportError("the transfer library (libcurl) is not installed");
    std::unique_ptr<CURL, EasyDeleter> curl(lib->easy_init(), EasyDeleter{lib});
    if (!curl) throw TransportError("cannot start a transfer");
    CURL* c = curl.get();

    std::unique_ptr<curl_slist, ListDeleter> list(nullptr, ListDeleter{lib});
    for (const auto& [name, value] : headers) {
        const std::string line = name + ": " + value;
        curl_slist* next = lib->slist_append(list.get(), line.c_str());
        if (!next) throw TransportError("cannot build the request headers");
        (void)list.release();
        list.reset(next);
    }

    const long long ms = (timeout ? *timeout : defaultTimeout()).count();
    Sink sink;
    sink.limit = std::min(maxBody, kMaxBodyBytes);
    char errorText[CURL_ERROR_SIZE] = {0};
    lib->easy_setopt(c, CURLOPT_URL, url.c_str());
    lib->easy_setopt(c, CURLOPT_HTTPGET, 1L);
    lib->easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    lib->easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    lib->easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    lib->easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    // Worker threads call this; signals must not be used for time-outs.
    lib->easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    lib->easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(ms > 0 ? ms : 1));
    lib->easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(ms > 0 ? ms : 1));
    // Loopback never goes through a proxy.
    lib->easy_setopt(c, CURLOPT_NOPROXY, "127.0.0.1,localhost,::1");
    lib->easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    lib->easy_setopt(c, CURLOPT_WRITEFUNCTION, &writeBody);
    lib->easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    lib->easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(sink.limit));
    lib->easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    if (list) lib->easy_setopt(c, CURLOPT_HTTPHEADER, list.get());

    const CURLcode rc = lib->easy_perform(c);
    if (sink.overflow || rc == CURLE_FILESIZE_EXCEEDED) throw TransportError("answer too large");
    if (rc != CURLE_OK) throw TransportError(errorText[0] ? errorText : lib->easy_strerror(rc));

    Response response;
    lib->easy_getinfo(c, CURLINFO_RESPONSE_CODE, &response.status);
    response.body = std::move(sink.body);
    return response;
}

} // namespace plyx::net
