#pragma once
// One plain HTTP GET, the way every web data source fetches: the body comes
// back whatever the status code, and only a failed transfer is an error.
// Every request has a timeout, so a dead server never hangs a widget.
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace plyx::net {

using Headers = std::vector<std::pair<std::string, std::string>>;

/// The transfer failed: no connection, time-out, malformed address, a body
/// larger than the loader accepts.
struct TransportError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// An answer arrived but holds nothing usable (no result, no price).
struct CannotParseResponse : std::runtime_error {
    CannotParseResponse() : std::runtime_error("cannot parse response") {}
};

struct Response {
    long status = 0;   ///< kept for diagnostics; the data sources do not look at it
    std::string body;
};

/// The loader's default request timeout: 60 s unless changed.
std::chrono::milliseconds defaultTimeout();
/// Changes the default timeout for the whole process (tests shorten it);
/// nothing restores 60 s.
void setDefaultTimeout(std::optional<std::chrono::milliseconds> timeout);

/// Bodies above this size fail the transfer rather than filling memory.
inline constexpr std::size_t kMaxBodyBytes = 16 * 1024 * 1024;

/// One GET of `url` with the given headers. The timeout covers the whole
/// transfer; when absent, `defaultTimeout()` applies. Redirects are followed.
/// A body longer than `maxBody` bytes fails the transfer (as soon as it is
/// announced, else once that much has come). Throws TransportError on any
/// transfer failure; the status code is not examined.
Response get(const std::string& url, const Headers& headers = {},
             std::optional<std::chrono::milliseconds> timeout = std::nullopt, std::size_t maxBody = kMaxBodyBytes);

} // namespace plyx::net
