#include "platform/events/LockedRewrite.h"

#include "platform/events/EventsLog.h"
#include "platform/events/ICalFile.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace plyx::events::detail {

namespace fs = std::filesystem;

namespace {

// Another program rewriting the file this often while we edit is not
// waited out for ever.
constexpr int kAttempts = 8;

// The lock is on the folder, not the file: the file is replaced by a rename,
// so a lock on it would stay with the old copy and a writer that opens the
// new one would not wait. A lock file beside it would leave a stray file in
// a folder that sync tools read. The lock ends with the descriptor, also
// when the process dies.
class FolderLock {
public:
    explicit FolderLock(const fs::path& folder) : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;
        int r;
        do r = ::flock(fd_, LOCK_EX);
        while (r != 0 && errno == EINTR);
        if (r != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_;
};

} // namespace

Rewrite rewriteLocked(const fs::path& file,
                      const std::function<std::optional<std::string>(const std::string& text)>& edit) {
    std::error_code ec;
    const fs::path target = fs::canonical(file, ec);
    if (ec) {
        qCWarning(lcPlyxEvents) << "calendar file not rewritten, it cannot be found:" << file.c_str();
        return Rewrite::failed;
    }
    FolderLock lock(target.parent_path());
    if (!lock.held()) {
        qCWarning(lcPlyxEvents) << "calendar file not rewritten, its folder cannot be locked:" << target.c_str();
        return Rewrite::failed;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const auto text = readWhole(target);
        if (!text) {
            qCWarning(lcPlyxEvents) << "calendar file not rewritten, it cannot be read:" << target.c_str();
            return Rewrite::failed;
        }
        const auto edited = edit(*text);
        if (!edited) return Rewrite::nothingToWrite;
        QSaveFile out(QString::fromStdString(target.string()));
        const QByteArray bytes = QByteArray::fromStdString(*edited);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            out.cancelWriting();
            qCWarning(lcPlyxEvents) << "calendar file not rewritten, the new copy cannot be written:"
                                    << target.c_str();
            return Rewrite::failed;
        }
        // The last look before the rename: changed meanwhile, start again.
        if (readWhole(target) != text) {
            out.cancelWriting();
            continue;
        }
        if (!out.commit()) {
            qCWarning(lcPlyxEvents) << "calendar file could not be replaced:" << target.c_str();
            return Rewrite::failed;
        }
        return Rewrite::written;
    }
    qCWarning(lcPlyxEvents) << "calendar file not rewritten, another program keeps changing it:" << target.c_str();
    return Rewrite::failed;
}

} // namespace plyx::events::detail
