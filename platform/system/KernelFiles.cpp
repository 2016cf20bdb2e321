#include "platform/system/KernelFiles.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace plyx::sys::detail {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

/// How many kernel files and folders one thread keeps open; a refresh reads a handful.
constexpr std::size_t kKeptOpen = 16;
/// How long a kernel path found missing is taken as still missing.
constexpr auto kRecheckMissing = std::chrono::seconds(2);

bool madeUpByKernel(int fd) {
    struct statfs st {};
    return ::fstatfs(fd, &st) == 0 && (st.f_type == PROC_SUPER_MAGIC || st.f_type == SYSFS_MAGIC);
}

bool kernelPath(const fs::path& p) {
    const std::string& s = p.native();
    return s.starts_with("/proc/") || s.starts_with("/sys/");
}

ssize_t preadStart(int fd, std::span<char> buffer) {
    ssize_t n = 0;
    do n = ::pread(fd, buffer.data(), buffer.size(), 0);
    while (n < 0 && errno == EINTR);
    return n;
}

class KernelFiles {
public:
    KernelFiles() = default;
    KernelFiles(const KernelFiles&) = delete;
    KernelFiles& operator=(const KernelFiles&) = delete;
    ~KernelFiles() {
        while (!open_.empty()) closeLast();
    }

    long read(const fs::path& p, std::span<char> buffer) {
        // A kept file whose device went away (a card or interface unplugged)
        // fails; a device under the same name later is a new file, so the
        // name is opened once more.
        for (int attempt = 0; attempt < 2; ++attempt) {
            Entry* e = find(p, false);
            if (!e) return readUnkept(p, buffer);
            if (e->fd < 0) return -1;
            const ssize_t n = preadStart(e->fd, buffer);
            if (n >= 0) return n;
            forget(e);
        }
        return -1;
    }

    std::optional<std::vector<std::string>> names(const fs::path& dir) {
        Entry* e = find(dir, true);
        DIR* d = nullptr;
        bool kept = e != nullptr;
        if (kept) {
            if (e->fd < 0) return std::nullopt;
            d = e->dir;
            ::rewinddir(d);
        } else if (!(d = ::opendir(dir.c_str()))) {
            return std::nullopt;
        }
        std::vector<std::string> out;
        errno = 0;
        while (const dirent* entry = ::readdir(d)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..") out.emplace_back(name);
        }
        const bool failed = errno != 0;
        if (!kept) ::closedir(d);
        if (failed) {
            if (kept) forget(e);
            return std::nullopt;
        }
        return out;
    }

private:
    struct Entry {
        std::string path;
        bool folder = false;
        int fd = -1;          // -1: the path was missing at `missingAt`
        DIR* dir = nullptr;   // for a folder, owning `fd`
        Clock::time_point missingAt{};
    };
    std::vector<Entry> open_; // most recently used first

    // The kept entry for `p`, opened (or found missing) on first use; nothing
    // when `p` is not a kernel path and must be opened afresh.
    Entry* find(const fs::path& p, bool folder) {
        const auto now = Clock::now();
        for (std::size_t i = 0; i < open_.size(); ++i) {
            if (open_[i].path != p.native() || open_[i].folder != folder) continue;
            if (open_[i].fd < 0 && now - open_[i].missingAt >= kRecheckMissing) {
                forget(&open_[i]);
                break;
            }
            if (i > 0) std::rotate(open_.begin(), open_.begin() + static_cast<std::ptrdiff_t>(i),
                                   open_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return &open_.front();
        }
        if (!kernelPath(p)) return nullptr;
        Entry e{p.native(), folder};
        e.fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
        if (e.fd < 0) {
            // Only a path that is not there is remembered as such.
            if (errno != ENOENT) return nullptr;
            e.missingAt = now;
        } else if (!madeUpByKernel(e.fd)) {
            ::close(e.fd);
            return nullptr;
        } else if (folder && !(e.dir = ::fdopendir(e.fd))) {
            ::close(e.fd);
            return nullptr;
        }
        if (open_.size() >= kKeptOpen) closeLast();
        open_.insert(open_.begin(), std::move(e));
        return &open_.front();
    }

    static void release(Entry& e) {
        if (e.dir) ::closedir(e.dir);
        else if (e.fd >= 0) ::close(e.fd);
    }
    void closeLast() {
        release(open_.back());
        open_.pop_back();
    }
    void forget(Entry* e) {
        release(*e);
        open_.erase(open_.begin() + (e - open_.data()));
    }

    static long readUnkept(const fs::path& p, std::span<char> buffer) {
        const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return -1;
        const ssize_t n = preadStart(fd, buffer);
        ::close(fd);
        return n;
    }
};

KernelFiles& kernelFiles() {
    thread_local KernelFiles files;
    return files;
}

} // namespace

long readStart(const fs::path& p, std::span<char> buffer) { return kernelFiles().read(p, buffer); }

std::optional<std::vector<std::string>> folderNames(const fs::path& dir) { return kernelFiles().names(dir); }

} // namespace plyx::sys::detail
