#include "shared/intents/WeatherPlaceEntity.h"

#include "shared/sources/DefaultPlace.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace plyx {

std::string coordinateText(double degrees) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, degrees);
    std::string text(buf, ec == std::errc() ? end : buf);
    // A whole number reads "52.0", not "52"; texts with an exponent or no
    // digits (not a number, infinity) are left as they are.
    if (std::isfinite(degrees) && text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::optional<double> readCoordinate(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double v = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || at != end || !std::isfinite(v)) return std::nullopt;
    return v;
}

WeatherPlaceEntity WeatherPlaceEntity::of(const WeatherProvider::Place& place) {
    return {place.name + kSeparator + coordinateText(place.latitude) + kSeparator + coordinateText(place.longitude)};
}

WeatherProvider::Place WeatherPlaceEntity::place() const {
    return encodedPlace().value_or(WeatherProvider::fallbackPlace());
}

std::optional<WeatherProvider::Place> WeatherPlaceEntity::encodedPlace() const {
    // The non-empty pieces between separators, as positions in the identifier.
    struct Piece {
        std::size_t from, to;
    };
    std::vector<Piece> pieces;
    for (std::size_t from = 0; from <= id.size();) {
        auto to = id.find(kSeparator, from);
        if (to == std::string::npos) to = id.size();
        if (to > from) pieces.push_back({from, to});
        from = to + 1;
    }
    if (pieces.size() < 3) return std::nullopt;
    const auto piece = [&](const Piece& p) { return std::string_view(id).substr(p.from, p.to - p.from); };
    const auto latitude = readCoordinate(piece(pieces[pieces.size() - 2]));
    const auto longitude = readCoordinate(piece(pieces.back()));
    if (!latitude || !longitude) return std::nullopt;
    // The name is everything before the latitude, separators inside it kept;
    // with a plain name this is the first piece, as identifiers always read.
    const auto& first = pieces.front();
    const auto& last = pieces[pieces.size() - 3];
    return WeatherProvider::Place{id.substr(first.from, last.to - first.from), *latitude, *longitude};
}

} // namespace plyx
