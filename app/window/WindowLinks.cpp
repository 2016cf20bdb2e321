#include "app/window/WindowLinks.h"

#include <array>
#include <cctype>
#include <utility>

namespace plyx::WindowLinks {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

/// "%2F" and the like turned into their bytes; a "%" without two hex digits stays.
std::string percentDecoded(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            const int hi = hexValue(s[i + 1]), lo = hexValue(s[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

constexpr std::array<std::pair<std::string_view, DesktopApp>, 3> kApps = {{
    {"weather", DesktopApp::weather},
    {"calendar", DesktopApp::calendar},
    {"reminders", DesktopApp::reminders},
}};

} // namespace

LinkParts split(std::string_view url) {
    LinkParts parts;
    // A scheme: a letter, then letters, digits, "+", "-" or ".", then ":".
    const auto colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(url[0])))
        return parts;
    for (std::size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(url[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return parts;
    }
    parts.scheme = std::string(url.substr(0, colon));
    auto rest = url.substr(colon + 1);
    // The fragment and query play no part.
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const auto end = rest.find('/');
        auto authority = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
        if (const auto at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
        if (const auto port = authority.rfind(':'); port != std::string_view::npos) authority = authority.substr(0, port);
        parts.host = percentDecoded(authority);
    }
    parts.path = percentDecoded(rest);
    return parts;
}

std::string lastPathComponent(const std::string& path) {
    if (path.empty()) return {};
    const auto last = path.find_last_not_of('/');
    if (last == std::string::npos) return "/";
    const auto slash = path.rfind('/', last);
    const auto start = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(start, last + 1 - start);
}

Action actionFor(std::string_view url) {
    const auto parts = split(url);
    if (parts.scheme != kScheme) return {};
    if (parts.host == "notes") return OpenNotes{parts.path == "/new"};
    if (parts.host == "open") {
        const auto name = lastPathComponent(parts.path);
        for (const auto& [appName, app] : kApps)
            if (name == appName) return OpenApp{app};
    }
    return {};
}

} // namespace plyx::WindowLinks
