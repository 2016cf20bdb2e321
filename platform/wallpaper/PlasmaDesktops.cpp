// KDE Plasma keeps one desktop containment per screen (and activity) in its
// applets file; the picture of the image wallpaper plugin is the "Image"
// entry of the containment's [Wallpaper][org.kde.image][General] group.
// Plasma writes that file itself; changes go through its scripting interface
// on the session bus, so the running shell shows them at once.
#include "platform/wallpaper/DesktopPictures.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>

namespace plyx::wallpaper {
namespace {

constexpr const char* kImagePlugin = "org.kde.image";

std::filesystem::path appletsFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path dir;
    if (config && *config == '/') dir = config;
    else if (const char* home = std::getenv("HOME")) dir = std::filesystem::path(home) / ".config";
    return dir / "plasma-org.kde.plasma.desktop-appletsrc";
}

// The groups of a KConfig file: "[A][B]" headers become "A/B"; keys lose
// their "[$...]" flags.
using Groups = std::map<std::string, std::map<std::string, std::string>>;

Groups readGroups(const std::filesystem::path& file) {
    Groups groups;
    std::ifstream in(file);
    std::string line, group;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            group.clear();
            size_t i = 0;
            while (i < line.size() && line[i] == '[') {
                const size_t close = line.find(']', i);
                if (close == std::string::npos) break;
                if (!group.empty()) group += '/';
                group += line.substr(i + 1, close - i - 1);
                i = close + 1;
            }
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(0, eq);
        if (const size_t flag = key.find("[$"); flag != std::string::npos) key.erase(flag);
        groups[group][key] = line.substr(eq + 1);
    }
    return groups;
}

struct Containment {
    std::string id;
    int screen = -1;
};

// Desktop containments: planar, on no edge, last seen on a screen. Panels
// sit on an edge; containments never placed have no screen.
std::vector<Containment> desktopContainments(const Groups& groups) {
    std::vector<Containment> out;
    for (const auto& [name, entries] : groups) {
        if (name.rfind("Containments/", 0) != 0 || name.find('/', 13) != std::string::npos) continue;
        auto value = [&](const char* key) {
            const auto it = entries.find(key);
            return it == entries.end() ? std::string() : it->second;
        };
        if (!value("formfactor").empty() && value("formfactor") != "0") continue;
        if (!value("location").empty() && value("location") != "0") continue;
        const std::string screen = value("lastScreen");
        if (screen.empty() || screen.find_first_not_of("0123456789") != std::string::npos) continue;
        out.push_back({name.substr(13), std::stoi(screen)});
    }
    std::stable_sort(out.begin(), out.end(), [](const Containment& a, const Containment& b) {
        if (a.screen != b.screen) return a.screen < b.screen;
        return std::stoll("0" + a.id) < std::stoll("0" + b.id);
    });
    return out;
}

std::string jsString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + "\"";
}

// Plasma saves its applets file some seconds after a change. Until the
// file changes, a desktop set here shows what was set, not the file's older
// entry.
struct Pending {
    std::filesystem::path picture;
    std::filesystem::file_time_type fileTime;
};

std::filesystem::file_time_type modified(const std::filesystem::path& file) {
    std::error_code ec;
    const auto t = std::filesystem::last_write_time(file, ec);
    return ec ? std::filesystem::file_time_type::min() : t;
}

class PlasmaDesktops : public DesktopPictures {
public:
    std::vector<std::string> screens() override {
        std::vector<std::string> ids;
        for (const auto& c : desktopContainments(readGroups(appletsFile()))) ids.push_back(c.id);
        return ids;
    }

    std::optional<std::filesystem::path> picture(const std::string& screen) override {
        if (const auto it = pending_.find(screen); it != pending_.end()) {
            if (modified(appletsFile()) == it->second.fileTime) return it->second.picture;
            pending_.erase(it);
        }
        const Groups groups = readGroups(appletsFile());
        const auto containment = groups.find("Containments/" + screen);
        if (containment == groups.end()) return std::nullopt;
        const auto plugin = containment->second.find("wallpaperplugin");
        if (plugin != containment->second.end() && plugin->second != kImagePlugin) return std::nullopt;
        const auto general = groups.find("Containments/" + screen + "/Wallpaper/" + kImagePlugin + "/General");
        if (general == groups.end()) return std::nullopt;
        const auto image = general->second.find("Image");
        if (image == general->second.end()) return std::nullopt;
        return localFileFromLocation(image->second);
    }

    std::optional<std::string> setPicture(const std::string& screen, const std::filesystem::path& file) override {
        if (screen.empty() || screen.find_first_not_of("0123456789") != std::string::npos)
            return "no desktop " + screen;
        const std::string script = "var d = desktopById(" + screen + ");\n"
                                   "d.wallpaperPlugin = \"" + kImagePlugin + "\";\n"
                                   "d.currentConfigGroup = [\"Wallpaper\", \"" + kImagePlugin + "\", \"General\"];\n"
                                   "d.writeConfig(\"Image\", " + jsString(fileURI(file)) + ");\n";
        auto call = QDBusMessage::createMethodCall("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell",
                                                   "evaluateScript");
        call << QString::fromStdString(script);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
        if (reply.type() == QDBusMessage::ErrorMessage) return reply.errorMessage().toStdString();
        pending_[screen] = {file, modified(appletsFile())};
        return std::nullopt;
    }

private:
    std::map<std::string, Pending> pending_;
};

} // namespace

std::unique_ptr<DesktopPictures> plasmaDesktops() { return std::make_unique<PlasmaDesktops>(); }

} // namespace plyx::wallpaper
