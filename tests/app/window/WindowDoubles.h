#pragma once
// Doubles of what the main window talks to: the desktop's applications, the
// services' access flags and the desktop host. Each records what it was asked.
#include "app/window/DesktopApps.h"
#include "app/window/gallerykit/ConnectSources.h"
#include "app/window/gallerykit/DesktopPlacer.h"
#include "tests/support/gui/WidgetsApp.h"


#include <QApplication>

#include <set>
#include <string>
#include <vector>

namespace plyx::test {

class FakeApps : public DesktopApps {
public:
    /// The applications "installed".
    std::set<WindowLinks::DesktopApp> installed{WindowLinks::DesktopApp::weather, WindowLinks::DesktopApp::calendar,
                                                WindowLinks::DesktopApp::reminders};
    std::vector<WindowLinks::DesktopApp> located;
    std::vector<std::string> opened;

    std::optional<std::string> locate(WindowLinks::DesktopApp app) override {
        located.push_back(app);
        if (!installed.count(app)) return std::nullopt;
        return locationOf(app);
    }
    void open(const std::string& location) override { opened.push_back(location); }

    static std::string locationOf(WindowLinks::DesktopApp app) {
        switch (app) {
        case WindowLinks::DesktopApp::weather: return "/apps/weather.desktop";
        case WindowLinks::DesktopApp::calendar: return "/apps/calendar.desktop";
        case WindowLinks::DesktopApp::reminders: return "/apps/tasks.desktop";
        }
        return {};
    }
};

class FakeSources : public ConnectSources {
public:
    bool reminders = false, calendar = false, location = false;
    int reminderRequests = 0, calendarRequests = 0, locationRequests = 0;

    bool remindersConnected() const override { return reminders; }
    bool calendarConnected() const override { return calendar; }
    bool hasMyLocation() const override { return location; }
    void connectReminders() override { ++reminderRequests; }
    void connectCalendar() override { ++calendarRequests; }
    void requestLocation() override { ++locationRequests; }

    /// The services announce a flag, as after an answered request.
    void grantReminders() {
        reminders = true;
        emit changed();
    }
};

class FakePlacer : public DesktopPlacer {
public:
    std::vector<std::string> kinds;
    void place(const std::string& kind) override { kinds.push_back(kind); }
};

} // namespace plyx::test
