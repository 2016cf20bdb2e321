#include "platform/desktop/Autostart.h"

#include "platform/desktop/SchemeHandler.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace plyx::desktop {

namespace {
/// A key-value line as the entry format reads it: spaces around '=' do not count.
std::string withoutSpaces(const std::string& line) {
    std::string out;
    for (char c : line)
        if (c != ' ' && c != '\t') out += c;
    return out;
}
} // namespace

std::filesystem::path autostartFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return std::filesystem::path(config) / "autostart";
    std::filesystem::path home;
    if (const char* h = std::getenv("HOME"); h && *h) home = h;
    else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    return home / ".config" / "autostart";
}

std::string autostartEntryText(const AutostartEntry& e) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" + e.name + "\n"
           "Exec=" + execArgument(e.program.string()) + " " + e.argument + "\n"
           "Terminal=false\n"
           "NoDisplay=true\n";
}

bool registerAutostart(const AutostartEntry& e, const std::filesystem::path& folder) {
    return writeFileIfChanged(folder / e.entryId, autostartEntryText(e));
}

bool unregisterAutostart(const AutostartEntry& e, const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::remove(folder / e.entryId, ec);
    return !ec && !std::filesystem::exists(std::filesystem::symlink_status(folder / e.entryId, ec));
}

bool isAutostartRegistered(const AutostartEntry& e, const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(folder / e.entryId, ec)) return false;
    std::ifstream in(folder / e.entryId);
    bool inMainGroup = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] == '[') inMainGroup = line == "[Desktop Entry]";
        else if (inMainGroup && withoutSpaces(line) == "Hidden=true") return false;
    }
    return true;
}

} // namespace plyx::desktop
