#pragma once
// Small helpers for reading /proc and /sys attribute files.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace plyx::sys::detail {

/// The whole file; nothing when it cannot be opened.
std::optional<std::string> readText(const std::filesystem::path& p);
/// The file's first line without surrounding white space.
std::optional<std::string> readLine(const std::filesystem::path& p);
/// A whole decimal integer (optionally signed), surrounding white space allowed.
std::optional<std::int64_t> parseInteger(const std::string& s);
std::optional<std::uint64_t> parseUnsigned(const std::string& s);
std::optional<std::int64_t> readInteger(const std::filesystem::path& p);
std::optional<std::uint64_t> readUnsigned(const std::filesystem::path& p);
/// `root` joined with an absolute system path ("/proc/stat").
std::filesystem::path under(const std::filesystem::path& root, const std::string& absolute);

} // namespace plyx::sys::detail
