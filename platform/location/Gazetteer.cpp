#include "platform/location/Gazetteer.h"

#include <QFile>
#include <QLoggingCategory>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace plyx::location {

namespace {
Q_LOGGING_CATEGORY(lcGazetteer, "com.zelvanedesigns.plyx.location")

constexpr const char* kBuiltInTable = ":/plyx/gazetteer/towns15000.tsv";
constexpr double kRadiansPerDegree = std::numbers::pi / 180;

/// A longitude brought into [-180, 180).
double wrapped(double longitude) {
    if (longitude >= -180 && longitude < 180) return longitude;  // kept exact
    double l = std::fmod(longitude + 180, 360);
    if (l < 0) l += 360;
    return l - 180;
}

std::optional<double> number(std::string_view text) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<Town> readLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') return std::nullopt;
    const auto tab1 = line.find('\t');
    if (tab1 == std::string_view::npos) return std::nullopt;
    const auto tab2 = line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) return std::nullopt;
    const auto lat = number(line.substr(0, tab1));
    const auto lon = number(line.substr(tab1 + 1, tab2 - tab1 - 1));
    const auto name = line.substr(tab2 + 1);
    if (!lat || !lon || name.empty() || *lat < -90 || *lat > 90) return std::nullopt;
    return Town{std::string(name), *lat, wrapped(*lon)};
}
} // namespace

double distanceKm(double lat1, double lon1, double lat2, double lon2) {
    // Haversine: well-conditioned at the small distances that matter here.
    const double p1 = lat1 * kRadiansPerDegree, p2 = lat2 * kRadiansPerDegree;
    const double dp = p2 - p1, dl = (lon2 - lon1) * kRadiansPerDegree;
    const double a = std::pow(std::sin(dp / 2), 2) + std::cos(p1) * std::cos(p2) * std::pow(std::sin(dl / 2), 2);
    return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

int Gazetteer::latCell(double latitude) {
    return std::clamp(static_cast<int>(std::floor(latitude + 90)), 0, kLatCells - 1);
}

int Gazetteer::lonCell(double longitude) {
    return std::clamp(static_cast<int>(std::floor(wrapped(longitude) + 180)), 0, kLonCells - 1);
}

Gazetteer Gazetteer::fromText(std::string_view text) {
    Gazetteer g;
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (auto town = readLine(text.substr(0, end))) g.towns_.push_back(std::move(*town));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    // Towns grouped by cell (a stable sort keeps the table's order within a
    // cell), and each cell's first town noted, so a lookup reads whole cells.
    const auto cellOf = [](const Town& t) { return latCell(t.latitude) * kLonCells + lonCell(t.longitude); };
    std::stable_sort(g.towns_.begin(), g.towns_.end(),
                     [&](const Town& a, const Town& b) { return cellOf(a) < cellOf(b); });
    g.cellStart_.assign(kLatCells * kLonCells + 1, 0);
    for (const auto& t : g.towns_) ++g.cellStart_[cellOf(t) + 1];
    for (std::size_t c = 1; c < g.cellStart_.size(); ++c) g.cellStart_[c] += g.cellStart_[c - 1];
    return g;
}

const Gazetteer& Gazetteer::builtIn() {
    static const Gazetteer table = [] {
        QFile file(kBuiltInTable);
        if (!file.open(QIODevice::ReadOnly)) {
            qCWarning(lcGazetteer) << "the table of towns is missing: positions are not named";
            return Gazetteer();
        }
        const QByteArray bytes = file.readAll();
        return fromText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }();
    return table;
}

std::optional<Town> Gazetteer::nearest(double latitude, double longitude, double maxKm) const {
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || latitude < -90 || latitude > 90 || !(maxKm >= 0) ||
        towns_.empty())
        return std::nullopt;

    // 1. The band of latitudes within reach. A hair of slack keeps a town at
    //    exactly the distance inside the cells that are read.
    const double reach = maxKm / kEarthRadiusKm;  // radians of arc
    const double reachDeg = reach / kRadiansPerDegree + 1e-9;
    const int latLo = latCell(latitude - reachDeg), latHi = latCell(latitude + reachDeg);

    // 2. The longitudes within reach: the widest a circle of that radius gets
    //    at this latitude. When the circle holds a pole, or is wider than the
    //    globe, every longitude is.
    bool everyLongitude = latitude + reachDeg >= 90 || latitude - reachDeg <= -90;
    double lonReachDeg = 180;
    if (!everyLongitude) {
        const double s = std::sin(reach) / std::cos(latitude * kRadiansPerDegree);
        if (s >= 1) everyLongitude = true;
        else lonReachDeg = std::asin(s) / kRadiansPerDegree + 1e-9;
    }
    const double lon = wrapped(longitude);
    int lonFirst = 0, lonCount = kLonCells;
    if (!everyLongitude) {
        // Counted from the cell west of the point, wrapping across the antimeridian.
        lonFirst = static_cast<int>(std::floor(lon - lonReachDeg + 180));
        lonCount = std::min(kLonCells, static_cast<int>(std::floor(lon + lonReachDeg + 180)) - lonFirst + 1);
    }

    // 3. The nearest town of those cells; the first of equals wins.
    const Town* best = nullptr;
    double bestKm = maxKm;
    for (int row = latLo; row <= latHi; ++row) {
        for (int k = 0; k < lonCount; ++k) {
            const int col = ((lonFirst + k) % kLonCells + kLonCells) % kLonCells;
            const int cell = row * kLonCells + col;
            for (auto i = cellStart_[cell]; i < cellStart_[cell + 1]; ++i) {
                const Town& t = towns_[i];
                const double km = distanceKm(latitude, lon, t.latitude, t.longitude);
                if (km < bestKm || (km == bestKm && !best)) {
                    best = &t;
                    bestKm = km;
                }
            }
        }
    }
    if (!best) return std::nullopt;
    return *best;
}

} // namespace plyx::location
