#pragma once
// The folder the application's wallpaper images ship in. Installed programs
// find it beside them (<prefix>/share/plyx/wallpapers for <prefix>/bin); a
// build run in place falls back to the source tree's resources/wallpapers.
#include <filesystem>

namespace plyx::wallpaper {

/// The wallpapers folder: the one set by `setBundleDirectory`, else the
/// installed one beside this program when it exists, else the source tree's.
std::filesystem::path bundleDirectory();

/// The wallpapers folder of the program at `program`: <prefix>/share/plyx/
/// wallpapers for <prefix>/bin/<program> when that folder exists, else the
/// source tree's.
std::filesystem::path bundleDirectoryFor(const std::filesystem::path& program);

/// Makes `dir` the wallpapers folder of this process (tests point it at a
/// fixture); an empty path restores the default lookup.
void setBundleDirectory(const std::filesystem::path& dir);

} // namespace plyx::wallpaper
