#include "platform/location/GeoClueLocationManager.h"

#include <QDBusArgument>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QLoggingCategory>

#include <array>
#include <cmath>

namespace plyx::location {

namespace {
Q_LOGGING_CATEGORY(lcGeoClue, "com.zelvanedesigns.plyx.location")

constexpr const char* kService = "org.freedesktop.GeoClue2";
constexpr const char* kManagerPath = "/org/freedesktop/GeoClue2/Manager";
constexpr const char* kManagerInterface = "org.freedesktop.GeoClue2.Manager";
constexpr const char* kClientInterface = "org.freedesktop.GeoClue2.Client";
constexpr const char* kLocationInterface = "org.freedesktop.GeoClue2.Location";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
// The bus may have to start GeoClue first: its own reply time.
constexpr int kCallTimeoutMs = 25'000;

constexpr const char* kAccessDenied = "org.freedesktop.DBus.Error.AccessDenied";
constexpr const char* kUnknownMethod = "org.freedesktop.DBus.Error.UnknownMethod";

/// Errors that mean there is no GeoClue to ask: nobody owns its name and the
/// bus cannot start it.
bool isAbsent(const QString& errorName) {
    return errorName == "org.freedesktop.DBus.Error.ServiceUnknown" ||
           errorName == "org.freedesktop.DBus.Error.NameHasNoOwner" ||
           errorName.startsWith("org.freedesktop.DBus.Error.Spawn.");
}

/// GeoClue's accuracy levels, finest first, with the radius each stands for.
struct Level {
    double metres;
    unsigned level;
};
constexpr std::array<Level, 4> kLevels = {{{10, 8}, {100, 6}, {1'000, 5}, {20'000, 4}}};
constexpr unsigned kCountryLevel = 1;

/// The system bus. Its address is read here, on every call, rather than once
/// per process with the session bus's as libdbus does, so an address set
/// after the session bus was first reached (a private bus) still counts.
QDBusConnection systemBus() {
    const QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    if (address.isEmpty()) return QDBusConnection::systemBus();
    return QDBusConnection::connectToBus(address, "plyx-location-system-bus");
}

QDBusMessage clientPropertySet(const QString& path, const char* name, const QVariant& value) {
    auto m = QDBusMessage::createMethodCall(kService, path, kProperties, "Set");
    m.setArguments({kClientInterface, QString(name), QVariant::fromValue(QDBusVariant(value))});
    return m;
}
} // namespace

unsigned GeoClueLocationManager::accuracyLevel(double metres) {
    for (const auto& l : kLevels)
        if (metres <= l.metres) return l.level;
    return kCountryLevel;
}

GeoClueLocationManager::GeoClueLocationManager(QString desktopId, Bus bus, int fixTimeoutMs, QObject* parent)
    : LocationManager(parent), desktopId_(std::move(desktopId)),
      bus_(bus ? bus() : systemBus()), level_(kLevels.front().level) {
    fixTimer_.setSingleShot(true);
    fixTimer_.setInterval(fixTimeoutMs);
    connect(&fixTimer_, &QTimer::timeout, this, [this] {
        finishFix(std::nullopt, QString("none within %1 s").arg(fixTimer_.interval() / 1000.0));
    });
    if (!bus_.isConnected()) {
        qCInfo(lcGeoClue) << "no system bus: the location is not asked for";
        return;
    }
    // Geolocation switched on or off in the desktop's settings shows up as
    // a change of the accuracy GeoClue can offer.
    bus_.connect(kService, kManagerPath, kProperties, "PropertiesChanged", this,
                 SLOT(onManagerPropertiesChanged(QString, QVariantMap, QStringList)));
    probe();
}

GeoClueLocationManager::~GeoClueLocationManager() {
    if (fixRunning_) stopClient();
}

void GeoClueLocationManager::call(const QDBusMessage& message, std::function<void(const QDBusMessage&)> onReply) {
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, onReply = std::move(onReply)] {
        watcher->deleteLater();
        if (onReply) onReply(watcher->reply());
    });
}

void GeoClueLocationManager::setStatus(AuthorizationStatus s) {
    if (s == status_) return;
    status_ = s;
    emit authorizationChanged();
}

void GeoClueLocationManager::probe() {
    if (probing_ || !bus_.isConnected()) return;
    probing_ = true;
    auto m = QDBusMessage::createMethodCall(kService, kManagerPath, kProperties, "Get");
    m.setArguments({kManagerInterface, QString("AvailableAccuracyLevel")});
    call(m, [this](const QDBusMessage& reply) {
        probing_ = false;
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            const auto level = reply.arguments().first().value<QDBusVariant>().variant().toUInt();
            setStatus(level == 0 ? AuthorizationStatus::denied : AuthorizationStatus::authorizedWhenInUse);
        } else if (isAbsent(reply.errorName())) {
            qCInfo(lcGeoClue) << "GeoClue is not on the system bus: the location is not asked for";
            setStatus(AuthorizationStatus::notDetermined);
        } else if (reply.errorName() == kAccessDenied) {
            setStatus(AuthorizationStatus::denied);
        } else {
            qCInfo(lcGeoClue).noquote() << "GeoClue did not answer:" << reply.errorMessage();
        }
    });
}

