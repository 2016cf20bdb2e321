#include "app/settings/SettingsActions.h"

#include "app/services/AppServices.h"
#include "platform/desktop/Autostart.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/collectors/MailPoller.h"

#include <QCoreApplication>

namespace plyx {

namespace {
desktop::AutostartEntry loginEntry() {
    return {"plyx.desktop", "Plyx", QCoreApplication::applicationFilePath().toStdString(), "--login"};
}
} // namespace

SettingsActions SettingsActions::live(AppServices& services) {
    SettingsActions a;
    // The folder is looked up at each use, so a changed XDG_CONFIG_HOME is followed.
    a.setLoginItem = [](bool on) {
        return on ? desktop::registerAutostart(loginEntry(), desktop::autostartFolder())
                  : desktop::unregisterAutostart(loginEntry(), desktop::autostartFolder());
    };
    a.loginItemRegistered = [] { return desktop::isAutostartRegistered(loginEntry(), desktop::autostartFolder()); };
    a.restartStatsTimer = [&services] { services.restartStatsTimer(); };
    a.reloadTimelines = [](const std::string& kind) { widgetkit::WidgetCenter::reloadTimelines(kind); };
    a.mailPoller = &MailPoller::shared();
    return a;
}

} // namespace plyx
