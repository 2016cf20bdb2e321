#pragma once
// A small GeoClue on the test's private bus, as the real daemon shows itself
// to an application: the manager (GetClient, CreateClient and the accuracy
// it can offer), one client per request with its DesktopId, accuracy level,
// Start and Stop, and the LocationUpdated signal naming a location object
// with Latitude, Longitude and Accuracy. Knobs make it refuse clients or
// starts, behave like a GeoClue before CreateClient, or hold its positions
// until the test reports one. It answers on the thread it was made on.
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace plyx::test {

struct FakePosition {
    double latitude = 0;
    double longitude = 0;
    double accuracy = 0;
};

class FakeGeoClueLocation : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.GeoClue2.Location")
    Q_PROPERTY(double Latitude MEMBER latitude)
    Q_PROPERTY(double Longitude MEMBER longitude)
    Q_PROPERTY(double Accuracy MEMBER accuracy)
    Q_PROPERTY(QString Description MEMBER description)
public:
    explicit FakeGeoClueLocation(const FakePosition& p)
        : latitude(p.latitude), longitude(p.longitude), accuracy(p.accuracy) {}
    double latitude;
    double longitude;
    double accuracy;
    QString description;
};

class FakeGeoClue;

class FakeGeoClueClient : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.GeoClue2.Client")
    Q_PROPERTY(QDBusObjectPath Location READ location)
    Q_PROPERTY(QString DesktopId MEMBER desktopId)
    Q_PROPERTY(uint RequestedAccuracyLevel MEMBER requestedAccuracyLevel)
    Q_PROPERTY(bool Active MEMBER active)
public:
    FakeGeoClueClient(FakeGeoClue& owner, QString path) : owner_(owner), path_(std::move(path)) {}
    QDBusObjectPath location() const { return QDBusObjectPath(locationPath); }
    const QString& path() const { return path_; }

    QString desktopId;
    uint requestedAccuracyLevel = 0;
    bool active = false;
    QString locationPath = "/";

public slots:
    void Start();
    void Stop();

signals:
    void LocationUpdated(const QDBusObjectPath& oldLocation, const QDBusObjectPath& newLocation);

private:
    friend class FakeGeoClue;
    FakeGeoClue& owner_;
    QString path_;
};

class FakeGeoClue : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.GeoClue2.Manager")
    Q_PROPERTY(uint AvailableAccuracyLevel READ availableAccuracyLevel)
    Q_PROPERTY(bool InUse READ inUse)
public:
    /// Registers "org.freedesktop.GeoClue2" on the bus at `address`.
    explicit FakeGeoClue(const std::string& address);
    ~FakeGeoClue() override;
    bool isRegistered() const { return registered_; }

    // How it answers.
    /// The accuracy level it can offer; 0 is geolocation switched off. A
    /// change is announced with PropertiesChanged, as the daemon does.
    void setAvailableAccuracyLevel(uint level);
    uint availableAccuracyLevel() const { return level_; }
    bool inUse() const;
    bool refuseClients = false;     ///< GetClient and CreateClient fail with AccessDenied
    bool refuseStart = false;       ///< Start fails with AccessDenied
    bool withoutCreateClient = false;  ///< an older GeoClue: CreateClient is an unknown method
    /// Positions reported one per Start, just after it answers; none left,
    /// or `holdPositions`, and a started client waits for `report`.
    std::deque<FakePosition> positions;
    bool holdPositions = false;

    /// Reports `p` from every active client; false when none is active.
    bool report(const FakePosition& p);

    // What it was asked.
    int createClientCalls = 0;
    int getClientCalls = 0;
    int starts = 0;
    int stops = 0;
    const std::vector<std::unique_ptr<FakeGeoClueClient>>& clients() const { return clients_; }

public slots:
    QDBusObjectPath GetClient();
    QDBusObjectPath CreateClient();

private:
    friend class FakeGeoClueClient;
    QDBusObjectPath newClient();
    void reportFrom(FakeGeoClueClient& client, const FakePosition& p);

    QDBusConnection bus_;
    uint level_ = 8;
    std::vector<std::unique_ptr<FakeGeoClueClient>> clients_;
    std::vector<std::unique_ptr<FakeGeoClueLocation>> locations_;
    bool registered_ = false;
};

} // namespace plyx::test
