#pragma once
// What the user's desktop tells about the user: the application in front and
// how long since the last input. On X11 both come from the display server,
// the idle time from the desktop's idle monitor on the session bus where the
// server cannot tell; without an answer callers skip what needs one.
#include <memory>
#include <optional>
#include <string>

namespace plyx::desktop {

/// The application whose window is active.
struct FrontmostApplication {
    /// The name users know it by; none when the desktop gives none.
    std::optional<std::string> localizedName;
    /// The class of its active window (X11's WM_CLASS); empty when unknown.
    std::string windowClass = {};
};

class Desktop {
public:
    virtual ~Desktop() = default;
    /// The frontmost application; none when no window is active or the
    /// desktop cannot say.
    virtual std::optional<FrontmostApplication> frontmostApplication() = 0;
    /// Seconds since the last keyboard or pointer input; none when unknown.
    virtual std::optional<double> idleSeconds() = 0;
};

/// The session's desktop: X11 when a display can be opened (`$DISPLAY`),
/// else one that knows no frontmost application and asks the idle monitor.
std::unique_ptr<Desktop> sessionDesktop();

} // namespace plyx::desktop
