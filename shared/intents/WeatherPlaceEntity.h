#pragma once
// A configurable place of a weather widget. Its identifier, which is what a
// configured widget stores, encodes the place as name "|" latitude "|"
// longitude, each coordinate in the shortest decimal text that reads back to
// the same number ("51.5072", a whole number as "52.0").
#include "shared/sources/WeatherProvider.h"

#include <optional>
#include <string>
#include <string_view>

namespace plyx {

struct WeatherPlaceEntity {
    /// The type's display name on the configuration sheet.
    static constexpr const char* typeDisplayName = "Place";
    /// The separator of the identifier's three parts.
    static constexpr char kSeparator = '|';
    /// What the sheet says when a place search finds nothing: the search
    /// goes to the network, and an empty answer is mostly a lost connection.
    static constexpr const char* noMatchesText = "No places found \u2014 check the connection";

    std::string id;

    /// The entity of a place.
    static WeatherPlaceEntity of(const WeatherProvider::Place& place);
    /// The place the identifier encodes. The two coordinates are read from
    /// the right, so a name may itself hold "|"; an identifier without two
    /// readable coordinates and a name gives London.
    WeatherProvider::Place place() const;
    /// The place the identifier encodes; nothing when it holds no name and
    /// two readable coordinates (`place` then gives London).
    std::optional<WeatherProvider::Place> encodedPlace() const;
    /// The place's name, as the sheet lists the entity.
    std::string displayTitle() const { return place().name; }

    bool operator==(const WeatherPlaceEntity&) const = default;
};

/// The shortest text of `degrees` that reads back to the same value, with
/// ".0" after a whole number.
std::string coordinateText(double degrees);
/// A coordinate as written by `coordinateText` (or any decimal text of a
/// finite number); nothing for anything else.
std::optional<double> readCoordinate(std::string_view text);

} // namespace plyx
