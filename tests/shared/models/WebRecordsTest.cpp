// Weather, air-quality and stock records: stored forms, symbol mapping,
// Fahrenheit conversion, category bands and samples.
#include "shared/models/AirQualitySnapshot.h"
#include "shared/models/StockSnapshot.h"
#include "shared/models/WeatherSnapshot.h"

#include "platform/time/Time.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

namespace plyx {
namespace {

WeatherSnapshot smallWeather() {
    WeatherSnapshot w;
    w.place = "Oslo";
    w.temperature = -3;
    w.condition = "Snow";
    w.high = 1;
    w.low = -7;
    w.feelsLike = -9;
    w.isNight = true;
    w.days = {{"Mon", 1, -7, true}};
    w.rainChance = 0.5;
    w.rainHours = {{"01", 0.5, true}};
    w.updated = Date{1000.5};
    w.code = 73;
    return w;
}

TEST(WeatherSnapshot, StoredFormIsExactAndRoundTrips) {
    auto w = smallWeather();
    const auto text = coding::encode(w);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text,
              R"({"place":"Oslo","temperature":-3,"condition":"Snow","high":1,"low":-7,"feelsLike":-9,"isNight":true,)"
              R"("days":[{"label":"Mon","high":1,"low":-7,"isPeak":true}],"rainChance":0.5,)"
              R"("rainHours":[{"label":"01","chance":0.5,"isPeak":true}],"updated":1000.5,"code":73})");
    EXPECT_EQ(coding::decode<WeatherSnapshot>(*text), w);

    // No code: the member is left out and reads back as none.
    w.code.reset();
    w.days.clear();
    w.rainHours.clear();
    const auto bare = *coding::encode(w);
    EXPECT_EQ(bare.find("\"code\""), std::string::npos);
    EXPECT_NE(bare.find(R"("days":[])"), std::string::npos);
    EXPECT_EQ(coding::decode<WeatherSnapshot>(bare), w);

