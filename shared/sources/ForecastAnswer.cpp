// Turning the forecast service's answer into the snapshot the weather
// widgets draw.
#include "platform/base/Numbers.h"
#include "platform/time/Time.h"
#include "shared/sources/WeatherProvider.h"

#include <algorithm>
#include <cmath>

namespace plyx::WeatherProvider {

namespace {

constexpr const char* kUnknownCondition = "\u2014";

// Whole degrees, halves away from zero. decodeAnswer has already refused
// temperatures that do not fit.
std::int64_t rounded(double v) { return num::roundHalfAway(v); }

bool fitsWholeDegrees(double v) { return num::fitsInt64(std::round(v)); }
bool fitsWholeDegrees(const std::optional<double>& v) { return !v || fitsWholeDegrees(*v); }

/// Entry `i` of a parallel array; none when the service sent null there or
/// the array is shorter.
template <class T> const std::optional<T>& entry(const std::vector<std::optional<T>>& values, size_t i) {
    static const std::optional<T> none;
    return i < values.size() ? values[i] : none;
}

// Reads `count` ASCII digits at `pos`; nothing on any other character.
std::optional<int> digits(const std::string& s, size_t pos, size_t count) {
    int v = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

bool validDay(int y, int m, int d) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

// "yyyy-MM-dd" as the start of that day in the current zone.
std::optional<Date> parseDay(const std::string& s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return std::nullopt;
    const auto y = digits(s, 0, 4), m = digits(s, 5, 2), d = digits(s, 8, 2);
    if (!y || !m || !d || !validDay(*y, *m, *d)) return std::nullopt;
    return time::dateFrom(*y, *m, *d);
}

// "yyyy-MM-dd'T'HH:mm" as wall-clock time in `zone`.
std::optional<Date> parseHour(const std::string& s, const std::string& zone) {
    if (s.size() != 16 || s[4] != '-' || s[7] != '-' || s[10] != 'T' || s[13] != ':') return std::nullopt;
    const auto y = digits(s, 0, 4), m = digits(s, 5, 2), d = digits(s, 8, 2);
    const auto h = digits(s, 11, 2), mi = digits(s, 14, 2);
    if (!y || !m || !d || !h || !mi || !validDay(*y, *m, *d) || *h > 23 || *mi > 59) return std::nullopt;
    return time::dateFrom(*y, *m, *d, *h, *mi, 0, zone);
}

} // namespace

APIResponse decodeAnswer(std::string_view body) {
    const auto json = coding::parse(body);
    if (!json) throw coding::DecodeError("the answer is not JSON");
    APIResponse answer;
    coding::fromJson(*json, answer);
    bool fits = fitsWholeDegrees(answer.current.temperature_2m) &&
                fitsWholeDegrees(answer.current.apparent_temperature);
    for (const auto& v : answer.daily.temperature_2m_max) fits = fits && fitsWholeDegrees(v);
    for (const auto& v : answer.daily.temperature_2m_min) fits = fits && fitsWholeDegrees(v);
    if (!fits) throw coding::DecodeError("a temperature out of range");
    return answer;
}

std::string conditionText(std::int64_t code, bool isDay) {
    switch (code) {
    case 0: return isDay ? "Clear sky" : "Clear night";
    case 1: return isDay ? "Mainly clear" : "Clear night";
    case 2: return "Partly cloudy";
    case 3: return "Overcast";
    case 45:
    case 48: return "Fog";
    case 51:
    case 53:
    case 55: return "Drizzle";
    case 56:
    case 57: return "Freezing drizzle";
    case 61:
    case 63:
    case 65: return "Rain";
    case 66:
    case 67: return "Freezing rain";
    case 71:
    case 73:
    case 75:
    case 77: return "Snow";
    case 80:
    case 81:
    case 82: return "Showers";
    case 85:
    case 86: return "Snow showers";
    case 95: return "Thunderstorm";
    case 96:
    case 99: return "Hail storm";
    default: return kUnknownCondition;
    }
}

WeatherSnapshot deriveSnapshot(const APIResponse& answer, const std::string& placeName, bool uses24Hour) {
    const Date now = time::now();
    // Hourly times are wall-clock times of the place's zone; an unknown zone
    // falls back to ours.
    const std::string hourZone = time::isKnownZone(answer.timezone) ? answer.timezone : time::currentZone();
    const std::string hourPattern = uses24Hour ? "HH" : "h";

    WeatherSnapshot snap;
    snap.place = placeName;

    // Days after today, at most six. A day whose date, high or low is null
    // or missing from a short array is left out.
    const auto& daily = answer.daily;
    const size_t dayCount = std::min<size_t>(daily.time.size(), 7);
    for (size_t i = 1; i < dayCount; ++i) {
        const auto& text = entry(daily.time, i);
        const auto& high = entry(daily.temperature_2m_max, i);
        const auto& low = entry(daily.temperature_2m_min, i);
        if (!text || !high || !low) continue;
        const auto day = parseDay(*text);
        if (!day) continue;
        snap.days.push_back({time::format(*day, "EEE"), rounded(*high), rounded(*low), false});
    }
    if (!snap.days.empty()) {
        const auto peak = std::max_element(snap.days.begin(), snap.days.end(),
                                           [](const auto& a, const auto& b) { return a.high < b.high; });
        peak->isPeak = true; // max_element keeps the first of equals
    }

    // The rain window starts at the first hour not before now.
    const auto& hourly = answer.hourly;
    size_t start = 0;
    for (size_t i = 0; i < hourly.time.size(); ++i) {
        if (!hourly.time[i]) continue;
        const auto t = parseHour(*hourly.time[i], hourZone);
        if (t && *t >= now) {
            start = i;
            break;
        }
    }
    // Every second hour over thirteen hours: at most seven bars. An hour
    // whose time or chance is null or missing from a short array makes no bar.
    const size_t end = std::min(hourly.time.size(), start + 13);
    double rainChance = 0;
    for (size_t i = start; i < end; i += 2) {
        const auto& text = hourly.time[i];
        const auto& chance = entry(hourly.precipitation_probability, i);
        if (!text || !chance) continue;
        const auto t = parseHour(*text, hourZone);
        if (!t) continue;
        // A percentage outside 0...100 is no chance; hold it to the scale.
        const double p = static_cast<double>(std::clamp<std::int64_t>(*chance, 0, 100)) / 100.0;
        rainChance = std::max(rainChance, p);
        snap.rainHours.push_back({time::format(*t, hourPattern, hourZone), std::max(p, 0.06), false});
    }
    if (!snap.rainHours.empty()) {
        const auto peak = std::max_element(snap.rainHours.begin(), snap.rainHours.end(),
                                           [](const auto& a, const auto& b) { return a.chance < b.chance; });
        peak->isPeak = true;
    }

    const auto& cur = answer.current;
    snap.temperature = rounded(cur.temperature_2m);
    snap.feelsLike = rounded(cur.apparent_temperature);
    // Today's high and low: 0 when the service has none for today.
    snap.high = rounded(entry(daily.temperature_2m_max, 0).value_or(0));
    snap.low = rounded(entry(daily.temperature_2m_min, 0).value_or(0));
    snap.condition = conditionText(cur.weather_code, cur.is_day == 1);
    snap.isNight = cur.is_day == 0;
    // A code the service does not define is kept as unknown, not stored as sent.
    if (conditionText(cur.weather_code, true) != kUnknownCondition) snap.code = cur.weather_code;
    snap.rainChance = rainChance;
    snap.updated = now;
    return snap;
}

} // namespace plyx::WeatherProvider
