#include "platform/wallpaper/FileCopy.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <string>
#include <unistd.h>

namespace plyx::wallpaper {
namespace fs = std::filesystem;

namespace {

std::string failure(const std::string& what, const fs::path& p, int err) {
    return what + " " + p.string() + ": " + std::strerror(err);
}

bool writeAll(int fd, const char* data, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, data, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += w;
        n -= size_t(w);
    }
    return true;
}

} // namespace

std::optional<std::string> copyIntoPlace(const fs::path& from, const fs::path& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return failure("cannot read", from, errno);
    // A hidden name of the target's folder, so the rename stays on one file
    // system, and unique to this process so two copies never share it.
    std::string pattern = (to.parent_path() / ("." + to.filename().string() + ".part-XXXXXX")).string();
    const int out = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return failure("cannot write beside", to, err);
    }
    const fs::path temp = pattern;
    char buf[1 << 16];
    std::optional<std::string> error;
    for (;;) {
        const ssize_t r = ::read(in, buf, sizeof buf);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) {
            error = failure("cannot read", from, errno);
            break;
        }
        if (r == 0) break;
        if (!writeAll(out, buf, size_t(r))) {
            error = failure("cannot write", temp, errno);
            break;
        }
    }
    ::close(in);
    // The data must be on disk before the rename makes it the target.
    if (!error && ::fsync(out) != 0) error = failure("cannot write", temp, errno);
    // mkostemp makes the file readable by its owner only; a copy is an
    // ordinary file of the user's, with the usual permissions.
    if (!error) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(out, 0666 & ~mask);
    }
    if (::close(out) != 0 && !error) error = failure("cannot write", temp, errno);
    if (!error && std::rename(temp.c_str(), to.c_str()) != 0) error = failure("cannot replace", to, errno);
    if (error) ::unlink(temp.c_str());
    return error;
}

} // namespace plyx::wallpaper
