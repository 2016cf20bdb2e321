// GNOME keeps the desktop picture in org.gnome.desktop.background: a light
// picture ("picture-uri") and a dark one ("picture-uri-dark"), shown by the
// colour scheme of org.gnome.desktop.interface. Values go through `gsettings`
// as GVariant text, which is a quoted string for these keys.
#include "platform/wallpaper/DesktopPictures.h"

#include <QProcess>
#include <QStringList>

namespace plyx::wallpaper {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.background";
constexpr int kTimeoutMs = 5000;

struct Run {
    bool ok = false;
    std::string out, err;
};

Run gsettings(const QStringList& args) {
    QProcess p;
    p.start("gsettings", args);
    Run r;
    if (!p.waitForStarted(kTimeoutMs)) {
        r.err = "gsettings could not be started";
        return r;
    }
    if (!p.waitForFinished(kTimeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = "gsettings did not answer";
        return r;
    }
    r.out = p.readAllStandardOutput().trimmed().toStdString();
    r.err = p.readAllStandardError().trimmed().toStdString();
    r.ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!r.ok && r.err.empty()) r.err = "gsettings failed";
    return r;
}

// A GVariant string literal: quoted with ' or ", backslash escapes.
std::optional<std::string> unquote(const std::string& text) {
    if (text.size() < 2 || (text.front() != '\'' && text.front() != '"') || text.back() != text.front())
        return std::nullopt;
    std::string out;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '\\' && i + 2 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

std::string quote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'' || c == '\\') out += '\\';
        out += c;
    }
    return out + "'";
}

class GnomeBackground : public DesktopPictures {
public:
    std::vector<std::string> screens() override { return {"desktop"}; }

    std::optional<std::filesystem::path> picture(const std::string&) override {
        // The dark picture is the one shown while the desktop prefers dark.
        const Run scheme = gsettings({"get", "org.gnome.desktop.interface", "color-scheme"});
        const bool dark = scheme.ok && unquote(scheme.out) == "prefer-dark";
        const Run r = gsettings({"get", kSchema, dark ? "picture-uri-dark" : "picture-uri"});
        if (!r.ok) return std::nullopt;
        const auto value = unquote(r.out);
        return value ? localFileFromLocation(*value) : std::nullopt;
    }

    std::optional<std::string> setPicture(const std::string&, const std::filesystem::path& file) override {
        const QString value = QString::fromStdString(quote(fileURI(file)));
        const Run light = gsettings({"set", kSchema, "picture-uri", value});
        if (!light.ok) return light.err;
        // Desktops from before the dark picture existed have only the one.
        const Run keys = gsettings({"list-keys", kSchema});
        if (!keys.ok || !QString::fromStdString(keys.out).split('\n').contains("picture-uri-dark")) return std::nullopt;
        const Run dark = gsettings({"set", kSchema, "picture-uri-dark", value});
        if (!dark.ok) return dark.err;
        return std::nullopt;
    }
};

} // namespace

std::unique_ptr<DesktopPictures> gnomeBackground() { return std::make_unique<GnomeBackground>(); }

} // namespace plyx::wallpaper
