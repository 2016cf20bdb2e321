#include "app/services/LocationService.h"

#include "platform/location/GeoClueLocationManager.h"
#include "platform/location/LocationSettings.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/sources/WeatherProvider.h"
#include "shared/storage/SharedStorage.h"

namespace plyx {

namespace {
using location::AuthorizationStatus;

// GeoClue and the desktop's agent know the application by its desktop entry,
// "plyx.desktop", which the application installs at start.
constexpr const char* kDesktopId = "plyx";

bool isGranted(AuthorizationStatus s) {
    // Access is asked for while in use, so that grant must count as well as
    // one for all the time; counting only the latter never located anyone.
    return s == AuthorizationStatus::authorizedAlways || s == AuthorizationStatus::authorizedWhenInUse;
}

} // namespace

LocationService::Ports LocationService::livePorts() {
    Ports p;
    p.manager = std::make_unique<location::GeoClueLocationManager>(kDesktopId);
    p.reverseGeocode = [](double latitude, double longitude) { return location::reverseGeocode(latitude, longitude); };
    p.reloadTimelines = [](const std::string& kind) { widgetkit::WidgetCenter::reloadTimelines(kind); };
    p.openLocationSettings = [] { location::openLocationSettings(); };
    return p;
}

LocationService& LocationService::shared() {
    static LocationService* instance = new LocationService(livePorts());  // lives for the whole run
    return *instance;
}

LocationService::LocationService(Ports ports, QObject* parent) : QObject(parent), ports_(std::move(ports)) {
    auto& m = *ports_.manager;
    connect(&m, &location::LocationManager::authorizationChanged, this, &LocationService::onAuthorizationChanged);
    connect(&m, &location::LocationManager::locationsUpdated, this, &LocationService::onLocationsUpdated);
    // A failed fix is let go: the next request or change of access tries again.
    m.setDesiredAccuracy(kDesiredAccuracy);
    authorized_ = isGranted(m.authorizationStatus());
}

LocationService::~LocationService() = default;

void LocationService::request() {
    switch (ports_.manager->authorizationStatus()) {
    case AuthorizationStatus::authorizedAlways:
    case AuthorizationStatus::authorizedWhenInUse:
        ports_.manager->requestLocation();
        break;
    case AuthorizationStatus::notDetermined:
        ports_.manager->requestWhenInUseAuthorization();
        break;
    case AuthorizationStatus::restricted:
    case AuthorizationStatus::denied:
        if (ports_.openLocationSettings) ports_.openLocationSettings();
        break;
    }
}

void LocationService::onAuthorizationChanged() {
    // The status is read as the change is told; acting on it waits for the
    // work now running, so the manager is never asked again from inside its
    // own signal.
    const bool granted = isGranted(ports_.manager->authorizationStatus());
    QMetaObject::invokeMethod(
        this,
        [this, granted] {
            if (granted != authorized_) {
                authorized_ = granted;
                emit authorizedChanged(granted);
            }
            if (granted) ports_.manager->requestLocation();
        },
        Qt::QueuedConnection);
}

void LocationService::onLocationsUpdated(const std::vector<location::Location>& locations) {
    if (locations.empty()) return;
    const location::Location fix = locations.back();  // the latest
    QMetaObject::invokeMethod(this, [this, fix] { handleFix(fix); }, Qt::QueuedConnection);
}

std::optional<std::string> LocationService::cityName(const std::vector<location::Placemark>& placemarks) {
    if (placemarks.empty()) return std::nullopt;
    const auto& first = placemarks.front();
    if (first.subLocality) return first.subLocality;
    if (first.locality) return first.locality;
    return first.subAdministrativeArea;
}

void LocationService::handleFix(const location::Location& fix) {
    const auto city = cityName(ports_.reverseGeocode(fix.latitude, fix.longitude));
    const WeatherProvider::Place place{city.value_or(kMyLocationName), fix.latitude, fix.longitude};
    // A place that does not encode (a coordinate not a number) leaves the
    // stored one as it was; the widgets are reloaded all the same.
    SharedStorage::write(StorageKeys::weatherMyLocation, place);
    for (const char* kind : kWeatherKinds) ports_.reloadTimelines(kind);
    emit fixHandled();
}

} // namespace plyx
