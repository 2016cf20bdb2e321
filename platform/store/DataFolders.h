#pragma once
// Where Plyx keeps its files, and making those folders private to their owner.
#include <filesystem>
#include <optional>
#include <string>

namespace plyx::store {

/// The base folder of everything Plyx keeps: $XDG_DATA_HOME/plyx, else
/// ~/.local/share/plyx, where ~ is $HOME or, without it, the account's home
/// from the password database (never a shared folder such as /tmp). Nothing
/// when none of them names an absolute folder.
std::optional<std::filesystem::path> dataRoot();

/// The app-group container folder of `groupId`, created when missing:
/// dataRoot()/<groupId>. When it cannot be made, the process's temporary
/// folder.
std::filesystem::path appGroupContainer(const std::string& groupId);

/// Makes `dir` and every missing folder above it, each readable, writable and
/// searchable by its owner only (folders already there keep their modes).
/// Whether `dir` is a folder afterwards.
bool makePrivateFolders(const std::filesystem::path& dir);

} // namespace plyx::store
