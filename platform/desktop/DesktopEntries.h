#pragma once
// Names of applications from their desktop entries (the .desktop files under
// the XDG data folders), matched by a window's class.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace plyx::desktop {

/// The folders whose "applications" sub-folder holds desktop entries, most
/// important first: $XDG_DATA_HOME (or ~/.local/share), then $XDG_DATA_DIRS
/// (or /usr/local/share:/usr/share).
std::vector<std::filesystem::path> applicationFolders();

/// The untranslated keys of one group of a desktop-entry style file
/// ("Desktop Entry", or mimeapps.list's "Default Applications"); the first
/// of a repeated key wins. Empty when the file does not read.
std::map<std::string, std::string> readGroup(const std::filesystem::path& file, const std::string& group);

/// The "Name" of the entry for the window class `wmClass`: an entry whose
/// StartupWMClass equals it, else one whose file name (without ".desktop")
/// equals it ignoring case; the first folder that has one wins. Hidden and
/// NoDisplay entries count too (many helpers have them). None when no entry
/// matches.
std::optional<std::string> nameForWindowClass(const std::string& wmClass,
                                              const std::vector<std::filesystem::path>& folders);

} // namespace plyx::desktop
