#include "platform/location/LocationSettings.h"

#include "platform/desktop/DesktopEntries.h"

#include <QLoggingCategory>
#include <QProcess>

#include <array>
#include <string>

namespace plyx::location {

namespace {
Q_LOGGING_CATEGORY(lcSettings, "com.zelvanedesigns.plyx.location")

// The desktops known to have a page for location access, by the entry that
// opens it. GNOME's Settings has one ("gnome-control-center location").
constexpr std::array<const char*, 1> kSettingsEntries = {"gnome-location-panel.desktop"};

} // namespace

std::optional<QStringList> locationSettingsCommand(const std::vector<std::filesystem::path>& folders) {
    for (const char* name : kSettingsEntries) {
        for (const auto& folder : folders) {
            const auto file = folder / name;
            std::error_code ec;
            if (!std::filesystem::is_regular_file(file, ec)) continue;
            // The first folder holding the entry decides, as for any entry:
            // a hidden one there hides the system's.
            auto entry = desktop::readGroup(file, "Desktop Entry");
            if (entry["Hidden"] == "true") break;
            QStringList words = QProcess::splitCommand(QString::fromStdString(entry["Exec"]));
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
