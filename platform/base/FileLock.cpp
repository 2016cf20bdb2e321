#include "platform/base/FileLock.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace plyx {

std::filesystem::path FileLock::lockFileFor(const std::filesystem::path& file) {
    return file.parent_path() / (file.filename().string() + ".lock");
}

std::optional<FileLock> FileLock::acquire(const std::filesystem::path& file, std::chrono::milliseconds wait,
                                          std::string* error) {
    auto failed = [&](const std::string& what) -> std::optional<FileLock> {
        if (error) *error = what;
        return std::nullopt;
    };
    const auto name = lockFileFor(file);
    std::error_code ec;
    std::filesystem::create_directories(name.parent_path(), ec);
    const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return failed("cannot open " + name.string() + ": " + std::strerror(errno));
    FileLock lock(fd);
    // Holders keep the lock for one read and one replace, a few milliseconds:
    // short naps, growing, until the wait is used up.
    const auto until = std::chrono::steady_clock::now() + wait;
    auto nap = std::chrono::milliseconds(1);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return failed("cannot lock " + name.string() + ": " + std::strerror(errno));
        if (std::chrono::steady_clock::now() >= until) return failed(file.string() + " is held by another program");
        std::this_thread::sleep_for(nap);
        nap = std::min(nap * 2, std::chrono::milliseconds(20));
    }
    return lock;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_); // closing the last descriptor lets go of the lock
}

} // namespace plyx
