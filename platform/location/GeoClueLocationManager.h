#pragma once
// The location service on Linux: GeoClue on the system bus.
//
// Access: GeoClue itself, with the desktop's agent, decides whether an
// application may know where the user is, and says so when the application
// starts a client. Until then the status is what GeoClue's manager tells:
// no GeoClue on the bus is "not determined"; GeoClue answering with
// geolocation switched off (its available accuracy is none) is "denied";
// GeoClue answering otherwise counts as a grant while in use, until it
// refuses to start the client, which is "denied" too.
//
// A fix starts the client, takes the first position it reports and stops it
// again: the application never follows the user continuously. Every call is
// asynchronous, so the thread the manager lives on never waits for the bus.
#include "platform/location/LocationManager.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <cstdint>
#include <functional>
#include <optional>

namespace plyx::location {

class GeoClueLocationManager final : public LocationManager {
    Q_OBJECT
public:
    using Bus = std::function<QDBusConnection()>;
    /// How long a fix may take before it is given up as failed.
    static constexpr int kFixTimeoutMs = 60'000;

    /// `desktopId` names the application to GeoClue and the desktop's agent:
    /// its desktop entry's file name without ".desktop". `bus` gives the
    /// connection to use (the system bus when empty). The status is asked
    /// for at once; `authorizationChanged` follows when it is known.
    explicit GeoClueLocationManager(QString desktopId, Bus bus = {}, int fixTimeoutMs = kFixTimeoutMs,
                                    QObject* parent = nullptr);
    ~GeoClueLocationManager() override;

    AuthorizationStatus authorizationStatus() const override { return status_; }
    /// Asks GeoClue again: it may have come onto the bus, or been switched on.
    void requestWhenInUseAuthorization() override;
    void requestLocation() override;
    void setDesiredAccuracy(double metres) override;

    /// GeoClue's accuracy level for a radius in metres: exact, street,
    /// neighbourhood, city or country, the coarsest that is still as close.
    static unsigned accuracyLevel(double metres);
    bool isFixRunning() const { return fixRunning_; }

private slots:
    void onLocationUpdated(const QDBusObjectPath& oldLocation, const QDBusObjectPath& newLocation);
    void onManagerPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                    const QStringList& invalidated);

private:
    void probe();
    void setStatus(AuthorizationStatus s);
    void call(const QDBusMessage& message, std::function<void(const QDBusMessage&)> onReply);
    /// Runs `next` once the client exists, asking GeoClue for one first.
    void withClient(std::function<void()> next);
    void askForClient(const char* method, std::function<void()> next);
    void startClient();
    void stopClient();
    /// Ends the running fix with its position, or with the error reply that ended it.
    void finishFix(std::optional<Location> fix, const QString& error = {});
    void failFix(const QDBusMessage& errorReply);
    bool current(std::uint64_t serial) const { return fixRunning_ && serial == fixSerial_; }

    QString desktopId_;
    QDBusConnection bus_;
    AuthorizationStatus status_ = AuthorizationStatus::notDetermined;
    unsigned level_;
    QString clientPath_;
    bool probing_ = false;
    bool fixRunning_ = false;
    std::uint64_t fixSerial_ = 0;  // replies of an ended fix are ignored
    QTimer fixTimer_;
};

} // namespace plyx::location
