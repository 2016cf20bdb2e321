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

/// The keys of one group of a desktop-entry style file ("Desktop Entry", or
/// mimeapps.list's "Default Applications"), translations ("Name[de]") as keys
/// of their own; the first of a repeated key wins. Empty when the file does
/// not read.
std::map<std::string, std::string> readGroup(const std::filesystem::path& file, const std::string& group);

/// The value of a localized key ("Name") for a messages locale given as the
/// environment gives it ("sr_RS.UTF-8@latin"), matched as desktop entries
/// are: Name[sr_RS@latin], Name[sr_RS], Name[sr@latin], Name[sr], each only
/// when the locale has the parts it names; else the untranslated Name.
std::string localizedValue(const std::map<std::string, std::string>& keys, const std::string& key,
                           const std::string& messagesLocale);

/// The locale application names are shown in: LC_ALL, LC_MESSAGES, LANG.
std::string messagesLocale();

/// The name of the entry for the window class `wmClass`, in the messages
/// locale: an entry whose StartupWMClass equals it, else one whose file name
/// (without ".desktop") equals it ignoring case; the first folder that has one
/// wins. Hidden and NoDisplay entries count too (many helpers have them).
/// None when no entry matches.
std::optional<std::string> nameForWindowClass(const std::string& wmClass,
                                              const std::vector<std::filesystem::path>& folders,
                                              const std::string& locale = messagesLocale());

} // namespace plyx::desktop
