#include "platform/desktop/DesktopEntries.h"

#include "platform/time/Time.h"

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

/// The Name (in `locale`) and StartupWMClass of the [Desktop Entry] group;
/// none without an untranslated Name, which every entry must have.
std::optional<Entry> readEntry(const std::filesystem::path& file, const std::string& locale) {
    auto keys = readGroup(file, "Desktop Entry");
    if (keys["Name"].empty()) return std::nullopt;
    return Entry{localizedValue(keys, "Name", locale), keys["StartupWMClass"]};
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

std::string localizedValue(const std::map<std::string, std::string>& keys, const std::string& key,
                           const std::string& messagesLocale) {
    // lang_COUNTRY.ENCODING@MODIFIER; the encoding never takes part.
    const std::string& l = messagesLocale;
    const auto at = l.find('@');
    const std::string modifier = at == std::string::npos ? "" : l.substr(at + 1);
    const std::string base = l.substr(0, std::min(at, l.find('.')));
    const auto underscore = base.find('_');
    const std::string lang = base.substr(0, underscore);
    const std::string country = underscore == std::string::npos ? "" : base.substr(underscore + 1);

    std::vector<std::string> tries;
    if (!lang.empty() && lang != "C" && lang != "POSIX") {
        if (!country.empty() && !modifier.empty()) tries.push_back(lang + "_" + country + "@" + modifier);
        if (!country.empty()) tries.push_back(lang + "_" + country);
        if (!modifier.empty()) tries.push_back(lang + "@" + modifier);
        tries.push_back(lang);
    }
    for (const auto& t : tries)
        if (auto it = keys.find(key + "[" + t + "]"); it != keys.end() && !it->second.empty()) return it->second;
    auto it = keys.find(key);
    return it == keys.end() ? std::string() : it->second;
}

std::string messagesLocale() { return time::environmentLocaleName("LC_MESSAGES"); }

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
                                              const std::vector<std::filesystem::path>& folders,
                                              const std::string& locale) {
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
            auto entry = readEntry(path, locale);
            if (!entry) continue;
            if (!entry->wmClass.empty() && entry->wmClass == wmClass) return entry->name;
            if (fileMatches && !byFileName) byFileName = entry->name;
        }
        if (byFileName) return byFileName;
    }
    return std::nullopt;
}

} // namespace plyx::desktop
