#include "shared/sources/DefaultPlace.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

#include <QThreadPool>

#include <array>

namespace plyx::WeatherProvider {

namespace {

constexpr std::array<ZoneCoordinates, 23> kTimeZoneCoords{{
    {"America/Los_Angeles", 34.0522, -118.2437},
    {"America/Denver", 39.7392, -104.9903},
    {"America/Phoenix", 33.4484, -112.074},
    {"America/Chicago", 41.8781, -87.6298},
    {"America/New_York", 40.7128, -74.006},
    {"America/Toronto", 43.6532, -79.3832},
    {"America/Vancouver", 49.2827, -123.1207},
    {"America/Mexico_City", 19.4326, -99.1332},
    {"America/Sao_Paulo", -23.5505, -46.6333},
    {"Europe/London", 51.5072, -0.1276},
    {"Europe/Paris", 48.8566, 2.3522},
    {"Europe/Berlin", 52.52, 13.405},
    {"Europe/Madrid", 40.4168, -3.7038},
    {"Europe/Rome", 41.9028, 12.4964},
    {"Europe/Amsterdam", 52.3676, 4.9041},
    {"Asia/Tokyo", 35.6762, 139.6503},
    {"Asia/Shanghai", 31.2304, 121.4737},
    {"Asia/Hong_Kong", 22.3193, 114.1694},
    {"Asia/Singapore", 1.3521, 103.8198},
    {"Asia/Dubai", 25.2048, 55.2708},
    {"Asia/Kolkata", 28.6139, 77.209},
    {"Australia/Sydney", -33.8688, 151.2093},
    {"Pacific/Auckland", -36.8509, 174.7645},
}};

// Replaced only before any widget asks (tests), so read without a lock.
std::function<void(std::function<void()>)> gRunner;

void runInBackground(std::function<void()> task) {
    if (gRunner) {
        gRunner(std::move(task));
        return;
    }
    // The global pool is waited for when the application object goes, so a
    // short-lived host still finishes (and stores) its search.
    QThreadPool::globalInstance()->start(std::move(task));
}

} // namespace

std::span<const ZoneCoordinates> timeZoneCoords() { return kTimeZoneCoords; }

std::optional<ZoneCoordinates> coordinatesOf(const std::string& zoneId) {
    for (const auto& row : kTimeZoneCoords)
        if (zoneId == row.zone) return row;
    return std::nullopt;
}

const Place& fallbackPlace() {
    static const Place london{"London", 51.5072, -0.1276};
    return london;
}

std::string cityName(const std::string& zoneId) {
    std::string last;
    std::size_t from = 0;
    while (from <= zoneId.size()) {
        const auto slash = zoneId.find('/', from);
        const auto to = slash == std::string::npos ? zoneId.size() : slash;
        if (to > from) last = zoneId.substr(from, to - from);
        if (slash == std::string::npos) break;
        from = slash + 1;
    }
    if (last.empty()) return zoneId;
    for (auto& c : last)
        if (c == '_') c = ' ';
    return last;
}

std::optional<Place> myLocation() { return SharedStorage::read<Place>(StorageKeys::weatherMyLocation); }

Place defaultPlace() {
    if (auto mine = myLocation()) return *mine;

    const std::string zone = time::currentZone();
    // A place found for another zone is not this user's place any more.
    if (auto stored = SharedStorage::read<Place>(StorageKeys::weatherDefaultPlace))
        if (SharedStorage::suite().string(StorageKeys::weatherDefaultPlaceZone) == zone) return *stored;

    const std::string city = cityName(zone);
    if (auto row = coordinatesOf(zone)) return Place{city, row->latitude, row->longitude};

    runInBackground([city, zone] { searchDefaultPlace(city, zone); });
    // Named for where its coordinates are until the search has answered.
    return fallbackPlace();
}

void searchDefaultPlace(const std::string& city, const std::string& zoneId) {
    std::vector<Place> found;
    try {
        found = searchPlaces(city);
    } catch (...) {
        return; // offline or a bad answer: try again on the next call
    }
    if (found.empty()) return;
    if (!SharedStorage::write(StorageKeys::weatherDefaultPlace, found.front())) return;
    SharedStorage::suite().setString(StorageKeys::weatherDefaultPlaceZone, zoneId);
}

void setBackgroundRunner(std::function<void(std::function<void()>)> runner) { gRunner = std::move(runner); }

} // namespace plyx::WeatherProvider
