#include "platform/wallpaper/FileCopy.h"

#include "platform/base/AtomicFile.h"

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

} // namespace

std::optional<std::string> copyIntoPlace(const fs::path& from, const fs::path& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return failure("cannot read", from, errno);
    auto error = files::replaceFile(to, [&](int out) -> std::optional<std::string> {
        char buf[1 << 16];
        for (;;) {
            const ssize_t r = ::read(in, buf, sizeof buf);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) return failure("cannot read", from, errno);
            if (r == 0) return std::nullopt;
            if (!files::writeAll(out, std::string_view(buf, std::size_t(r)))) return failure("cannot write", to, errno);
        }
    });
    ::close(in);
    return error;
}

} // namespace plyx::wallpaper
