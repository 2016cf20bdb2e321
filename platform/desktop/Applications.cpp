#include "platform/desktop/Applications.h"

#include "platform/desktop/DesktopEntries.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <system_error>

namespace plyx::desktop {

namespace {

std::vector<std::string> listValue(const std::string& value) {
    std::vector<std::string> out;
    for (const auto& part : QString::fromStdString(value).split(';', Qt::SkipEmptyParts))
        out.push_back(part.trimmed().toStdString());
    return out;
}

/// A launchable application entry: of type Application, not hidden, with an Exec line.
bool usable(const std::map<std::string, std::string>& entry) {
    auto get = [&](const char* k) {
        const auto it = entry.find(k);
        return it == entry.end() ? std::string() : it->second;
    };
    return get("Type") == "Application" && get("Hidden") != "true" && !get("Exec").empty();
}

std::vector<std::string> currentDesktops() {
    std::vector<std::string> out;
    const char* v = std::getenv("XDG_CURRENT_DESKTOP");
    for (const auto& d : QString::fromUtf8(v ? v : "").split(':', Qt::SkipEmptyParts))
        out.push_back(d.toLower().toStdString());
    return out;
}

/// The entry's string-level escapes (\s, \n, \t, \r, \\) undone.
std::string unescapeValue(const std::string& v) {
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 == v.size()) {
            out += v[i];
            continue;
        }
        switch (v[++i]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default: out += '\\'; out += v[i];
        }
    }
    return out;
}

} // namespace

std::vector<std::filesystem::path> mimeAppsFolders() {
    std::vector<std::filesystem::path> out;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (configHome && *configHome == '/') out.emplace_back(configHome);
    else if (home && *home == '/') out.emplace_back(std::filesystem::path(home) / ".config");
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    for (const auto& d : QString::fromUtf8(dirs && *dirs ? dirs : "/etc/xdg").split(':', Qt::SkipEmptyParts))
        if (d.startsWith('/')) out.emplace_back(d.toStdString());
    for (auto& f : applicationFolders()) out.push_back(f);
    return out;
}

std::optional<std::filesystem::path> findApplication(const std::string& id,
                                                     const std::vector<std::filesystem::path>& folders) {
    // An id never climbs out of its folder.
    if (id.empty() || id.find('/') != std::string::npos) return std::nullopt;
    for (const auto& folder : folders) {
        const auto file = folder / id;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) continue;
        // The first folder with the id decides, even when it hides the entry.
        if (usable(readGroup(file, "Desktop Entry"))) return file;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> defaultApplicationFor(const std::string& mimeType,
                                                           const std::vector<std::filesystem::path>& mimeAppsFolders,
                                                           const std::vector<std::filesystem::path>& applicationFolders) {
    std::vector<std::string> names;
    for (const auto& d : currentDesktops()) names.push_back(d + "-mimeapps.list");
    names.push_back("mimeapps.list");
    for (const auto& folder : mimeAppsFolders)
        for (const auto& name : names) {
            const auto defaults = readGroup(folder / name, "Default Applications");
            const auto it = defaults.find(mimeType);
            if (it == defaults.end()) continue;
            for (const auto& id : listValue(it->second))
                if (auto found = findApplication(id, applicationFolders)) return found;
        }

    // No default set: any installed application that says it opens the type.
    for (const auto& folder : applicationFolders) {
        std::error_code ec;
        std::vector<std::filesystem::path> files;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (it->path().extension() == ".desktop") files.push_back(it->path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            const auto entry = readGroup(file, "Desktop Entry");
            if (!usable(entry)) continue;
            const auto types = entry.find("MimeType");
            if (types == entry.end()) continue;
            const auto list = listValue(types->second);
            if (std::find(list.begin(), list.end(), mimeType) == list.end()) continue;
            // A file of the same id higher up overrides this one.
            if (findApplication(file.filename().string(), applicationFolders) == file) return file;
        }
    }
    return std::nullopt;
}

std::vector<std::string> launchCommand(const std::filesystem::path& entry) {
    const auto group = readGroup(entry, "Desktop Entry");
    const auto exec = group.find("Exec");
    if (exec == group.end()) return {};
    const std::string line = unescapeValue(exec->second);

    // Split into arguments: blanks separate, double quotes group, and inside
    // quotes a backslash takes the next character as it is.
    std::vector<std::string> args;
    std::string current;
    bool quoted = false, any = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"') quoted = false;
            else if (c == '\\' && i + 1 < line.size()) current += line[++i];
            else current += c;
        } else if (c == '"') {
            quoted = any = true;
        } else if (c == ' ' || c == '\t') {
            if (any) args.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (quoted) return {};  // an unclosed quote: the line is broken
    if (any) args.push_back(current);

    // Field codes: nothing is handed over, so each is dropped; "%%" is a percent sign.
    std::vector<std::string> out;
    for (const auto& a : args) {
        if (a.size() == 2 && a[0] == '%') {
            if (a[1] == '%') out.push_back("%");
            continue;
        }
        std::string kept;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i] == '%' && i + 1 < a.size()) {
                if (a[++i] == '%') kept += '%';
            } else {
                kept += a[i];
            }
        }
        out.push_back(kept);
    }
    return out;
}

bool launchApplication(const std::filesystem::path& entry) {
    const auto command = launchCommand(entry);
    if (command.empty() || command.front().empty()) return false;
    QStringList args;
    for (std::size_t i = 1; i < command.size(); ++i) args << QString::fromStdString(command[i]);
    return QProcess::startDetached(QString::fromStdString(command.front()), args);
}

} // namespace plyx::desktop
