#pragma once
// The user's location for the weather widgets: asks for access, takes one
// fix at a time, names it after the nearest town and stores it as the
// weather's place under "plyx.weather.mylocation.v1", then reloads the six
// weather kinds. The widget extension cannot ask where the user is; the
// application does it for them. Lives on the main thread.
#include "platform/location/Geocoder.h"
#include "platform/location/LocationManager.h"

#include <QObject>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plyx {

class LocationService : public QObject {
    Q_OBJECT
public:
    /// The place's name when the position lies near no known town.
    static constexpr const char* kMyLocationName = "My Location";
    /// The accuracy asked of every fix, in metres.
    static constexpr double kDesiredAccuracy = 100;
    /// Reloaded after every fix, in this order.
    static constexpr std::array<const char*, 6> kWeatherKinds = {
        "plyx.weather.current", "plyx.weather.night",    "plyx.weather.forecast",
        "plyx.weather.rain",    "plyx.weather.daylight", "plyx.weather.airquality"};

    /// What the service works with; the application's are `livePorts()`.
    struct Ports {
        std::unique_ptr<location::LocationManager> manager;
        std::function<std::vector<location::Placemark>(double latitude, double longitude)> reverseGeocode;
        std::function<void(const std::string& kind)> reloadTimelines;
        /// Opens the desktop's location settings, where it has some.
        std::function<void()> openLocationSettings;
    };
    /// GeoClue on the system bus, the built-in gazetteer, the widget center
    /// on the session bus and the desktop's location settings.
    static Ports livePorts();

    /// The application's one service, made on first use.
    static LocationService& shared();
    explicit LocationService(Ports ports, QObject* parent = nullptr);
    ~LocationService() override;

    /// Location access is granted: any grant counts, the one asked for
    /// (while in use) as well as one for all the time.
    bool authorized() const { return authorized_; }
    location::LocationManager& manager() { return *ports_.manager; }

    /// The user asked for their location: a fix when access is granted, the
    /// question when it was never asked, else the desktop's location
    /// settings, where the user can grant it.
    void request();

    /// The town a position is named after: the first placemark's
    /// sub-locality, else its locality, else its sub-administrative area.
    static std::optional<std::string> cityName(const std::vector<location::Placemark>& placemarks);

signals:
    void authorizedChanged(bool authorized);
    /// A fix was named, stored (when its place encodes) and the weather
    /// widgets reloaded.
    void fixHandled();

private:
    void onAuthorizationChanged();
    void onLocationsUpdated(const std::vector<location::Location>& locations);
    void handleFix(const location::Location& fix);

    Ports ports_;
    bool authorized_ = false;
};

} // namespace plyx
