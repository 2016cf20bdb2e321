#pragma once
// Names a position after the nearest town, offline: a table of towns with
// their coordinates, indexed by one-degree cells so that a lookup only looks
// at the towns that can lie within its reach. The position never leaves the
// machine.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plyx::location {

/// The mean earth radius the distances are measured with.
inline constexpr double kEarthRadiusKm = 6371.0088;

/// Great-circle distance in kilometres between two points given in degrees.
double distanceKm(double lat1, double lon1, double lat2, double lon2);

struct Town {
    std::string name;
    double latitude = 0;   ///< degrees, north positive
    double longitude = 0;  ///< degrees, east positive
    bool operator==(const Town&) const = default;
};

class Gazetteer {
public:
    Gazetteer() = default;
    /// Reads lines of "latitude<TAB>longitude<TAB>name"; blank lines, lines
    /// starting with '#' and lines that do not read (a coordinate out of
    /// range, no name) are skipped.
    static Gazetteer fromText(std::string_view text);
    /// The towns of 15,000 people or more compiled into the program, read on
    /// first use; empty (and said once in the log) when the table is missing.
    static const Gazetteer& builtIn();

    /// The town nearest to the point within `maxKm` (inclusive); none when no
    /// town is that near or the point is not a position (a coordinate not a
    /// number, or a latitude beyond a pole). Longitudes of any size wrap.
    std::optional<Town> nearest(double latitude, double longitude, double maxKm) const;

    std::size_t size() const { return towns_.size(); }

private:
    static constexpr int kLatCells = 180;
    static constexpr int kLonCells = 360;
    static int latCell(double latitude);
    static int lonCell(double longitude);

    std::vector<Town> towns_;             // ordered by cell
    std::vector<std::uint32_t> cellStart_;  // towns of cell c: [cellStart_[c], cellStart_[c + 1])
};

} // namespace plyx::location
