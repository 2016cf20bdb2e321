#pragma once
// The identifiers of the application and its extension: the app group that
// names the shared suite and container, each program's own identifier (its
// standard defaults, its log subsystem), and the bus names of widget reloads.
// The platform layer holds none of them; each program hands them over at
// start with configurePlatform.
namespace plyx::AppIdentity {

/// The app group: the shared suite's name and the container's folder.
inline constexpr const char* kAppGroup = "QK7R3XW2TJ.com.zelvanedesigns.plyx";
/// The application's identifier: its standard defaults and log subsystem.
inline constexpr const char* kApplication = "com.zelvanedesigns.plyx";
/// The widget extension's identifier: its own standard defaults.
inline constexpr const char* kExtension = "com.zelvanedesigns.plyx.widgets";
/// The object path and interface that carry widget reload requests.
inline constexpr const char* kWidgetCenterPath = "/com/zelvanedesigns/plyx/WidgetCenter";
inline constexpr const char* kWidgetCenterInterface = "com.zelvanedesigns.plyx.WidgetCenter";

/// The window class (WM_CLASS) of the desktop host's widget windows. A
/// click or drag activates such a window, yet the host is never the
/// application the user is in: screen time knows its windows by this.
inline constexpr const char* kHostWindowClass = "PlyxWidgets";

enum class Program { application, extension };

/// Gives the platform layer the program's identifiers: the name of its
/// standard defaults and the bus names of widget reloads. Call once at start,
/// before any other thread runs.
void configurePlatform(Program program);

} // namespace plyx::AppIdentity
