#include "platform/media/MprisPlayer.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QLoggingCategory>

#include <algorithm>

namespace plyx::media {
namespace {

Q_LOGGING_CATEGORY(lcMedia, "com.zelvanedesigns.plyx.media.mpris")

constexpr int kCallTimeoutMs = 1000;
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";

// A variant as the bus hands it over: nested maps arrive still marshalled.
QVariantMap toMap(const QVariant& v) {
    if (v.canConvert<QDBusArgument>()) return qdbus_cast<QVariantMap>(v.value<QDBusArgument>());
    return v.toMap();
}

QVariant unwrap(const QVariant& v) {
    if (v.canConvert<QDBusVariant>()) return v.value<QDBusVariant>().variant();
    return v;
}

std::string joinedArtists(const QVariant& v) {
    QStringList artists;
    if (v.canConvert<QDBusArgument>()) artists = qdbus_cast<QStringList>(v.value<QDBusArgument>());
    else if (v.typeId() == QMetaType::QString) artists = {v.toString()};
    else artists = v.toStringList();
    return artists.join(QStringLiteral(", ")).toStdString();
}

// MPRIS counts time in microseconds, as a signed or unsigned 64-bit integer.
double microsToSeconds(const QVariant& v) {
    bool ok = false;
    const double us = v.toDouble(&ok);
    return ok && us > 0 ? us / 1e6 : 0;
}

PlaybackState stateOf(const QString& s) {
    if (s == QLatin1String("Playing")) return PlaybackState::Playing;
    if (s == QLatin1String("Paused")) return PlaybackState::Paused;
    return PlaybackState::Stopped;
}

} // namespace

MprisPlayer::MprisPlayer(QObject* parent) : MusicPlayer(parent), bus_(QDBusConnection::sessionBus()) {
    if (!bus_.isConnected()) {
        qCInfo(lcMedia) << "no session bus: no music player can be followed";
        return;
    }
    bus_.connect(QString(), kMprisPath, kProperties, "PropertiesChanged", this,
                 SLOT(onPropertiesChanged(QString, QVariantMap, QStringList)));
    bus_.connect("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameOwnerChanged", this,
                 SLOT(onNameOwnerChanged(QString, QString, QString)));
}

QStringList MprisPlayer::players() {
    if (!bus_.isConnected()) return {};
    const auto reply = bus_.interface()->registeredServiceNames();
    if (!reply.isValid()) return {};
    QStringList found;
    for (const QString& name : reply.value())
        if (name.startsWith(QLatin1String(kMprisPrefix))) found << name;
    found.sort();
    return found;
}

QString MprisPlayer::playbackStatus(const QString& player) {
    auto call = QDBusMessage::createMethodCall(player, kMprisPath, kProperties, "Get");
    call << QString(kMprisPlayerInterface) << QStringLiteral("PlaybackStatus");
    const auto reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return unwrap(reply.arguments().first()).toString();
}

QString MprisPlayer::followedPlayer() {
    const QStringList all = players();
    if (all.isEmpty()) return {};
    for (const QString& p : all) {
        if (playbackStatus(p) == QLatin1String("Playing")) {
            lastPlaying_ = p;
            return p;
        }
    }
    if (all.contains(lastPlaying_)) return lastPlaying_;
    return all.first();
}

bool MprisPlayer::isRunning() { return !players().isEmpty(); }

std::optional<PlayerStatus> MprisPlayer::status() {
    const QString player = followedPlayer();
    if (player.isEmpty()) return std::nullopt;
    auto call = QDBusMessage::createMethodCall(player, kMprisPath, kProperties, "GetAll");
    call << QString(kMprisPlayerInterface);
    const auto reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qCWarning(lcMedia) << "player" << player << "did not answer:" << reply.errorMessage();
        return std::nullopt;
    }
    const QVariantMap props = toMap(reply.arguments().first());
    const QVariantMap meta = toMap(unwrap(props.value("Metadata")));
    PlayerStatus s;
    s.state = stateOf(unwrap(props.value("PlaybackStatus")).toString());
    s.positionSeconds = microsToSeconds(unwrap(props.value("Position")));
    s.durationSeconds = microsToSeconds(unwrap(meta.value("mpris:length")));
    s.title = unwrap(meta.value("xesam:title")).toString().toStdString();
    s.artist = joinedArtists(unwrap(meta.value("xesam:artist")));
    return s;
}

std::optional<double> MprisPlayer::position() {
    const QString player = followedPlayer();
    if (player.isEmpty()) return std::nullopt;
    auto call = QDBusMessage::createMethodCall(player, kMprisPath, kProperties, "Get");
    call << QString(kMprisPlayerInterface) << QStringLiteral("Position");
    const auto reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return std::nullopt;
    bool ok = false;
    const double us = unwrap(reply.arguments().first()).toDouble(&ok);
    if (!ok) return std::nullopt;
    return us / 1e6;
}

bool MprisPlayer::command(const char* method) {
    const QString player = followedPlayer();
    if (player.isEmpty()) return false;
    const auto call = QDBusMessage::createMethodCall(player, kMprisPath, kMprisPlayerInterface, method);
    const auto reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool MprisPlayer::playPause() { return command("PlayPause"); }
bool MprisPlayer::next() { return command("Next"); }
bool MprisPlayer::previous() { return command("Previous"); }

void MprisPlayer::onPropertiesChanged(const QString& interface, const QVariantMap& props, const QStringList&) {
    if (interface != QLatin1String(kMprisPlayerInterface)) return;
    // The sender is a unique name; remember which player it is when it starts
    // playing, so a later pause still follows it.
    if (unwrap(props.value("PlaybackStatus")).toString() == QLatin1String("Playing")) {
        const QString sender = message().service();
        for (const QString& p : players()) {
            if (bus_.interface()->serviceOwner(p).value() == sender) {
                lastPlaying_ = p;
                break;
            }
        }
    }
    emit this->changed();
}

void MprisPlayer::onNameOwnerChanged(const QString& name, const QString&, const QString&) {
    if (name.startsWith(QLatin1String(kMprisPrefix))) emit changed();
}

} // namespace plyx::media
