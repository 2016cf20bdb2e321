#pragma once
// Small helpers for reading /proc and /sys attribute files. The kernel makes
// these files up as they are read; each is read with one system call into a
// buffer on the stack and parsed where it lies (kept open: KernelFiles.h).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace plyx::sys::detail {

/// The start of a file, at most `buffer.size()` bytes, read with one system
/// call: a /sys attribute whole (the kernel hands over at most a page, at
/// once), or the first lines of a /proc file. Nothing when it cannot be read.
std::optional<std::string_view> readHead(const std::filesystem::path& p, std::span<char> buffer);
/// The whole file; nothing when it cannot be read.
std::optional<std::string> readText(const std::filesystem::path& p);
/// The file's first line without surrounding white space.
std::optional<std::string> readLine(const std::filesystem::path& p);
/// A whole decimal integer (optionally signed), surrounding white space allowed.
std::optional<std::int64_t> parseInteger(std::string_view s);
std::optional<std::uint64_t> parseUnsigned(std::string_view s);
std::optional<std::int64_t> readInteger(const std::filesystem::path& p);
std::optional<std::uint64_t> readUnsigned(const std::filesystem::path& p);
/// `text` without the white space (blanks, tabs, line ends) around it.
std::string_view trimmed(std::string_view text);
/// `root` joined with an absolute system path ("/proc/stat").
std::filesystem::path under(const std::filesystem::path& root, const std::string& absolute);

} // namespace plyx::sys::detail
