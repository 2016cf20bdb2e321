#include "widgets/sources/local/SkyMath.h"

#include "platform/base/Numbers.h"
#include "platform/time/Time.h"

#include <cmath>
#include <numbers>

namespace plyx::SkyMath {

namespace {

// The almanac's sunrise/sunset algorithm with the official zenith of 90.833°.
constexpr double kDegreesPerHour = 15;
constexpr double kRiseHour = 6;
constexpr double kSetHour = 18;
constexpr double kAnomalyRate = 0.9856;
constexpr double kAnomalyOffset = -3.289;
constexpr double kCentre1 = 1.916;
constexpr double kCentre2 = 0.020;
constexpr double kLongitudeOffset = 282.634;
constexpr double kSinObliquity = 0.39782;
constexpr double kCosZenith = -0.01453808050249674;
constexpr double kAscensionFactor = 0.91764;
constexpr double kMeanTimeRate = 0.06571;
constexpr double kMeanTimeOffset = 6.622;

// The moon: a reference new moon (2000-01-06 18:14 UTC) and the mean synodic month.
constexpr double kReferenceNewMoonUnix = 947182440;
constexpr double kSecondsPerDay = 86400;
constexpr double kSynodicMonth = 29.530588853;

constexpr const char* kNewMoon = "New Moon";
constexpr const char* kFirstQuarter = "First Quarter";
constexpr const char* kWaxingGibbous = "Waxing Gibbous";
constexpr const char* kFullMoon = "Full Moon";
constexpr const char* kWaningGibbous = "Waning Gibbous";
constexpr const char* kLastQuarter = "Last Quarter";
constexpr const char* kWaningCrescent = "Waning Crescent";
// The young moon's band shares its noun with the old moon's and takes the
// waxing side's adjective, so its name is put together rather than stored.
constexpr const char* kWaxingWord = "Waxing";
constexpr const char* kCrescentWord = "Crescent";

constexpr double kRad = std::numbers::pi / 180.0;

double sinDeg(double d) { return std::sin(d * kRad); }
double cosDeg(double d) { return std::cos(d * kRad); }

/// Into [0, range): the remainder keeps the sign of `v`, so a negative one wraps once more.
double wrap(double v, double range) {
    double r = std::fmod(v, range);
    if (r < 0) r += range;
    return r;
}

} // namespace

std::optional<Date> solarEvent(bool rise, Date date, double latitude, double longitude) {
    if (!std::isfinite(latitude) || !std::isfinite(longitude)) return std::nullopt;
    // The day is the place's own: the mean solar day at its longitude, which
    // begins lngHour hours before (east) or after (west) Greenwich midnight.
    // It decides both the day number the almanac uses and the day the event
    // is placed on, so sunrise and sunset belong to one day at the place
    // wherever it lies, and whatever zone this computer is set to.
    const double lngHour = longitude / kDegreesPerHour;
    const Date solar = date + lngHour * 3600;  // read as UTC, the place's mean solar time
    const time::Components day = time::components(solar, "UTC");
    const double n = day.dayOfYear;

    const double t = n + ((rise ? kRiseHour : kSetHour) - lngHour) / 24.0;
    const double m = kAnomalyRate * t + kAnomalyOffset;
    const double l = wrap(m + kCentre1 * sinDeg(m) + kCentre2 * sinDeg(2 * m) + kLongitudeOffset, 360);

    const double sinDec = kSinObliquity * sinDeg(l);
    const double cosDec = std::cos(std::asin(sinDec));
    const double cosH = (kCosZenith - sinDec * sinDeg(latitude)) / (cosDec * cosDeg(latitude));
    if (!(cosH >= -1.0 && cosH <= 1.0)) return std::nullopt; // also catches NaN

    double ra = wrap(std::atan(kAscensionFactor * std::tan(l * kRad)) / kRad, 360);
    ra += (std::floor(l / 90) - std::floor(ra / 90)) * 90; // same quadrant as L

    double h = std::acos(cosH) / kRad;
    if (rise) h = 360 - h;
    const double meanTime = h / kDegreesPerHour + ra / kDegreesPerHour - kMeanTimeRate * t - kMeanTimeOffset;
    const double ut = wrap(meanTime - lngHour, 24);

    const double hour = std::floor(ut);
    const double minute = std::trunc((ut - hour) * 60);
    if (!std::isfinite(ut)) return std::nullopt;

    // UT is a time of day in Greenwich. Put it on the UTC date of the solar
    // day, then move it by a whole day when that lands outside the solar
    // day: west of Greenwich an evening sunset falls on the next UTC date,
    // east of it a morning sunrise on the previous one.
    const Date utcMidnight = time::dateFrom(day.year, day.month, day.day, 0, 0, 0, "UTC");
    Date event = utcMidnight + hour * 3600 + minute * 60;
    const Date dayStart = utcMidnight - lngHour * 3600;
    const Date nextDay = dayStart + kSecondsPerDay;
    if (event < dayStart) event = event + kSecondsPerDay;
    else if (event >= nextDay) event = event - kSecondsPerDay;
    return event;
}

std::string phaseName(double p) {
    if (p < 0.033) return kNewMoon;
    if (p < 0.216) return std::string(kWaxingWord) + " " + kCrescentWord;
    if (p < 0.284) return kFirstQuarter;
    if (p < 0.467) return kWaxingGibbous;
    if (p < 0.533) return kFullMoon;
    if (p < 0.716) return kWaningGibbous;
    if (p < 0.784) return kLastQuarter;
    if (p < 0.967) return kWaningCrescent;
    return kNewMoon;
}

MoonInfo moon(Date on) {
    const double days = (on.unixTime() - kReferenceNewMoonUnix) / kSecondsPerDay;
    // A date before the reference keeps a negative age, which falls in the first band.
    const double age = std::fmod(days, kSynodicMonth);
    const double p = age / kSynodicMonth;
    MoonInfo info;
    info.phaseName = phaseName(p);
    info.illuminated = (1 - std::cos(2 * std::numbers::pi * p)) / 2;
    info.waxing = p < 0.5;
    info.daysToFull = num::roundHalfAway((p <= 0.5 ? 0.5 - p : 1.5 - p) * kSynodicMonth);
    info.daysToNew = num::roundHalfAway((1 - p) * kSynodicMonth);
    return info;
}

} // namespace plyx::SkyMath
