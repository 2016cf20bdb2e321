#pragma once
// The desktop's own applications, found by their desktop entries: an entry
// by its id, or the user's default application for a file type, and starting
// one. Folders are passed in so tests can use fixture trees.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plyx::desktop {

/// The folders that hold mimeapps.list, most important first:
/// $XDG_CONFIG_HOME (or ~/.config), $XDG_CONFIG_DIRS (or /etc/xdg), then the
/// "applications" folders of `applicationFolders()`.
std::vector<std::filesystem::path> mimeAppsFolders();

/// The entry file of the desktop-file id `id` ("org.gnome.Weather.desktop")
/// in the first of `folders` that has one; entries marked Hidden, and
/// entries that are not applications, do not count.
std::optional<std::filesystem::path> findApplication(const std::string& id,
                                                     const std::vector<std::filesystem::path>& folders);

/// The user's default application for `mimeType`: the first installed id of
/// the type's line in "[Default Applications]" of the first mimeapps.list
/// (in `mimeAppsFolders` order, the desktop's own "<desktop>-mimeapps.list"
/// before each plain one) that names an installed one; else the first
/// installed entry, in folder order then file-name order, whose MimeType
/// lists the type.
std::optional<std::filesystem::path> defaultApplicationFor(
    const std::string& mimeType, const std::vector<std::filesystem::path>& mimeAppsFolders,
    const std::vector<std::filesystem::path>& applicationFolders);

/// The program and arguments of the entry's Exec line with its field codes
/// (%f, %U, ...) dropped, as no file is handed over; empty when the entry has
/// no usable Exec line.
std::vector<std::string> launchCommand(const std::filesystem::path& entry);

/// Starts the entry's command detached and returns without waiting for it;
/// false when it could not be started.
bool launchApplication(const std::filesystem::path& entry);

} // namespace plyx::desktop
