#include "tests/support/media/FakeMprisPlayer.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>

namespace plyx::test {

namespace {
constexpr const char* kPath = "/org/mpris/MediaPlayer2";
constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";

QVariantMap propertiesOf(const FakeMprisPlayer::Track& t) {
    QVariantMap meta;
    meta["mpris:trackid"] = QVariant::fromValue(QDBusObjectPath("/fake/track"));
    meta["xesam:title"] = t.title;
    if (t.lengthMicros) meta["mpris:length"] = *t.lengthMicros;
    if (t.artists) meta["xesam:artist"] = *t.artists;
    QVariantMap props;
    props["PlaybackStatus"] = t.status;
    props["Position"] = t.positionMicros;
    props["Metadata"] = meta;
    return props;
}
} // namespace

class FakeMprisObject : public QDBusVirtualObject {
public:
    explicit FakeMprisObject(FakeMprisPlayer& owner) : owner_(owner) {}
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection& connection) override {
        const QVariantMap props = propertiesOf(owner_.track());
        QDBusMessage reply;
        if (m.interface() == QLatin1String(kProperties) && m.member() == QLatin1String("Get")) {
            const QString name = m.arguments().value(1).toString();
            if (!props.contains(name))
                reply = m.createErrorReply(QDBusError::InvalidArgs, "no such property");
            else
                reply = m.createReply(QVariant::fromValue(QDBusVariant(props.value(name))));
        } else if (m.interface() == QLatin1String(kProperties) && m.member() == QLatin1String("GetAll")) {
            reply = m.createReply(props);
        } else if (m.interface() == QLatin1String(kPlayer)) {
            owner_.record(m.member());
            reply = m.createReply();
        } else {
            return false;
        }
        return connection.send(reply);
    }

private:
    FakeMprisPlayer& owner_;
};

FakeMprisPlayer::FakeMprisPlayer(const QString& address, const QString& id, Track track)
    : connectionName_("fake-mpris-" + id), busName_("org.mpris.MediaPlayer2." + id), track_(std::move(track)) {
    thread_.start();
    object_ = std::make_unique<FakeMprisObject>(*this);
    object_->moveToThread(&thread_);
    auto bus = QDBusConnection::connectToBus(address, connectionName_);
    onBus_ = bus.isConnected() && bus.registerVirtualObject(kPath, object_.get()) && bus.registerService(busName_);
}

FakeMprisPlayer::~FakeMprisPlayer() {
    {
        auto bus = QDBusConnection(connectionName_);
        bus.unregisterObject(kPath);
    }
    QDBusConnection::disconnectFromBus(connectionName_);
    thread_.quit();
    thread_.wait();
}

void FakeMprisPlayer::setTrack(Track track) {
    QMutexLocker lock(&mutex_);
    track_ = std::move(track);
}

FakeMprisPlayer::Track FakeMprisPlayer::track() const {
    QMutexLocker lock(&mutex_);
    return track_;
}

void FakeMprisPlayer::record(const QString& method) {
    QMutexLocker lock(&mutex_);
    ++calls_[method];
}

int FakeMprisPlayer::calls(const QString& method) const {
    QMutexLocker lock(&mutex_);
    const auto it = calls_.find(method);
    return it == calls_.end() ? 0 : it->second;
}

void FakeMprisPlayer::announce() {
    const QVariantMap props = propertiesOf(track());
    auto signal = QDBusMessage::createSignal(kPath, kProperties, "PropertiesChanged");
    signal << QString(kPlayer) << props << QStringList();
    QDBusConnection(connectionName_).send(signal);
}

void FakeMprisPlayer::quit() { QDBusConnection(connectionName_).unregisterService(busName_); }

} // namespace plyx::test
