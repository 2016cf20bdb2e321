#pragma once
// Replacing a file whole: the new bytes go to a temporary file beside the
// target, are flushed to disk, and only then renamed over it, so a reader
// sees the old file or the new one, and a full disk or a crash leaves the old
// one in place with no temporary beside it.
//
// A target that is a symbolic link is written through: the temporary file
// is made beside the file the link leads to, and replaces that file, so the
// link stays a link (a user who keeps a file elsewhere and links it in keeps
// doing so).
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plyx::files {

/// The file a replacement of `file` lands on: `file`, or the end of the
/// links it leads through (one not there yet included), as an absolute path.
std::filesystem::path replacementTarget(const std::filesystem::path& file);

/// Writes the temporary file's bytes into `fd`; the reason on failure.
using Filler = std::function<std::optional<std::string>(int fd)>;

/// Replaces `file` (through links) with what `fill` writes. The new file
/// gets `mode`, or, without one, an ordinary new file's permissions (0666
/// less the umask). Nothing on success; else one line saying what failed
/// with the system's reason, and the old file is as it was.
std::optional<std::string> replaceFile(const std::filesystem::path& file, const Filler& fill,
                                       std::optional<mode_t> mode = std::nullopt);
/// The same with `bytes` as the new contents.
std::optional<std::string> replaceFile(const std::filesystem::path& file, std::string_view bytes,
                                       std::optional<mode_t> mode = std::nullopt);

/// Writes all of `bytes` to `fd`, retrying short and interrupted writes.
bool writeAll(int fd, std::string_view bytes);

} // namespace plyx::files
