#include "shared/models/WeatherSnapshot.h"

#include "platform/base/Numbers.h"

#include "shared/models/SampleMoment.h"

#include <cmath>
#include <limits>

namespace plyx {

std::string WeatherSnapshot::symbol(std::int64_t code, bool isNight) {
    const auto in = [code](std::int64_t lo, std::int64_t hi) { return code >= lo && code <= hi; };
    if (in(0, 1)) return isNight ? kClearNightSymbol : "sun.max";
    if (code == 2) return isNight ? "cloud.moon" : "cloud.sun";
    if (code == 3) return "cloud";
    if (code == 45 || code == 48) return "cloud.fog";
    if (in(51, 57)) return "cloud.drizzle";
    if (in(61, 67)) return "cloud.rain";
    if (in(71, 77) || code == 85 || code == 86) return "cloud.snow";
    if (in(80, 82)) return kRainShowersSymbol;
    if (in(95, 99)) return "cloud.bolt.rain";
    return isNight ? "moon" : "sun.max";
}

namespace {
// c * 9 / 5 + 32 in doubles, nearest whole degree with halves away from zero.
// A cached record can hold any integer; results beyond the integer range are
// held at its ends rather than converted out of range.
std::int64_t toFahrenheit(std::int64_t celsius) {
    return num::roundHalfAway(static_cast<double>(celsius) * 9.0 / 5.0 + 32.0);
}
} // namespace

WeatherSnapshot WeatherSnapshot::inFahrenheit() const {
    WeatherSnapshot out = *this;
    out.temperature = toFahrenheit(temperature);
    out.high = toFahrenheit(high);
    out.low = toFahrenheit(low);
    out.feelsLike = toFahrenheit(feelsLike);
    for (auto& d : out.days) {
        d.high = toFahrenheit(d.high);
        d.low = toFahrenheit(d.low);
    }
    return out;
}

const WeatherSnapshot& WeatherSnapshot::sample() {
    static const WeatherSnapshot s = [] {
        WeatherSnapshot w;
        w.place = "London";
        w.temperature = 23;
        w.condition = "Partly cloudy";
        w.high = 27;
        w.low = 18;
        w.feelsLike = 25;
        w.isNight = false;
        w.days = {{"Thu", 26, 17, false}, {"Fri", 28, 19, false}, {"Sat", 31, 21, true},
                  {"Sun", 27, 18, false}, {"Mon", 24, 16, false}, {"Tue", 22, 15, false}};
        w.rainChance = 0.4;
        w.rainHours = {{"17", 0.25, false}, {"19", 0.375, false}, {"21", 0.625, false}, {"23", 1.0, true},
                       {"01", 0.75, false}, {"03", 0.375, false}, {"05", 0.125, false}};
        w.updated = models::sampleMoment();
        w.code = 2;
        return w;
    }();
    return s;
}

const WeatherSnapshot& WeatherSnapshot::sampleNight() {
    static const WeatherSnapshot s = [] {
        WeatherSnapshot w;
        w.place = "Tokyo";
        w.temperature = 31;
        w.condition = "Clear night";
        w.high = 33;
        w.low = 26;
        w.feelsLike = 33;
        w.isNight = true;
        w.rainChance = 0;
        w.updated = models::sampleMoment();
        w.code = 0;
        return w;
    }();
    return s;
}

} // namespace plyx
