#include "platform/net/Url.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace plyx::net {

namespace {

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

std::string escape(std::string_view text, std::string_view alsoAllowed) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c) || alsoAllowed.find(ch) != std::string_view::npos) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0xF]);
        }
    }
    return out;
}

} // namespace

const char* serviceEnvironmentVariable(Service s) {
    switch (s) {
    case Service::forecast: return "PLYX_FORECAST_URL";
    case Service::geocoding: return "PLYX_GEOCODING_URL";
    case Service::airQuality: return "PLYX_AIRQUALITY_URL";
    case Service::stockChart: return "PLYX_STOCKS_URL";
    }
    return "";
}

const char* serviceDefaultBase(Service s) {
    switch (s) {
    case Service::forecast: return "https://api.open-meteo.com";
    case Service::geocoding: return "https://geocoding-api.open-meteo.com";
    case Service::airQuality: return "https://air-quality-api.open-meteo.com";
    case Service::stockChart: return "https://query1.finance.yahoo.com";
    }
    return "";
}

std::size_t serviceMaxAnswer(Service s) {
    constexpr std::size_t kKiB = 1024;
    switch (s) {
    case Service::forecast: return 1024 * kKiB;  // seven days of hours: some 10 KB; sixteen: under 100 KB
    case Service::geocoding: return 256 * kKiB;  // eight places: some 3 KB
    case Service::airQuality: return 64 * kKiB;  // one index: some 300 bytes
    case Service::stockChart: return 1024 * kKiB; // one day in 30-minute bars: some 5 KB
    }
    return 64 * kKiB;
}

std::string serviceBase(Service s) {
    const char* env = std::getenv(serviceEnvironmentVariable(s));
    std::string base = (env && *env) ? env : serviceDefaultBase(s);
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base;
}

std::string escapeQueryComponent(std::string_view text) { return escape(text, ",:;@/?!$'()*"); }

std::string queryString(const std::vector<QueryItem>& items) {
    std::string out;
    for (const auto& item : items) {
        if (!out.empty()) out.push_back('&');
        out += escapeQueryComponent(item.name);
        out.push_back('=');
        out += escapeQueryComponent(item.value);
    }
    return out;
}

std::string escapePathSegment(std::string_view text) {
    // "." and ".." are unreserved but would be resolved as dot segments and
    // move the request up the path, so a segment of dots alone is escaped whole.
    if (!text.empty() && text.find_first_not_of('.') == std::string_view::npos && text.size() <= 2) {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) out += "%2E";
        return out;
    }
    return escape(text, {});
}

std::string numberText(double v) {
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
    char buf[64];
    const double magnitude = std::fabs(v);
    // Very large and very small magnitudes read better with an exponent;
    // everything a coordinate can be is written out in full.
    const bool scientific = magnitude != 0 && (magnitude < 1e-4 || magnitude >= 9007199254740992.0);
    const auto res = std::to_chars(buf, buf + sizeof buf, v,
                                   scientific ? std::chars_format::scientific : std::chars_format::fixed);
    std::string out(buf, res.ptr);
    if (!scientific && out.find('.') == std::string::npos) out += ".0";
    return out;
}

} // namespace plyx::net