void GeoClueLocationManager::onManagerPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                                        const QStringList& invalidated) {
    if (interface != kManagerInterface) return;
    if (changed.contains("AvailableAccuracyLevel") || invalidated.contains("AvailableAccuracyLevel")) probe();
}

void GeoClueLocationManager::requestWhenInUseAuthorization() { probe(); }

void GeoClueLocationManager::setDesiredAccuracy(double metres) { level_ = accuracyLevel(metres); }

void GeoClueLocationManager::requestLocation() {
    if (fixRunning_) return;  // the running fix answers this request too
    fixRunning_ = true;
    ++fixSerial_;
    fixTimer_.start();
    if (!bus_.isConnected()) {
        // Answered later, as every fix is, never inside the request.
        QMetaObject::invokeMethod(this, [this] { finishFix(std::nullopt, "no system bus"); }, Qt::QueuedConnection);
        return;
    }
    withClient([this] { startClient(); });
}

void GeoClueLocationManager::withClient(std::function<void()> next) {
    if (!clientPath_.isEmpty()) {
        next();
        return;
    }
    askForClient("CreateClient", std::move(next));
}

void GeoClueLocationManager::askForClient(const char* method, std::function<void()> next) {
    const auto serial = fixSerial_;
    call(QDBusMessage::createMethodCall(kService, kManagerPath, kManagerInterface, method),
         [this, serial, method, next = std::move(next)](const QDBusMessage& reply) {
             if (!current(serial)) return;
             if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                 // GeoClue before 2.5 offers only the one client per connection.
                 if (reply.errorName() == kUnknownMethod && QByteArray(method) == "CreateClient")
                     return askForClient("GetClient", next);
                 return failFix(reply);
             }
             clientPath_ = reply.arguments().first().value<QDBusObjectPath>().path();
             bus_.connect(kService, clientPath_, kClientInterface, "LocationUpdated", this,
                          SLOT(onLocationUpdated(QDBusObjectPath, QDBusObjectPath)));
             next();
         });
}

void GeoClueLocationManager::startClient() {
    const auto serial = fixSerial_;
    // GeoClue and the desktop's agent judge the client by its desktop id and
    // the accuracy it asks for, so both are set before it starts.
    call(clientPropertySet(clientPath_, "DesktopId", desktopId_), {});
    call(clientPropertySet(clientPath_, "RequestedAccuracyLevel", level_), {});
    call(QDBusMessage::createMethodCall(kService, clientPath_, kClientInterface, "Start"),
         [this, serial](const QDBusMessage& reply) {
             if (reply.type() != QDBusMessage::ReplyMessage) {
                 if (current(serial)) failFix(reply);
                 return;
             }
             if (!current(serial)) {
                 stopClient();  // started after its fix was given up
                 return;
             }
             // GeoClue let the client start: access is granted.
             setStatus(AuthorizationStatus::authorizedWhenInUse);
         });
}

void GeoClueLocationManager::stopClient() {
    if (clientPath_.isEmpty() || !bus_.isConnected()) return;
    call(QDBusMessage::createMethodCall(kService, clientPath_, kClientInterface, "Stop"), {});
}

void GeoClueLocationManager::onLocationUpdated(const QDBusObjectPath&, const QDBusObjectPath& newLocation) {
    if (!fixRunning_) return;
    const auto serial = fixSerial_;
    auto m = QDBusMessage::createMethodCall(kService, newLocation.path(), kProperties, "GetAll");
    m.setArguments({kLocationInterface});
    call(m, [this, serial](const QDBusMessage& reply) {
        if (!current(serial)) return;
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return failFix(reply);
        QVariantMap props;
        reply.arguments().first().value<QDBusArgument>() >> props;
        if (!props.contains("Latitude") || !props.contains("Longitude"))
            return finishFix(std::nullopt, "a position without coordinates");
        finishFix(Location{props.value("Latitude").toDouble(), props.value("Longitude").toDouble(),
                           props.value("Accuracy").toDouble()});
    });
}

void GeoClueLocationManager::failFix(const QDBusMessage& errorReply) {
    const QString name = errorReply.errorName();
    QString message = errorReply.errorMessage().isEmpty() ? name : errorReply.errorMessage();
    if (message.isEmpty()) message = "an answer GeoClue should not give";
    finishFix(std::nullopt, message);  // stops the client while its path is still known
    if (name != kAccessDenied) clientPath_.clear();  // from a GeoClue since restarted, perhaps: made anew next time
    if (name == kAccessDenied) setStatus(AuthorizationStatus::denied);
    else if (isAbsent(name)) setStatus(AuthorizationStatus::notDetermined);
}

void GeoClueLocationManager::finishFix(std::optional<Location> fix, const QString& error) {
    if (!fixRunning_) return;
    fixRunning_ = false;
    fixTimer_.stop();
    stopClient();
    if (fix) emit locationsUpdated({*fix});
    else {
        qCInfo(lcGeoClue).noquote() << "no position:" << error;
        emit failed(error);
    }
}

} // namespace plyx::location
