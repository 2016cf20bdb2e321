#include "platform/system/FileValues.h"

#include "platform/system/KernelFiles.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>

namespace plyx::sys::detail {

namespace fs = std::filesystem;

namespace {

/// A /sys attribute is at most a page.
constexpr std::size_t kAttributeBytes = 4096;

// Reads the next bytes into `buffer`; -1 when they cannot be read.
ssize_t readOnce(int fd, char* buffer, std::size_t size) {
    ssize_t n = 0;
    do n = ::read(fd, buffer, size);
    while (n < 0 && errno == EINTR);
    return n;
}

template <class T> std::optional<T> parse(std::string_view raw) {
    std::string_view s = trimmed(raw);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    T v{};
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

} // namespace

std::string_view trimmed(std::string_view s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::optional<std::string_view> readHead(const fs::path& p, std::span<char> buffer) {
    const long n = readStart(p, buffer);
    if (n < 0) return std::nullopt;
    return std::string_view(buffer.data(), static_cast<std::size_t>(n));
}

std::optional<std::string> readText(const fs::path& p) {
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string out;
    std::array<char, 4096> chunk;
    ssize_t n = 0;
    while ((n = readOnce(fd, chunk.data(), chunk.size())) > 0) out.append(chunk.data(), static_cast<std::size_t>(n));
    ::close(fd);
    if (n < 0) return std::nullopt;
    return out;
}

std::optional<std::string> readLine(const fs::path& p) {
    std::array<char, kAttributeBytes> buffer;
    const auto head = readHead(p, buffer);
    if (!head) return std::nullopt;
    return std::string(trimmed(head->substr(0, head->find('\n'))));
}

std::optional<std::int64_t> parseInteger(std::string_view s) { return parse<std::int64_t>(s); }
std::optional<std::uint64_t> parseUnsigned(std::string_view s) { return parse<std::uint64_t>(s); }

std::optional<std::int64_t> readInteger(const fs::path& p) {
    std::array<char, kAttributeBytes> buffer;
    const auto head = readHead(p, buffer);
    return head ? parseInteger(head->substr(0, head->find('\n'))) : std::nullopt;
}

std::optional<std::uint64_t> readUnsigned(const fs::path& p) {
    std::array<char, kAttributeBytes> buffer;
    const auto head = readHead(p, buffer);
    return head ? parseUnsigned(head->substr(0, head->find('\n'))) : std::nullopt;
}

fs::path under(const fs::path& root, const std::string& absolute) {
    // The real root, as every read outside tests has it: the path as it is.
    if (root.native() == "/") return fs::path(absolute);
    return root / fs::path(absolute).relative_path();
}

} // namespace plyx::sys::detail
