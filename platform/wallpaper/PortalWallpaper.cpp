// The XDG desktop portal sets the wallpaper for desktops we do not speak to
// directly. A request answers twice: the call returns the request's object
// path at once, and the outcome follows as its Response signal. We listen on
// the path before calling (it is predictable from our bus name and a token of
// ours), so a quick answer is not missed.
#include "platform/wallpaper/DesktopPictures.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QEventLoop>
#include <QTimer>
#include <QUuid>
#include <QVariantMap>

namespace plyx::wallpaper {
namespace {

constexpr int kAnswerTimeoutMs = 60000;

class RequestAnswer : public QObject {
    Q_OBJECT
public:
    std::optional<uint> response;
    QEventLoop loop;

public slots:
    void Response(uint code, const QVariantMap&) {
        response = code;
        loop.quit();
    }
};

bool listen(QDBusConnection& bus, const QString& path, RequestAnswer* answer) {
    return bus.connect("org.freedesktop.portal.Desktop", path, "org.freedesktop.portal.Request", "Response", answer,
                       SLOT(Response(uint, QVariantMap)));
}

class PortalWallpaper : public DesktopPictures {
public:
    std::vector<std::string> screens() override { return {"all"}; }

    std::optional<std::filesystem::path> picture(const std::string&) override { return std::nullopt; }

    std::optional<std::string> setPicture(const std::string&, const std::filesystem::path& file) override {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) return "no session bus";
        const QString token = "plyx" + QUuid::createUuid().toString(QUuid::Id128);
        QString sender = bus.baseService().mid(1);
        sender.replace('.', '_');
        const QString expected = "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;
        RequestAnswer answer;
        listen(bus, expected, &answer);

        auto call = QDBusMessage::createMethodCall("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                                                   "org.freedesktop.portal.Wallpaper", "SetWallpaperURI");
        call << QString() << QString::fromStdString(fileURI(file))
             << QVariantMap{{"handle_token", token}, {"show-preview", false}, {"set-on", QString("background")}};
        const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
        if (reply.type() == QDBusMessage::ErrorMessage) return reply.errorMessage().toStdString();
        // Portals older than the token convention answer on a path of their own.
        if (!reply.arguments().isEmpty()) {
            const QString handle = reply.arguments().constFirst().value<QDBusObjectPath>().path();
            if (!handle.isEmpty() && handle != expected) listen(bus, handle, &answer);
        }
        if (!answer.response) {
            QTimer::singleShot(kAnswerTimeoutMs, &answer.loop, &QEventLoop::quit);
            answer.loop.exec();
        }
        if (!answer.response) return "the desktop portal did not answer";
        if (*answer.response == 1) return "the wallpaper request was cancelled";
        if (*answer.response != 0) return "the desktop portal refused the wallpaper";
        return std::nullopt;
    }
};

} // namespace

std::unique_ptr<DesktopPictures> portalWallpaper() { return std::make_unique<PortalWallpaper>(); }

} // namespace plyx::wallpaper

#include "PortalWallpaper.moc"
