#include "platform/location/LocationSettings.h"

#include "platform/desktop/DesktopEntries.h"

#include <QLoggingCategory>
#include <QProcess>

#include <array>
#include <fstream>
#include <string>

namespace plyx::location {

namespace {
Q_LOGGING_CATEGORY(lcSettings, "com.zelvanedesigns.plyx.location")

// The desktops known to have a page for location access, by the entry that
// opens it. GNOME's Settings has one ("gnome-control-center location").
constexpr std::array<const char*, 1> kSettingsEntries = {"gnome-location-panel.desktop"};

struct Entry {
    std::string exec;
    bool hidden = false;
};

Entry readEntry(const std::filesystem::path& file) {
    std::ifstream in(file);
    Entry e;
    bool inMain = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inMain = line == "[Desktop Entry]";
            continue;
        }
        const auto eq = line.find('=');
        if (!inMain || eq == std::string::npos) continue;
        auto key = line.substr(0, eq);
        while (!key.empty() && key.back() == ' ') key.pop_back();
        auto value = line.substr(eq + 1);
        while (!value.empty() && value.front() == ' ') value.erase(value.begin());
        if (key == "Exec") e.exec = value;
        else if (key == "Hidden") e.hidden = value == "true";
    }
    return e;
}
} // namespace

std::optional<QStringList> locationSettingsCommand(const std::vector<std::filesystem::path>& folders) {
    for (const char* name : kSettingsEntries) {
        for (const auto& folder : folders) {
            const auto file = folder / name;
            std::error_code ec;
            if (!std::filesystem::is_regular_file(file, ec)) continue;
            // The first folder holding the entry decides, as for any entry:
            // a hidden one there hides the system's.
            const Entry e = readEntry(file);
            if (e.hidden) break;
            QStringList words = QProcess::splitCommand(QString::fromStdString(e.exec));
            words.removeIf([](const QString& w) { return w.size() == 2 && w[0] == '%'; });
            if (words.isEmpty()) break;
            return words;
        }
    }
    return std::nullopt;
}

bool openLocationSettings() {
    const auto command = locationSettingsCommand(desktop::applicationFolders());
    if (!command) {
        qCInfo(lcSettings) << "this desktop has no location settings to open";
        return false;
    }
    const bool started = QProcess::startDetached(command->first(), command->mid(1));
    if (!started) qCWarning(lcSettings) << "the location settings could not be started:" << command->join(' ');
    return started;
}

} // namespace plyx::location