    const auto& s = WeatherSnapshot::sample();
    EXPECT_EQ(coding::decode<WeatherSnapshot>(*coding::encode(s)), s);
}

TEST(WeatherSnapshot, DecodeTable) {
    const std::string day = R"({"label":"Mon","high":1,"low":-7,"isPeak":true})";
    const auto doc = [&](const std::string& days, const std::string& tail) {
        return R"({"place":"Oslo","temperature":-3,"condition":"Snow","high":1,"low":-7,"feelsLike":-9,"isNight":true,"days":)" +
               days + R"(,"rainChance":0.5,"rainHours":[{"label":"01","chance":0.5,"isPeak":true}],"updated":1000.5)" +
               tail + "}";
    };
    struct Case {
        const char* name;
        std::string json;
        bool decodes;
        std::optional<std::int64_t> code;
    };
    const Case cases[] = {
        {"all members", doc("[" + day + "]", R"(,"code":73)"), true, 73},
        {"code missing", doc("[" + day + "]", ""), true, std::nullopt},
        {"code null", doc("[" + day + "]", R"(,"code":null)"), true, std::nullopt},
        {"code whole double", doc("[" + day + "]", R"(,"code":73.0)"), true, 73},
        {"unknown members", doc("[" + day + "]", R"(,"code":73,"wind":12,"extra":{"a":1})"), true, 73},
        {"code fractional", doc("[" + day + "]", R"(,"code":73.5)"), false, {}},
        {"required missing", R"({"place":"Oslo"})", false, {}},
        {"temperature fractional",
         R"({"place":"Oslo","temperature":-3.5,"condition":"Snow","high":1,"low":-7,"feelsLike":-9,"isNight":true,"days":[],"rainChance":0.5,"rainHours":[],"updated":1})",
         false, {}},
        {"isNight as number",
         R"({"place":"Oslo","temperature":-3,"condition":"Snow","high":1,"low":-7,"feelsLike":-9,"isNight":1,"days":[],"rainChance":0.5,"rainHours":[],"updated":1})",
         false, {}},
        {"one bad day", doc("[" + day + R"(,{"label":"Tue","high":2,"low":0})" + "]", ""), false, {}},
        {"days not an array", doc("{}", ""), false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto w = coding::decode<WeatherSnapshot>(c.json);
        ASSERT_EQ(w.has_value(), c.decodes);
        if (w) {
            EXPECT_EQ(w->code, c.code);
        }
    }
}

TEST(WeatherSnapshot, SymbolMapping) {
    struct Case {
        std::int64_t code;
        std::string day;
        std::string night;
    };
    const Case cases[] = {
        {0, "sun.max", kClearNightSymbol},  {1, "sun.max", kClearNightSymbol},
        {2, "cloud.sun", "cloud.moon"},     {3, "cloud", "cloud"},
        {45, "cloud.fog", "cloud.fog"},     {48, "cloud.fog", "cloud.fog"},
        {51, "cloud.drizzle", "cloud.drizzle"}, {57, "cloud.drizzle", "cloud.drizzle"},
        {61, "cloud.rain", "cloud.rain"},   {67, "cloud.rain", "cloud.rain"},
        {71, "cloud.snow", "cloud.snow"},   {77, "cloud.snow", "cloud.snow"},
        {85, "cloud.snow", "cloud.snow"},   {86, "cloud.snow", "cloud.snow"},
        {80, kRainShowersSymbol, kRainShowersSymbol}, {82, kRainShowersSymbol, kRainShowersSymbol},
        {95, "cloud.bolt.rain", "cloud.bolt.rain"},   {99, "cloud.bolt.rain", "cloud.bolt.rain"},
        // Everything between and beyond falls back to sun by day and "moon" (not the clear-night symbol).
        {4, "sun.max", "moon"},  {44, "sun.max", "moon"}, {46, "sun.max", "moon"}, {50, "sun.max", "moon"},
        {58, "sun.max", "moon"}, {68, "sun.max", "moon"}, {78, "sun.max", "moon"}, {79, "sun.max", "moon"},
        {83, "sun.max", "moon"}, {84, "sun.max", "moon"}, {87, "sun.max", "moon"}, {94, "sun.max", "moon"},
        {100, "sun.max", "moon"}, {-1, "sun.max", "moon"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(WeatherSnapshot::symbol(c.code, false), c.day);
        EXPECT_EQ(WeatherSnapshot::symbol(c.code, true), c.night);
    }
    // The two chosen names differ from every other name of the table.
    const std::set<std::string> others = {"sun.max", "cloud.sun", "cloud.moon", "cloud", "cloud.fog",
                                          "cloud.drizzle", "cloud.rain", "cloud.snow", "cloud.bolt.rain", "moon"};
    EXPECT_FALSE(others.count(kClearNightSymbol));
    EXPECT_FALSE(others.count(kRainShowersSymbol));
    EXPECT_NE(std::string(kClearNightSymbol), kRainShowersSymbol);
}

TEST(WeatherSnapshot, FahrenheitOfTheSample) {
    const auto& s = WeatherSnapshot::sample();
    const auto f = s.inFahrenheit();
    EXPECT_EQ(f.temperature, 73);
    EXPECT_EQ(f.high, 81);
    EXPECT_EQ(f.low, 64);
    EXPECT_EQ(f.feelsLike, 77);
    const std::pair<std::int64_t, std::int64_t> days[] = {{79, 63}, {82, 66}, {88, 70}, {81, 64}, {75, 61}, {72, 59}};
    ASSERT_EQ(f.days.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(f.days[i].high, days[i].first) << i;
        EXPECT_EQ(f.days[i].low, days[i].second) << i;
        EXPECT_EQ(f.days[i].label, s.days[i].label);
        EXPECT_EQ(f.days[i].isPeak, s.days[i].isPeak);
    }
    EXPECT_EQ(f.rainHours, s.rainHours);
    EXPECT_EQ(f.rainChance, s.rainChance);
    EXPECT_EQ(f.place, s.place);
    EXPECT_EQ(f.condition, s.condition);
    EXPECT_EQ(f.code, s.code);
    EXPECT_EQ(f.updated, s.updated);
    // The receiver stays in Celsius; converting again converts again.
    EXPECT_EQ(s.temperature, 23);
    EXPECT_EQ(f.inFahrenheit().temperature, 163);

    WeatherSnapshot cold;
    cold.temperature = -18;
    cold.high = -40;
    cold.low = 0;
    cold.feelsLike = -17;  // -17 * 9 / 5 + 32 = 1.4
    const auto cf = cold.inFahrenheit();
    EXPECT_EQ(cf.temperature, 0);
    EXPECT_EQ(cf.high, -40);
    EXPECT_EQ(cf.low, 32);
    EXPECT_EQ(cf.feelsLike, 1);
    EXPECT_TRUE(cf.days.empty());

    // A corrupt cache with extreme values converts without leaving the integer range.
    WeatherSnapshot extreme;
    extreme.temperature = std::numeric_limits<std::int64_t>::max();
    extreme.high = std::numeric_limits<std::int64_t>::min();
    const auto ef = extreme.inFahrenheit();
    EXPECT_EQ(ef.temperature, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ef.high, std::numeric_limits<std::int64_t>::min());
}

TEST(WeatherSnapshot, SampleValuesAndEquality) {
    const auto& s = WeatherSnapshot::sample();
    EXPECT_EQ(&s, &WeatherSnapshot::sample());
    EXPECT_EQ(s.place, "London");
    EXPECT_EQ(s.code, 2);
    EXPECT_EQ(s.rainChance, 0.4);
    int dayPeaks = 0, hourPeaks = 0;
    for (const auto& d : s.days) dayPeaks += d.isPeak;
    for (const auto& h : s.rainHours) hourPeaks += h.isPeak;
    EXPECT_EQ(dayPeaks, 1);
    EXPECT_TRUE(s.days[2].isPeak);
    EXPECT_EQ(s.days[2].id(), "Sat");
    EXPECT_EQ(hourPeaks, 1);
    EXPECT_TRUE(s.rainHours[3].isPeak);
    EXPECT_EQ(s.rainHours[3].label, "23");
    EXPECT_LE(s.updated, time::now());

    const auto& night = WeatherSnapshot::sampleNight();
    EXPECT_EQ(&night, &WeatherSnapshot::sampleNight());
    EXPECT_EQ((std::tuple{night.place, night.temperature, night.condition, night.high, night.low, night.feelsLike}),
              (std::tuple{std::string("Tokyo"), 31, std::string("Clear night"), 33, 26, 33}));
    EXPECT_TRUE(night.isNight);
    EXPECT_TRUE(night.days.empty() && night.rainHours.empty());
    EXPECT_EQ(night.rainChance, 0);
    EXPECT_EQ(night.code, 0);
    EXPECT_EQ(WeatherSnapshot::symbol(*night.code, night.isNight), kClearNightSymbol);

    auto other = s;
    other.updated = s.updated + 1;
    EXPECT_NE(other, s);
    other = s;
    other.code.reset();
    EXPECT_NE(other, s);
}

TEST(AirQualitySnapshot, CategoryBandsAndStoredForm) {
    const std::pair<std::int64_t, const char*> bands[] = {
        {-5, "Good"},         {0, "Good"},          {50, "Good"},
        {51, "Moderate"},     {100, "Moderate"},    {101, "Unhealthy for some"},
        {150, "Unhealthy for some"}, {151, "Unhealthy"}, {200, "Unhealthy"},
        {201, "Very unhealthy"}, {300, "Very unhealthy"}, {301, "Hazardous"}, {999, "Hazardous"}};
    for (const auto& [aqi, text] : bands) EXPECT_EQ((AirQualitySnapshot{aqi, Date{}}.category()), text) << aqi;

    const auto& s = AirQualitySnapshot::sample();
    EXPECT_EQ(s.aqi, 42);
    EXPECT_EQ(s.category(), "Good");
    EXPECT_EQ(*coding::encode(AirQualitySnapshot{42, Date{12.25}}), R"({"aqi":42,"updated":12.25})");
    EXPECT_EQ(coding::decode<AirQualitySnapshot>(*coding::encode(s)), s);
    EXPECT_EQ(coding::decode<AirQualitySnapshot>(R"({"aqi":42.0,"updated":1,"x":null})"), (AirQualitySnapshot{42, Date{1}}));
    EXPECT_FALSE(coding::decode<AirQualitySnapshot>(R"({"aqi":42})"));
    EXPECT_FALSE(coding::decode<AirQualitySnapshot>(R"({"aqi":"42","updated":1})"));
}

TEST(StockSnapshot, StoredFormAndDecodeTable) {
    StockSnapshot s{"MSFT", 410.5, -0.25, {{1, "9AM"}, {2, std::nullopt}}, Date{7}};
    EXPECT_EQ(*coding::encode(s),
              R"({"symbol":"MSFT","price":410.5,"changePercent":-0.25,"points":[{"value":1,"label":"9AM"},{"value":2}],"updated":7})");
    EXPECT_EQ(coding::decode<StockSnapshot>(*coding::encode(s)), s);

    const std::pair<const char*, bool> cases[] = {
        {R"({"symbol":"A","price":1,"changePercent":0,"points":[{"value":1}],"updated":0})", true},
        {R"({"symbol":"A","price":1,"changePercent":0,"points":[{"value":1,"label":null}],"updated":0})", true},
        {R"({"symbol":"A","price":1,"changePercent":0,"points":[{"value":1,"extra":true}],"updated":0,"more":[]})", true},
        {R"({"symbol":"A","price":1,"changePercent":0,"points":[{"value":1},{"label":"x"}],"updated":0})", false},
        {R"({"symbol":"A","price":1,"changePercent":0,"points":[{"value":1,"label":3}],"updated":0})", false},
        {R"({"symbol":"A","price":"1","changePercent":0,"points":[],"updated":0})", false},
        {R"({"symbol":"A","price":1,"changePercent":0,"points":[]})", false},
    };
    for (const auto& [json, ok] : cases) EXPECT_EQ(coding::decode<StockSnapshot>(json).has_value(), ok) << json;

    // A label is part of a point's value.
    auto relabelled = s;
    relabelled.points[1].label = "10AM";
    EXPECT_NE(relabelled, s);
}

TEST(StockSnapshot, Sample) {
    const auto& s = StockSnapshot::sample();
    EXPECT_EQ(s.symbol, "AAPL");
    EXPECT_EQ(s.price, 243.18);
    EXPECT_EQ(s.changePercent, -1.2);
    const double values[] = {34, 44, 40, 52, 58, 48, 42, 36};
    const char* labels[] = {"10AM", nullptr, "12PM", nullptr, "2PM", nullptr, "4PM", nullptr};
    ASSERT_EQ(s.points.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(s.points[i].value, values[i]) << i;
        EXPECT_EQ(s.points[i].label.has_value(), labels[i] != nullptr) << i;
        if (labels[i]) {
            EXPECT_EQ(*s.points[i].label, labels[i]);
        }
    }
    EXPECT_EQ(coding::decode<StockSnapshot>(*coding::encode(s)), s);
}

} // namespace
} // namespace plyx
