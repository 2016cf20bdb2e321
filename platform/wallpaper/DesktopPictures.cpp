#include "platform/wallpaper/DesktopPictures.h"

#include <QString>
#include <QUrl>

#include <cstdlib>
#include <sstream>

namespace plyx::wallpaper {

std::optional<std::filesystem::path> localFileFromLocation(const std::string& location) {
    if (location.empty()) return std::nullopt;
    if (location.front() == '/') return std::filesystem::path(location);
    const QUrl url(QString::fromStdString(location), QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile()) return std::nullopt;
    const std::string path = url.toLocalFile().toStdString();
    if (path.empty() || path.front() != '/') return std::nullopt;
    return std::filesystem::path(path);
}

std::string fileURI(const std::filesystem::path& file) {
    return QUrl::fromLocalFile(QString::fromStdString(file.string())).toString(QUrl::FullyEncoded).toStdString();
}

std::unique_ptr<DesktopPictures> sessionDesktopPictures() {
    const char* env = std::getenv("XDG_CURRENT_DESKTOP");
    std::istringstream names(env ? env : "");
    std::string name;
    // The variable lists the desktop and the ones it is compatible with,
    // most specific first ("ubuntu:GNOME").
    while (std::getline(names, name, ':')) {
        if (name == "GNOME") return gnomeBackground();
        if (name == "KDE") return plasmaDesktops();
    }
    return portalWallpaper();
}

} // namespace plyx::wallpaper
