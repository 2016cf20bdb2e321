#include "platform/location/Geocoder.h"

namespace plyx::location {

std::vector<Placemark> reverseGeocode(double latitude, double longitude, const Gazetteer& towns) {
    auto town = towns.nearest(latitude, longitude, kTownReachKm);
    if (!town) return {};
    Placemark p;
    p.locality = std::move(town->name);
    return {std::move(p)};
}

} // namespace plyx::location
