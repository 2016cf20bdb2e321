#pragma once
// Replacing a calendar file with an edit of itself while other processes may
// be changing it too: ours (two quick taps run two writers at once) and other
// programs, which take no lock of ours.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace plyx::events::detail {

enum class Rewrite { written, nothingToWrite, failed };

/// Reads `file`, hands its text to `edit` and replaces the file with what
/// that returns, all under an exclusive lock on the file's folder held from
/// the read to the rename, so no two of our writers edit the same text. A
/// file that another program changed after the read is read and edited
/// again, never overwritten with an edit of what it was. A symlink is
/// followed: its target is replaced, beside itself. `edit` returning none
/// writes nothing (`nothingToWrite`); a failure is logged.
Rewrite rewriteLocked(const std::filesystem::path& file,
                      const std::function<std::optional<std::string>(const std::string& text)>& edit);

} // namespace plyx::events::detail
