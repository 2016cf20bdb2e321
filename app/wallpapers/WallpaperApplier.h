#pragma once
// Makes a catalog wallpaper the desktop picture of every screen, and tells
// which one the desktop shows. The image is first copied into the user's own
// wallpapers folder and the desktop points at that copy, which is also how a
// wallpaper of ours is recognised on the desktop later.
#include "app/wallpapers/WallpaperItem.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace plyx {
namespace wallpaper {
class DesktopPictures;
}

namespace WallpaperApplier {

/// Why an apply stopped, in words for the log.
struct Error {
    std::string message;
};

/// $XDG_DATA_HOME/plyx/Wallpapers (the application's data folder is made when
/// missing, the "Wallpapers" folder is not); the temporary folder's
/// "Wallpapers" when the data folder cannot be had.
std::filesystem::path storageDir();

/// Copies the item's full-size image into the wallpapers folder unless a copy
/// is there already, then sets it on every screen in the desktop's order.
/// Stops at the first failure and returns it; nothing is undone. An item
/// without its image is no failure and changes nothing.
std::optional<Error> apply(const WallpaperItem& item);

/// The id of the wallpaper the desktop shows: the first screen whose picture
/// is a ".heic" file directly in the wallpapers folder names it. None
/// otherwise.
std::optional<std::string> currentlyAppliedID();

/// The desktop spoken to; the session's own unless one was set (tests set a
/// double). Setting null restores the session's.
void setDesktopPictures(std::shared_ptr<wallpaper::DesktopPictures> desktop);

} // namespace WallpaperApplier
} // namespace plyx
