#pragma once
// Reading the full-size wallpapers, which are HEIF images (Qt has no reader
// for them here).
#include <QImage>

#include <filesystem>

namespace plyx::wallpaper {

/// The primary image of the HEIF file at `path`, decoded to RGB; a null image
/// when the file is missing or does not decode. Slow for 5K images: call it
/// off the main thread.
QImage readHeif(const std::filesystem::path& path);

} // namespace plyx::wallpaper
