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

fs::path bundleDirectory() {
    if (!overridden().empty()) return overridden();
    std::error_code ec;
    // The program's own file, not the working folder: an installed program is
    // started from anywhere.
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path installed = exe.parent_path().parent_path() / "share" / "plyx" / "wallpapers";
        if (fs::is_directory(installed, ec)) return installed;
    }
    return fs::path(PLYX_RESOURCES_DIR) / "wallpapers";
}

void setBundleDirectory(const fs::path& dir) { overridden() = dir; }

} // namespace plyx::wallpaper
