#include "platform/system/FileValues.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace plyx::sys::detail {

namespace fs = std::filesystem;

std::optional<std::string> readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream ss;
    ss << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return ss.str();
}

static std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::optional<std::string> readLine(const fs::path& p) {
    auto text = readText(p);
    if (!text) return std::nullopt;
    return trim(text->substr(0, text->find('\n')));
}

template <class T> static std::optional<T> parse(const std::string& raw) {
    const std::string s = trim(raw);
    if (s.empty()) return std::nullopt;
    T v{};
    const char* first = s.data();
    if (*first == '+') ++first;
    const auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), v);
    if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

std::optional<std::int64_t> parseInteger(const std::string& s) { return parse<std::int64_t>(s); }
std::optional<std::uint64_t> parseUnsigned(const std::string& s) { return parse<std::uint64_t>(s); }

std::optional<std::int64_t> readInteger(const fs::path& p) {
    auto line = readLine(p);
    return line ? parseInteger(*line) : std::nullopt;
}

std::optional<std::uint64_t> readUnsigned(const fs::path& p) {
    auto line = readLine(p);
    return line ? parseUnsigned(*line) : std::nullopt;
}

fs::path under(const fs::path& root, const std::string& absolute) {
    return root / fs::path(absolute).relative_path();
}

} // namespace plyx::sys::detail
