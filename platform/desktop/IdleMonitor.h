#pragma once
// Idle time from the desktop's idle monitor on the session bus, asked where
// the display server cannot tell (no X screen-saver extension, no X display).
// Kept free of Qt names so the Xlib code can include it.
#include <optional>

namespace plyx::desktop {

inline constexpr const char* kIdleMonitorService = "org.gnome.Mutter.IdleMonitor";
inline constexpr const char* kIdleMonitorPath = "/org/gnome/Mutter/IdleMonitor/Core";
inline constexpr const char* kIdleMonitorInterface = "org.gnome.Mutter.IdleMonitor";
/// Returns the milliseconds since the last input, as an unsigned 64-bit integer.
inline constexpr const char* kIdleMonitorMethod = "GetIdletime";

/// Seconds since the last keyboard or pointer input by the session's idle
/// monitor; none without a session bus, without a monitor on it, or when it
/// does not answer with a number within half a second.
std::optional<double> idleMonitorSeconds();

} // namespace plyx::desktop
