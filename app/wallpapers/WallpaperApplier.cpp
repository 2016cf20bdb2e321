#include "app/wallpapers/WallpaperApplier.h"

#include "platform/store/DataFolders.h"
#include "platform/wallpaper/DesktopPictures.h"
#include "platform/wallpaper/FileCopy.h"

#include <system_error>

namespace plyx::WallpaperApplier {
namespace fs = std::filesystem;

namespace {

constexpr const char* kFolderName = "Wallpapers";
constexpr const char* kExtension = ".heic";

std::shared_ptr<wallpaper::DesktopPictures>& desktopSlot() {
    static std::shared_ptr<wallpaper::DesktopPictures> desktop;
    return desktop;
}

wallpaper::DesktopPictures& desktop() {
    auto& d = desktopSlot();
    if (!d) d = wallpaper::sessionDesktopPictures();
    return *d;
}

} // namespace

fs::path storageDir() {
    if (const auto root = store::dataRoot(); root && store::makePrivateFolders(*root)) return *root / kFolderName;
    std::error_code ec;
    fs::path temp = fs::temp_directory_path(ec);
    if (ec) temp = "/tmp";
    return temp / kFolderName;
}

std::optional<Error> apply(const WallpaperItem& item) {
    const auto source = item.fullURL();
    if (!source) return std::nullopt;
    const fs::path dir = storageDir();
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) return Error{"cannot make " + dir.string() + ": " + ec.message()};
    const fs::path destination = dir / (item.id + kExtension);
    // A copy there is trusted as it is: copies are only ever renamed into
    // place whole, so one that exists is complete.
    if (!fs::exists(destination, ec)) {
        if (auto failure = wallpaper::copyIntoPlace(*source, destination)) return Error{*failure};
    }
    auto& d = desktop();
    for (const auto& screen : d.screens())
        if (auto failure = d.setPicture(screen, destination)) return Error{*failure};
    return std::nullopt;
}

std::optional<std::string> currentlyAppliedID() {
    const fs::path dir = storageDir();
    auto& d = desktop();
    for (const auto& screen : d.screens()) {
        const auto picture = d.picture(screen);
        if (!picture) continue;
        if (picture->parent_path() == dir && picture->extension() == kExtension) return picture->stem().string();
    }
    return std::nullopt;
}

void setDesktopPictures(std::shared_ptr<wallpaper::DesktopPictures> d) { desktopSlot() = std::move(d); }

} // namespace plyx::WallpaperApplier
