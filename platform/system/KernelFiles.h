#pragma once
// The /proc and /sys files and folders one thread reads, kept open. The
// kernel makes their contents up afresh on every read from the start, so a
// widget refreshed every few seconds needs one read, not a path walk, an
// open, a read and a close. A kernel path that is not there is looked for
// again only after a few seconds (a driver loaded later shows within them).
// Paths anywhere else (a test's fixture tree, a file replaced under its name)
// are opened on each read: an open file would keep its replaced contents.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plyx::sys::detail {

/// Reads the start of `p` into `buffer` with one system call: the byte
/// count, or -1 when the file cannot be opened or read.
long readStart(const std::filesystem::path& p, std::span<char> buffer);

/// The entry names of folder `dir` ("." and ".." left out), in the order the
/// system lists them; nothing when it cannot be listed.
std::optional<std::vector<std::string>> folderNames(const std::filesystem::path& dir);

} // namespace plyx::sys::detail
