#include "platform/store/DataFolders.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plyx::store {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> absoluteFolder(const char* text) {
    if (!text || !*text) return std::nullopt;
    fs::path p(text);
    if (!p.is_absolute()) return std::nullopt;
    return p;
}

// $HOME, else the account's own entry: a process started without an
// environment (a service, `env -i`) still keeps its files in its home.
std::optional<fs::path> homeFolder() {
    if (auto home = absoluteFolder(std::getenv("HOME"))) return home;
    const passwd* pw = ::getpwuid(::getuid());
    return pw ? absoluteFolder(pw->pw_dir) : std::nullopt;
}

} // namespace

std::optional<fs::path> dataRoot() {
    if (auto xdg = absoluteFolder(std::getenv("XDG_DATA_HOME"))) return *xdg / "plyx";
    if (auto home = homeFolder()) return *home / ".local" / "share" / "plyx";
    return std::nullopt;
}

bool makePrivateFolders(const fs::path& dir) {
    std::error_code ec;
    if (fs::is_directory(dir, ec)) return true;
    if (dir.empty() || dir == dir.parent_path()) return false;
    if (!makePrivateFolders(dir.parent_path())) return false;
    if (::mkdir(dir.c_str(), S_IRWXU) != 0 && errno != EEXIST) return false;
    return fs::is_directory(dir, ec);
}

fs::path appGroupContainer(const std::string& groupId) {
    std::error_code ec;
    if (const auto root = dataRoot()) {
        const fs::path dir = *root / groupId;
        if (makePrivateFolders(dir)) return dir;
    }
    return fs::temp_directory_path(ec);
}

} // namespace plyx::store
