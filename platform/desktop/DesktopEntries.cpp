#include "platform/desktop/DesktopEntries.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace plyx::desktop {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

struct Entry {
    std::string name;
    std::string wmClass;
};

/// The untranslated Name and StartupWMClass of the [Desktop Entry] group.
std::optional<Entry> readEntry(const std::filesystem::path& file) {
    auto keys = readGroup(file, "Desktop Entry");
    if (keys["Name"].empty()) return std::nullopt;
    return Entry{keys["Name"], keys["StartupWMClass"]};
}

} // namespace

std::map<std::string, std::string> readGroup(const std::filesystem::path& file, const std::string& group) {
    std::map<std::string, std::string> out;
    std::ifstream in(file);
    if (!in) return out;
    bool inGroup = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inGroup = line == "[" + group + "]";
            continue;
        }
        if (!inGroup) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        auto key = line.substr(0, eq);
        while (!key.empty() && key.back() == ' ') key.pop_back();
        auto value = line.substr(eq + 1);
        while (!value.empty() && value.front() == ' ') value.erase(value.begin());
        out.emplace(key, value);  // the first of a repeated key wins
    }
    return out;
}

std::vector<std::filesystem::path> applicationFolders() {
    std::vector<std::filesystem::path> out;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (dataHome && *dataHome == '/') out.emplace_back(dataHome);
    else if (home && *home == '/') out.emplace_back(std::filesystem::path(home) / ".local/share");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    const QString list = QString::fromUtf8(dirs && *dirs ? dirs : "/usr/local/share:/usr/share");
    for (const auto& d : list.split(':', Qt::SkipEmptyParts))
        if (d.startsWith('/')) out.emplace_back(d.toStdString());
    for (auto& p : out) p /= "applications";
    return out;
}

std::optional<std::string> nameForWindowClass(const std::string& wmClass,
                                              const std::vector<std::filesystem::path>& folders) {
    if (wmClass.empty()) return std::nullopt;
    const std::string wanted = lower(wmClass);
    for (const auto& folder : folders) {
        std::error_code ec;
        std::optional<std::string> byFileName;
        for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const auto& path = it->path();
            if (path.extension() != ".desktop") continue;
            const bool fileMatches = lower(path.stem().string()) == wanted ||
                                     lower(path.stem().string()).ends_with("." + wanted);
            auto entry = readEntry(path);
            if (!entry) continue;
            if (!entry->wmClass.empty() && entry->wmClass == wmClass) return entry->name;
            if (fileMatches && !byFileName) byFileName = entry->name;
        }
        if (byFileName) return byFileName;
    }
    return std::nullopt;
}

} // namespace plyx::desktop
