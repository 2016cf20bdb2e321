#include "app/window/DesktopApps.h"

#include "platform/desktop/Applications.h"
#include "platform/desktop/DesktopEntries.h"

#include <QLoggingCategory>

#include <initializer_list>

namespace plyx {

namespace {

Q_LOGGING_CATEGORY(lcLinks, "com.zelvanedesigns.plyx.window")

using WindowLinks::DesktopApp;

constexpr const char* kCalendarType = "text/calendar";
constexpr const char* kTasksType = "text/x-vtodo";
/// The weather applications of the common desktops.
constexpr std::initializer_list<const char*> kWeatherEntries = {"org.gnome.Weather.desktop",
                                                                "org.kde.kweather.desktop"};
/// Task applications that do not register for task files.
constexpr std::initializer_list<const char*> kTaskEntries = {"org.gnome.Todo.desktop",
                                                             "org.gnome.World.Endeavour.desktop"};

std::optional<std::filesystem::path> firstInstalled(std::initializer_list<const char*> ids,
                                                    const std::vector<std::filesystem::path>& folders) {
    for (const char* id : ids)
        if (auto found = desktop::findApplication(id, folders)) return found;
    return std::nullopt;
}

class LiveDesktopApps : public DesktopApps {
public:
    std::optional<std::string> locate(DesktopApp app) override {
        const auto apps = desktop::applicationFolders();
        std::optional<std::filesystem::path> found;
        switch (app) {
        case DesktopApp::weather: found = firstInstalled(kWeatherEntries, apps); break;
        case DesktopApp::calendar:
            found = desktop::defaultApplicationFor(kCalendarType, desktop::mimeAppsFolders(), apps);
            break;
        case DesktopApp::reminders:
            found = desktop::defaultApplicationFor(kTasksType, desktop::mimeAppsFolders(), apps);
            if (!found) found = firstInstalled(kTaskEntries, apps);
            break;
        }
        if (!found) return std::nullopt;
        return found->string();
    }

    void open(const std::string& location) override {
        if (!desktop::launchApplication(location)) qCWarning(lcLinks) << "could not start" << location.c_str();
    }
};

} // namespace

std::unique_ptr<DesktopApps> DesktopApps::live() { return std::make_unique<LiveDesktopApps>(); }

} // namespace plyx
