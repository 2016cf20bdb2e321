#pragma once
// A city a clock widget can be set to: one time-zone identifier, shown by the
// city part of its name. The identifier is kept as given, also one that names
// no zone, so a stored configuration never loses its city.
#include <array>
#include <string>

namespace plyx {

struct TimeZoneEntity {
    /// The type's name on the configuration sheet.
    static constexpr const char* typeDisplayName = "City";
    /// The cities offered before anything is typed, in this order.
    static constexpr std::array<const char*, 20> suggestions{
        "Europe/London",     "America/New_York", "America/Los_Angeles", "America/Chicago",  "America/Denver",
        "Europe/Paris",      "Europe/Berlin",    "Europe/Madrid",       "Europe/Amsterdam", "Asia/Tokyo",
        "Asia/Shanghai",     "Asia/Hong_Kong",   "Asia/Singapore",      "Asia/Dubai",       "Asia/Kolkata",
        "Australia/Sydney",  "Pacific/Auckland", "America/Sao_Paulo",  "America/Mexico_City", "America/Toronto",
    };

    /// A zone identifier such as "Asia/Tokyo"; the entity's whole identity.
    std::string id;

    /// The city name of `id` (see `cityName`).
    std::string displayTitle() const { return cityName(id); }

    /// The city name of a zone identifier: its last non-empty "/" piece with
    /// every "_" shown as a blank ("America/Los_Angeles" is "Los Angeles");
    /// the whole identifier when it has no such piece ("UTC", "", "//").
    static std::string cityName(const std::string& identifier);

    bool operator==(const TimeZoneEntity&) const = default;
};

} // namespace plyx
