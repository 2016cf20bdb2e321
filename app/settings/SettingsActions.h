#pragma once
// What the settings window sets off when a value changes: the login item,
// the stats timer, widget reloads and the mail poller. The application hands
// in the real ones (`live`); tests hand in doubles.
#include <functional>
#include <string>

namespace plyx {

class AppServices;
class MailPoller;

struct SettingsActions {
    /// Adds (true) or removes (false) the login item; whether that worked.
    std::function<bool(bool on)> setLoginItem;
    /// Whether the login item is in place now.
    std::function<bool()> loginItemRegistered;
    std::function<void()> restartStatsTimer;
    /// Asks the widget host for new timelines of one kind.
    std::function<void(const std::string& kind)> reloadTimelines;
    /// The application's one mail poller; the window shows its status.
    MailPoller* mailPoller = nullptr;

    /// The login item as an entry "plyx.desktop" running this program with
    /// "--login" in the user's autostart folder, the hub's stats timer, the
    /// widget center on the session bus and the shared mail poller.
    static SettingsActions live(AppServices& services);
};

} // namespace plyx
