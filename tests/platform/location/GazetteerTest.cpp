// The offline naming of positions: distances, the nearest town within reach
// (a point in a town, 29 and 31 km off, across the antimeridian, at the
// poles), how the table is read, and the table compiled into the programs.
#include "platform/location/Gazetteer.h"
#include "platform/location/Geocoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace plyx::location {
namespace {

/// Degrees of latitude spanning `km` along a meridian.
double northDegrees(double km) { return km / kEarthRadiusKm * 180 / std::numbers::pi; }

TEST(Distance, MeasuresGreatCircles) {
    struct Case {
        double lat1, lon1, lat2, lon2, km;
    };
    const double quarter = kEarthRadiusKm * std::numbers::pi / 2;  // pole to equator
    const Case cases[] = {
        {10, 20, 10, 20, 0},
        {0, 0, 1, 0, kEarthRadiusKm * std::numbers::pi / 180},  // one degree of latitude: 111.195 km
        {0, 0, 90, 0, quarter},
        {0, 179.5, 0, -179.5, kEarthRadiusKm * std::numbers::pi / 180},  // across the antimeridian
        {89, 0, 89, 180, 2 * kEarthRadiusKm * std::numbers::pi / 180},   // over the pole
        {0, 0, 0, 180, 2 * quarter},                                     // antipodes
    };
    for (const auto& c : cases)
        EXPECT_NEAR(distanceKm(c.lat1, c.lon1, c.lat2, c.lon2), c.km, 1e-6)
            << c.lat1 << "," << c.lon1 << " to " << c.lat2 << "," << c.lon2;
}

const char* const kTowns =
    "# towns for the tests\n"
    "60.39299\t5.32415\tBergen\n"
    "60.5\t5.32415\tNorthbergen\n"       // 11.9 km north of Bergen
    "-17.0\t179.95\tEastedge\n"
    "-17.0\t-179.2\tWestedge\n"
    "89.9\t0\tPolaris\n"
    "0\t10\tEquatown\n"
    "0\t370.2\tWrapped\n"                 // 10.2 east, written past 360
    "\n"
    "not a number\t5\tBad\n"
    "91\t5\tBeyond the pole\n"
    "45\t5\t\n"                           // no name
    "45\t5\n"                             // no name field
    "12.5\t7.5\tCarriage return\r\n"
    "-33.9\t151.2\tLast line without a newline";

TEST(Gazetteer, FindsTheNearestTownWithinReach) {
    const auto g = Gazetteer::fromText(kTowns);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        double lat, lon;
        std::optional<std::string> town;
    };
    const Case cases[] = {
        {"in a town", 60.39299, 5.32415, "Bergen"},
        {"between two, nearer the second", 60.48, 5.32415, "Northbergen"},
        {"29 km south of a town", 60.39299 - northDegrees(29), 5.32415, "Bergen"},
        {"31 km south of a town", 60.39299 - northDegrees(31), 5.32415, std::nullopt},
        {"29 km along the equator", 0, 10 + northDegrees(29) + 0.2, "Wrapped"},
        {"31 km west along the equator", 0, 10 - northDegrees(31), std::nullopt},
        {"east of the antimeridian, town west of it", -17.0, -179.9, "Eastedge"},
        {"west of the antimeridian, town east of it", -17.0, 179.9, "Eastedge"},
        {"past 180 degrees east", -17.0, 180.7, "Westedge"},
        {"at the north pole", 90, 123, "Polaris"},
        {"near the pole, a quarter turn round", 89.8, 90, "Polaris"},        // 24.9 km
        {"near the pole, on the far side", 89.8, 180, std::nullopt},         // 33.4 km over the pole
        {"at the south pole, no town near", -90, 0, std::nullopt},
        {"a line with a carriage return", 12.5, 7.5, "Carriage return"},
        {"the last line", -33.9, 151.2, "Last line without a newline"},
        {"a latitude beyond the pole", 90.5, 0, std::nullopt},
        {"no latitude", nan, 5.32415, std::nullopt},
        {"no longitude", 60.39299, nan, std::nullopt},
        {"an infinite longitude", 60.39299, std::numeric_limits<double>::infinity(), std::nullopt},
    };
    for (const auto& c : cases) {
        const auto town = g.nearest(c.lat, c.lon, kTownReachKm);
        EXPECT_EQ(town ? std::optional(town->name) : std::nullopt, c.town) << c.what;
    }
    // Lines that do not read are left out rather than guessed at.
    EXPECT_EQ(g.nearest(45, 5, 100), std::nullopt);
    EXPECT_EQ(g.nearest(60.39299, 5.32415, 0), (Town{"Bergen", 60.39299, 5.32415}));
    EXPECT_EQ(Gazetteer().nearest(60.39299, 5.32415, kTownReachKm), std::nullopt);
}

TEST(Gazetteer, ATownAtExactlyTheReachCounts) {
    const auto g = Gazetteer::fromText("0\t0\tOrigin\n");
    const double km = distanceKm(0, 0, 0.25, 0);
    EXPECT_EQ(g.nearest(0.25, 0, km)->name, "Origin");
    EXPECT_EQ(g.nearest(0.25, 0, km * (1 - 1e-12)), std::nullopt);
}

TEST(Geocoder, NamesTheLocalityFromTheBuiltInTable) {
    struct Case {
        double lat, lon;
        std::vector<Placemark> placemarks;
    };
    Placemark bergen, london;
    bergen.locality = "Bergen";
    london.locality = "London";
    const Case cases[] = {
        {60.39299, 5.32415, {bergen}},
        {51.5074, -0.1278, {london}},
        {40, -40, {}},  // the middle of the Atlantic
    };
    for (const auto& c : cases) EXPECT_EQ(reverseGeocode(c.lat, c.lon), c.placemarks) << c.lat << "," << c.lon;
}

} // namespace
} // namespace plyx::location
