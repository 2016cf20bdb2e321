#pragma once
// The desktop picture of each screen, as the user's desktop keeps it. Three
// desktops are spoken to in their own terms: GNOME's background settings,
// KDE Plasma's desktop scripting and its applets file, and the XDG desktop
// portal's wallpaper request everywhere else. "Every screen" is what the
// desktop offers: GNOME and the portal have one picture for all screens,
// Plasma one per screen.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plyx::wallpaper {

class DesktopPictures {
public:
    virtual ~DesktopPictures() = default;
    /// The screens whose picture can be set, in the desktop's order; each is
    /// named by a key only this desktop understands.
    virtual std::vector<std::string> screens() = 0;
    /// The picture the screen shows, as a local file; none when the desktop
    /// does not say or shows no local file.
    virtual std::optional<std::filesystem::path> picture(const std::string& screen) = 0;
    /// Makes `file` the screen's picture with the desktop's own placement.
    /// Nothing on success, else what went wrong.
    virtual std::optional<std::string> setPicture(const std::string& screen, const std::filesystem::path& file) = 0;
};

/// GNOME: org.gnome.desktop.background, read and written with `gsettings`
/// (GNOME's own tool, so whatever settings back end the session uses is
/// honoured). One screen; both the light and the dark picture are set, and
/// the one the colour scheme shows is read.
std::unique_ptr<DesktopPictures> gnomeBackground();

/// KDE Plasma: one screen per desktop containment, in the order of the
/// screens they sit on, read from the applets file under $XDG_CONFIG_HOME;
/// set through org.kde.PlasmaShell.evaluateScript on the session bus.
std::unique_ptr<DesktopPictures> plasmaDesktops();

/// The XDG desktop portal (org.freedesktop.portal.Wallpaper): one request
/// for every screen; the portal cannot tell what a screen shows.
std::unique_ptr<DesktopPictures> portalWallpaper();

/// The session's desktop from $XDG_CURRENT_DESKTOP: GNOME, KDE, else the
/// portal.
std::unique_ptr<DesktopPictures> sessionDesktopPictures();

/// A location as desktops store it (a "file://" URI, percent-encoded, or a
/// plain absolute path) as a local file; none for anything else.
std::optional<std::filesystem::path> localFileFromLocation(const std::string& location);

/// The "file://" URI of a local file, as desktops store it.
std::string fileURI(const std::filesystem::path& file);

} // namespace plyx::wallpaper
