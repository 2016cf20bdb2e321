#include "platform/system/FileValues.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace plyx::sys::detail {

namespace fs = std::filesystem;

namespace {

/// A /sys attribute is at most a page.
constexpr std::size_t kAttributeBytes = 4096;

/// How many kernel files one thread keeps open; a refresh reads a handful.
constexpr std::size_t kKeptOpen = 16;

// Reads into `buffer` from `offset`; -1 when it cannot be read.
ssize_t readOnce(int fd, char* buffer, std::size_t size, off_t offset) {
    ssize_t n = 0;
    do n = ::pread(fd, buffer, size, offset);
    while (n < 0 && errno == EINTR);
    return n;
}

// The /proc and /sys files this thread has read. The kernel makes their text
// up afresh on every read from the start, so a widget refreshed every few
// seconds needs one read, not an open, a read and a close. Files anywhere
// else (a test's fixture tree, a file replaced under its name) are opened on
// each read, since an open one would keep showing the replaced contents.
class KeptFiles {
public:
    KeptFiles() = default;
    KeptFiles(const KeptFiles&) = delete;
    KeptFiles& operator=(const KeptFiles&) = delete;
    ~KeptFiles() {
        for (const auto& f : files_) ::close(f.fd);
    }

    /// An open descriptor for `p`, and whether it stays open after the read.
    std::pair<int, bool> open(const fs::path& p) {
        for (std::size_t i = 0; i < files_.size(); ++i)
            if (files_[i].path == p.native()) {
                // Most recently used first, so the oldest is what is closed.
                if (i > 0) std::rotate(files_.begin(), files_.begin() + static_cast<std::ptrdiff_t>(i),
                                       files_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
                return {files_.front().fd, true};
            }
        const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || !madeUpByKernel(fd)) return {fd, false};
        if (files_.size() >= kKeptOpen) {
            ::close(files_.back().fd);
            files_.pop_back();
        }
        files_.insert(files_.begin(), File{p.native(), fd});
        return {fd, true};
    }

    /// Closes `fd` when it is kept: its device went away (a hot-unplugged
    /// card or interface), and a device under the same name later is a new file.
    void drop(int fd) {
        for (auto it = files_.begin(); it != files_.end(); ++it)
            if (it->fd == fd) {
                ::close(fd);
                files_.erase(it);
                return;
            }
    }

private:
    struct File {
        std::string path;
        int fd;
    };
    std::vector<File> files_;

    static bool madeUpByKernel(int fd) {
        struct statfs st {};
        return ::fstatfs(fd, &st) == 0 && (st.f_type == PROC_SUPER_MAGIC || st.f_type == SYSFS_MAGIC);
    }
};

KeptFiles& keptFiles() {
    thread_local KeptFiles files;
    return files;
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
    auto& kept = keptFiles();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto [fd, keep] = kept.open(p);
        if (fd < 0) return std::nullopt;
        const ssize_t n = readOnce(fd, buffer.data(), buffer.size(), 0);
        if (!keep) ::close(fd);
        if (n >= 0) return std::string_view(buffer.data(), static_cast<std::size_t>(n));
        if (!keep) return std::nullopt;
        // A kept file whose device is gone: try the name once more, afresh.
        kept.drop(fd);
    }
    return std::nullopt;
}

std::optional<std::string> readText(const fs::path& p) {
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string out;
    std::array<char, 4096> chunk;
    ssize_t n = 0;
    while ((n = readOnce(fd, chunk.data(), chunk.size(), static_cast<off_t>(out.size()))) > 0)
        out.append(chunk.data(), static_cast<std::size_t>(n));
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
    return root / fs::path(absolute).relative_path();
}

} // namespace plyx::sys::detail
