#include "platform/store/Changes.h"

#include <array>
#include <cerrno>
#include <mutex>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>
#include <unordered_map>

namespace plyx::store {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

/// Writes, replacements and removals of anything in the folder, and the
/// folder itself going away.
constexpr std::uint32_t kEvents =
    IN_MODIFY | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

// One watch per folder for the whole process; each counts the writes to its
// suite files (the database, its log and its shared memory: the name and
// what starts with it).
class Watcher {
public:
    Watcher() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~Watcher() {
        if (fd_ >= 0) ::close(fd_);
    }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    // The folder's state after taking in every event so far; unwatched
    // when it cannot be watched.
    ChangeMark mark(const fs::path& file) {
        std::lock_guard lock(mutex_);
        drain();
        Folder* f = folderFor(file);
        ChangeMark m;
        m.at = Clock::now();
        if (!f) return m;
        m.changes = f->changes;
        m.watched = true;
        return m;
    }

    bool unchanged(const fs::path& file, const ChangeMark& m) {
        if (!m.watched) return false;
        std::lock_guard lock(mutex_);
        drain();
        const auto it = folders_.find(file.parent_path().native());
        if (it == folders_.end() || !it->second.watching) return false;
        const Folder& f = it->second;
        return f.changes == m.changes && m.at - f.lastChange >= kWriteSettles;
    }

private:
    struct Folder {
        int wd = -1;
        bool watching = false;
        std::string prefix; // the suite file's name
        std::uint64_t changes = 0;
        Clock::time_point lastChange{};
    };
    int fd_;
    std::mutex mutex_;
    std::unordered_map<std::string, Folder> folders_;
    std::unordered_map<int, std::string> byWatch_;

    Folder* folderFor(const fs::path& file) {
        if (fd_ < 0 || file.empty() || !file.has_parent_path()) return nullptr;
        Folder& f = folders_[file.parent_path().native()];
        if (!f.watching) {
            const int wd = ::inotify_add_watch(fd_, file.parent_path().c_str(), kEvents | IN_ONLYDIR);
            if (wd < 0) return nullptr;
            f.wd = wd;
            f.watching = true;
            f.prefix = file.filename().native();
            // What happened before the watch is unknown: count it as a change now.
            ++f.changes;
            f.lastChange = Clock::now();
            byWatch_[wd] = file.parent_path().native();
        }
        return &f;
    }

    void unwatch(Folder& f, std::unordered_map<int, std::string>::iterator w) {
        ::inotify_rm_watch(fd_, f.wd); // fails harmlessly when the kernel already dropped it
        f.watching = false;
        byWatch_.erase(w);
    }

    void changed(Folder& f) {
        ++f.changes;
        f.lastChange = Clock::now();
    }

    void drain() {
        if (fd_ < 0) return;
        alignas(inotify_event) std::array<char, 4096> buffer;
        for (;;) {
            const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
            if (n <= 0) {
                if (n < 0 && errno == EINTR) continue;
                return;
            }
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer.data() + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
                if (e->mask & IN_Q_OVERFLOW) {
                    // Events were lost: every folder may have changed.
                    for (auto& [path, f] : folders_) changed(f);
                    continue;
                }
                const auto w = byWatch_.find(e->wd);
                if (w == byWatch_.end()) continue;
                Folder& f = folders_[w->second];
                if (e->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                    // The folder is gone or moved away: whatever is at its
                    // path later is watched afresh on the next mark.
                    changed(f);
                    unwatch(f, w);
                    continue;
                }
                const std::string_view name = e->len ? std::string_view(e->name) : std::string_view();
                if (!name.empty() && !name.starts_with(f.prefix)) continue;
                changed(f);
                // The database itself made, removed or renamed: its folder
                // may be on its way out too, which the kernel tells only once
                // every open file in it is closed, and a folder made again
                // under the name is another folder. Watched afresh.
                if (name == f.prefix && (e->mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO)))
                    unwatch(f, w);
            }
        }
    }
};

Watcher& watcher() {
    static Watcher w;
    return w;
}

} // namespace

ChangeMark changeMark(const fs::path& file) { return watcher().mark(file); }

bool unchangedSince(const fs::path& file, const ChangeMark& mark) { return watcher().unchanged(file, mark); }

} // namespace plyx::store
