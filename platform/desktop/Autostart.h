#pragma once
// Starting a program when the user logs in: a desktop entry in the user's
// autostart folder, which every XDG desktop runs at the start of a session.
#include <filesystem>
#include <string>

namespace plyx::desktop {

struct AutostartEntry {
    std::string entryId;            ///< the entry's file name, "plyx.desktop"
    std::string name;               ///< what the desktop's start-up settings show
    std::filesystem::path program;  ///< absolute path of the program to run
    std::string argument;           ///< its one argument, "--login"
};

/// $XDG_CONFIG_HOME/autostart when XDG_CONFIG_HOME is an absolute path, else
/// ~/.config/autostart (~ from $HOME, else the account's home).
std::filesystem::path autostartFolder();

/// The entry's text: the program, quoted as the entry format asks, with its argument.
std::string autostartEntryText(const AutostartEntry& e);

/// Puts the entry in `folder` (made when missing), written beside its place
/// and renamed into it, so a half-written entry is never run. Whether it is
/// in place afterwards.
bool registerAutostart(const AutostartEntry& e, const std::filesystem::path& folder);
/// Removes the entry from `folder`. Whether it is gone afterwards (one that
/// was never there counts as removed).
bool unregisterAutostart(const AutostartEntry& e, const std::filesystem::path& folder);
/// Whether `folder` holds the entry as a file that is not hidden: desktops
/// switch an entry off by writing "Hidden=true" into it.
bool isAutostartRegistered(const AutostartEntry& e, const std::filesystem::path& folder);

} // namespace plyx::desktop
