#include "platform/wallpaper/Bundle.h"

#include <system_error>

namespace plyx::wallpaper {
namespace fs = std::filesystem;

namespace {
fs::path& overridden() {
    static fs::path dir;
    return dir;
}
} // namespace

fs::path bundleDirectoryFor(const fs::path& program) {
    std::error_code ec;
    if (!program.empty()) {
        const fs::path installed = program.parent_path().parent_path() / "share" / "plyx" / "wallpapers";
        if (fs::is_directory(installed, ec)) return installed;
    }
    return fs::path(PLYX_RESOURCES_DIR) / "wallpapers";
}

fs::path bundleDirectory() {
    if (!overridden().empty()) return overridden();
    // The program's own file, not the working folder: an installed program is
    // started from anywhere.
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return bundleDirectoryFor(ec ? fs::path() : exe);
}

void setBundleDirectory(const fs::path& dir) { overridden() = dir; }

} // namespace plyx::wallpaper
