#include "platform/base/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plyx::files {

namespace fs = std::filesystem;

namespace {

/// Links chained deeper than this are a loop; the kernel gives up at 40 too.
constexpr int kMaxLinks = 40;

std::string failure(const std::string& what, const fs::path& p, int err) {
    return what + " " + p.string() + ": " + std::strerror(err);
}

} // namespace

fs::path replacementTarget(const fs::path& file) {
    std::error_code ec;
    fs::path at = fs::absolute(file, ec);
    if (ec) at = file;
    for (int i = 0; i < kMaxLinks; ++i) {
        if (!fs::is_symlink(fs::symlink_status(at, ec))) break;
        const fs::path next = fs::read_symlink(at, ec);
        if (ec) break;
        // A relative link is read from the folder that holds it.
        at = (next.is_absolute() ? next : at.parent_path() / next).lexically_normal();
    }
    return at;
}

bool writeAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        left -= std::size_t(n);
    }
    return true;
}

std::optional<std::string> replaceFile(const fs::path& file, const Filler& fill, std::optional<mode_t> mode) {
    const fs::path target = replacementTarget(file);
    // A hidden name in the target's folder, so the rename stays on one file
    // system, and unique to this process so two writers never share it.
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".part-XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return failure("cannot write beside", target, errno);
    const fs::path temp = pattern;
    std::optional<std::string> error = fill(fd);
    // The data must be on disk before the rename makes it the file.
    if (!error && ::fsync(fd) != 0) error = failure("cannot write", temp, errno);
    // mkostemp makes the file its owner's only; the result is an ordinary file.
    if (!error) {
        mode_t m = 0;
        if (mode) {
            m = *mode;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            m = 0666 & ~mask;
        }
        ::fchmod(fd, m);
    }
    if (::close(fd) != 0 && !error) error = failure("cannot write", temp, errno);
    if (!error && std::rename(temp.c_str(), target.c_str()) != 0) error = failure("cannot replace", target, errno);
    if (error) ::unlink(temp.c_str());
    return error;
}

std::optional<std::string> replaceFile(const fs::path& file, std::string_view bytes, std::optional<mode_t> mode) {
    return replaceFile(
        file,
        [&](int fd) -> std::optional<std::string> {
            if (writeAll(fd, bytes)) return std::nullopt;
            return failure("cannot write", replacementTarget(file), errno);
        },
        mode);
}

} // namespace plyx::files
