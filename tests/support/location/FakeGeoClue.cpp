#include "tests/support/location/FakeGeoClue.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QTimer>

namespace plyx::test {

namespace {
constexpr const char* kService = "org.freedesktop.GeoClue2";
constexpr const char* kManagerPath = "/org/freedesktop/GeoClue2/Manager";

QString connectionName() {
    static int n = 0;
    return QString("fake-geoclue-%1").arg(++n);
}
} // namespace

void FakeGeoClueClient::Start() {
    if (owner_.refuseStart) {
        sendErrorReply(QDBusError::AccessDenied, "'" + desktopId + "' disallowed");
        return;
    }
    ++owner_.starts;
    active = true;
    if (owner_.holdPositions || owner_.positions.empty()) return;
    const FakePosition p = owner_.positions.front();
    owner_.positions.pop_front();
    // After Start's reply has gone out, as the daemon reports once it has a fix.
    QTimer::singleShot(0, this, [this, p] {
        if (active) owner_.reportFrom(*this, p);
    });
}

void FakeGeoClueClient::Stop() {
    ++owner_.stops;
    active = false;
}

FakeGeoClue::FakeGeoClue(const std::string& address)
    : bus_(QDBusConnection::connectToBus(QString::fromStdString(address), connectionName())) {
    registered_ = bus_.isConnected() &&
                  bus_.registerObject(kManagerPath, this, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties) &&
                  bus_.registerService(kService);
}

FakeGeoClue::~FakeGeoClue() {
    bus_.unregisterService(kService);
    const QString name = bus_.name();
    bus_ = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(name);
}

bool FakeGeoClue::inUse() const {
    for (const auto& c : clients_)
        if (c->active) return true;
    return false;
}

void FakeGeoClue::setAvailableAccuracyLevel(uint level) {
    level_ = level;
    auto signal = QDBusMessage::createSignal(kManagerPath, "org.freedesktop.DBus.Properties", "PropertiesChanged");
    signal.setArguments({QString("org.freedesktop.GeoClue2.Manager"),
                         QVariantMap{{"AvailableAccuracyLevel", QVariant::fromValue(level)}}, QStringList()});
    bus_.send(signal);
}

QDBusObjectPath FakeGeoClue::newClient() {
    const QString path = QString("/org/freedesktop/GeoClue2/Client/%1").arg(clients_.size() + 1);
    auto client = std::make_unique<FakeGeoClueClient>(*this, path);
    bus_.registerObject(path, client.get(),
                        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                            QDBusConnection::ExportAllProperties);
    clients_.push_back(std::move(client));
    return QDBusObjectPath(path);
}

QDBusObjectPath FakeGeoClue::GetClient() {
    ++getClientCalls;
    if (refuseClients) {
        sendErrorReply(QDBusError::AccessDenied, "clients are refused");
        return {};
    }
    // One client per connection: the first one made.
    if (!clients_.empty()) return QDBusObjectPath(clients_.front()->path());
    return newClient();
}

QDBusObjectPath FakeGeoClue::CreateClient() {
    ++createClientCalls;
    if (withoutCreateClient) {
        sendErrorReply(QDBusError::UnknownMethod, "No such method 'CreateClient'");
        return {};
    }
    if (refuseClients) {
        sendErrorReply(QDBusError::AccessDenied, "clients are refused");
        return {};
    }
    return newClient();
}

bool FakeGeoClue::report(const FakePosition& p) {
    bool any = false;
    for (const auto& c : clients_)
        if (c->active) {
            reportFrom(*c, p);
            any = true;
        }
    return any;
}

void FakeGeoClue::reportFrom(FakeGeoClueClient& client, const FakePosition& p) {
    const QString path = QString("/org/freedesktop/GeoClue2/Location/%1").arg(locations_.size() + 1);
    auto location = std::make_unique<FakeGeoClueLocation>(p);
    bus_.registerObject(path, location.get(), QDBusConnection::ExportAllProperties);
    locations_.push_back(std::move(location));
    const QDBusObjectPath old(client.locationPath);
    client.locationPath = path;
    emit client.LocationUpdated(old, QDBusObjectPath(path));
}

} // namespace plyx::test
