#pragma once
// Copying a file so that the target is either the whole new file or left as
// it was: the bytes go to a temporary file beside the target, which is
// renamed over it only once complete. A copy cut short (a full disk, a
// crash) never leaves a partial file under the target's name. A target that
// is a link is copied through: the link stays.
#include <filesystem>
#include <optional>
#include <string>

namespace plyx::wallpaper {

/// Copies `from` to `to`, replacing a file already at `to` only when the copy
/// is complete. Nothing on success; else what went wrong, and `to` is as it
/// was and no temporary file is left behind.
std::optional<std::string> copyIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace plyx::wallpaper
