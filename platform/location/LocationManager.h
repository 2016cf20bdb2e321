#pragma once
// What the application asks of the platform's location service: whether the
// user lets it know where they are, a request for that permission, and one
// position fix at a time. Answers arrive as signals on the thread the
// manager lives on.
#include <QObject>
#include <QString>

#include <vector>

namespace plyx::location {

enum class AuthorizationStatus { notDetermined, restricted, denied, authorizedAlways, authorizedWhenInUse };

/// One position fix.
struct Location {
    double latitude = 0;   ///< degrees, north positive
    double longitude = 0;  ///< degrees, east positive
    double accuracy = 0;   ///< radius in metres
    bool operator==(const Location&) const = default;
};

class LocationManager : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual AuthorizationStatus authorizationStatus() const = 0;
    /// Asks for access while the application is in use; the answer comes
    /// through `authorizationChanged` when the status changes.
    virtual void requestWhenInUseAuthorization() = 0;
    /// Asks for one position: `locationsUpdated` or `failed` follows. A
    /// request while one is running joins it.
    virtual void requestLocation() = 0;
    /// How close the fixes should be, in metres.
    virtual void setDesiredAccuracy(double metres) = 0;

signals:
    void authorizationChanged();
    void locationsUpdated(const std::vector<plyx::location::Location>& locations);
    void failed(const QString& error);
};

} // namespace plyx::location
