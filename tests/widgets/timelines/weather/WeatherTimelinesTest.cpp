#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/sources/DefaultPlace.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/http/WebSourcesTest.h"
#include "widgets/sources/web/AirQualityProvider.h"
#include "widgets/timelines/AirQualityTimelineProvider.h"
#include "widgets/timelines/DaylightTimelineProvider.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"
#include "widgets/timelines/WeatherTimelineProvider.h"
#include "widgets/timelines/WeatherWidgets.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace plyx {
namespace {

using test::HttpServer;
using widgetkit::TimelineProviderContext;
using widgetkit::TimelineReloadPolicy;
using WeatherProvider::Place;

constexpr const char* kForecastPath = "/v1/forecast";
constexpr const char* kAirPath = "/v1/air-quality";
const Date kNow = Date::fromUnix(1777977000); // 2026-05-05T10:30:00Z

std::string sourcesFixture(const char* name) {
    return test::readFile(std::filesystem::path(PLYX_SOURCE_DIR) / "tests/shared/sources/fixtures" / name);
}
std::string webFixture(const char* name) {
    return test::readFile(std::filesystem::path(PLYX_SOURCE_DIR) / "tests/widgets/sources/web/fixtures" / name);
}

TimelineProviderContext context(bool preview = false) {
    TimelineProviderContext ctx;
    ctx.isPreview = preview;
    return ctx;
}

WeatherConfigIntent intent(TempUnitOption unit, SurfaceOption surface = SurfaceOption::solid,
                           std::optional<std::string> place = std::nullopt) {
    WeatherConfigIntent i;
    i.unit = unit;
    i.surface = surface;
    if (place) i.place = WeatherPlaceEntity{*place};
    return i;
}

const char* kOslo = "Oslo|59.91|10.75";

// The web services on the loopback server, empty storage, a fixed moment in
// New York (a zone of the table, so no background search starts unless a
// test moves elsewhere; any that does is held, never run).
class WeatherTimelinesTest : public test::WebSourcesTest {
protected:
    WeatherTimelinesTest() {
        time::setCurrentZone("America/New_York");
        WeatherProvider::setBackgroundRunner([this](std::function<void()> t) { held.push_back(std::move(t)); });
        server.answer(kForecastPath, HttpServer::Answer::text(sourcesFixture("forecast.json")));
        server.answer(kAirPath, HttpServer::Answer::text(webFixture("air-quality.json")));
    }
    ~WeatherTimelinesTest() override {
        WeatherProvider::setBackgroundRunner({});
        time::setCurrentZone("UTC");
        time::setCurrentLocale("en_US");
    }
    void offline() {
        server.answer(kForecastPath, HttpServer::Answer::text("", 503));
        server.answer(kAirPath, HttpServer::Answer::text("", 503));
    }
    static std::vector<Date> dates(const auto& timeline) {
        std::vector<Date> out;
        for (const auto& e : timeline.entries) out.push_back(e.date);
        return out;
    }

    test::FakeClock clock{kNow};
    std::vector<std::function<void()>> held;
    const std::vector<Date> kSteps{kNow, kNow + 600, kNow + 1200};
};

TEST_F(WeatherTimelinesTest, PlaceholdersShowTheUnconvertedSampleOnTheAppBackground) {
    const auto configured = intent(TempUnitOption::fahrenheit, SurfaceOption::accent, kOslo);
    for (const bool preview : {false, true}) {
        const auto w = WeatherTimelineProvider{}.placeholder(context(preview));
        EXPECT_EQ(w.data, WeatherSnapshot::sample());
        EXPECT_EQ(w.surface, SurfaceOption::followApp);
        EXPECT_EQ(w.date, kNow);
        const auto d = DaylightTimelineProvider{}.placeholder(context(preview));
        EXPECT_EQ(d.data, DaylightInfo::sample());
        EXPECT_EQ(d.surface, SurfaceOption::followApp);
        const auto a = AirQualityTimelineProvider{}.placeholder(context(preview));
        EXPECT_EQ(a.data, AirQualitySnapshot::sample());
        EXPECT_EQ(a.surface, SurfaceOption::followApp);
    }
    // Through a declaration too: the configured background is not consulted.
    const auto* widget = PlyxWidgetsBundle::find(WeatherCurrentWidget.kind);
    ASSERT_NE(widget, nullptr);
    const auto config = *intents::Configuration::parse(widget->configuration.intent(),
                                                        R"({"unit":"fahrenheit","surface":"glass"})");
    const auto answer =
        widgetkit::request(widget->configuration, widgetkit::RequestMode::placeholder, config, context());
    const auto& entry = std::any_cast<const PlyxEntry<WeatherSnapshot>&>(answer.entries.at(0).entry);
    EXPECT_EQ(entry.data, WeatherSnapshot::sample());
    EXPECT_EQ(entry.surface, SurfaceOption::followApp);
    EXPECT_EQ(server.requestCount(), 0u);
}

TEST_F(WeatherTimelinesTest, PreviewsShowTheSampleAndNeverResolveOrFetch) {
    time::setCurrentZone("Pacific/Fiji"); // resolving here would start a search
    const auto configured = intent(TempUnitOption::fahrenheit, SurfaceOption::glass);
    const auto w = WeatherTimelineProvider{}.snapshot(configured, context(true));
    EXPECT_EQ(w.data, WeatherSnapshot::sample()); // in Celsius, whatever the unit
    EXPECT_EQ(w.surface, SurfaceOption::glass);
    const auto d = DaylightTimelineProvider{}.snapshot(configured, context(true));
    EXPECT_EQ(d.data, DaylightInfo::sample());
    EXPECT_EQ(d.surface, SurfaceOption::glass);
    const auto a = AirQualityTimelineProvider{}.snapshot(configured, context(true));
    EXPECT_EQ(a.data, AirQualitySnapshot::sample());
    EXPECT_EQ(a.surface, SurfaceOption::glass);
    EXPECT_EQ(server.requestCount(), 0u);
    EXPECT_TRUE(held.empty());
}

TEST_F(WeatherTimelinesTest, WeatherTimelinesHoldThreeStepsAndAskAgainByWhatCameBack) {
    const auto cachedPlace = WeatherPlaceEntity{kOslo}.place();
    struct Case {
        const char* name;
        bool online;
        std::optional<WeatherSnapshot> cached; // stored for Oslo before the request
        TempUnitOption unit;
        const char* locale;
        std::int64_t temperature; // of the entries
        int reloadMinutes;
    };
    auto stale = WeatherSnapshot::sample();
    stale.temperature = -4;
    stale.updated = kNow - 3 * 3600;
    auto likeTheSample = WeatherSnapshot::sample();
    likeTheSample.updated = kNow - 60;
    const Case cases[] = {
        {"fetched, Celsius", true, std::nullopt, TempUnitOption::celsius, "en_US", 15, 30},
        {"fetched, following a US locale", true, std::nullopt, TempUnitOption::system, "en_US", 59, 30},
        {"fetched, following a metric locale", true, std::nullopt, TempUnitOption::system, "de_DE", 15, 30},
        {"offline with nothing cached: the sample, converted", false, std::nullopt, TempUnitOption::fahrenheit,
         "de_DE", 73, 10},
        {"offline with nothing cached, in Celsius", false, std::nullopt, TempUnitOption::celsius, "en_US", 23, 10},
        {"offline with a stale entry: that entry", false, stale, TempUnitOption::celsius, "en_US", -4, 30},
        {"a fresh entry equal to the sample still counts", false, likeTheSample, TempUnitOption::celsius, "en_US",
         23, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::FreshStorage fresh;
        server.answer(kForecastPath, c.online ? HttpServer::Answer::text(sourcesFixture("forecast.json"))
                                              : HttpServer::Answer::text("", 503));
        if (c.cached) {
            coding::Json j = coding::Json::object();
            j["placeKey"] = *cachedPlace.cacheSuffix();
            j["snapshot"] = coding::toJson(*c.cached);
            SharedStorage::suite().setData(StorageKeys::weatherCacheKey(*cachedPlace.cacheSuffix()), coding::write(j));
        }
        time::setCurrentLocale(c.locale);
        const auto t = WeatherTimelineProvider{}.timeline(intent(c.unit, SurfaceOption::accent, kOslo), context());
        time::setCurrentLocale("en_US");
        ASSERT_EQ(t.entries.size(), 3u);
        EXPECT_EQ(dates(t), kSteps);
        for (const auto& e : t.entries) {
            EXPECT_EQ(e.data, t.entries.front().data);
            EXPECT_EQ(e.data.temperature, c.temperature);
            EXPECT_EQ(e.surface, SurfaceOption::accent);
        }
        EXPECT_EQ(t.policy, TimelineReloadPolicy::after(kNow + c.reloadMinutes * 60.0));
    }
}

TEST_F(WeatherTimelinesTest, ThePlaceIsTheConfiguredOneElseTheDefault) {
    struct Case {
        std::optional<std::string> place;
        const char* query;
        const char* shownPlace;
    };
    const Case cases[] = {
        {std::nullopt, "latitude=40.7128&longitude=-74.006", "New York"},
        {std::string(kOslo), "latitude=59.91&longitude=10.75", "Oslo"},
        {std::string("Oslo|north|east"), "latitude=51.5072&longitude=-0.1276", "London"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shownPlace);
        test::FreshStorage fresh;
        server.clearRequests();
        const auto e = WeatherTimelineProvider{}.snapshot(intent(TempUnitOption::celsius, SurfaceOption::solid, c.place),
                                                          context());
        ASSERT_EQ(server.requestCount(), 1u);
        EXPECT_EQ(server.lastRequest().query.rfind(c.query, 0), 0u) << server.lastRequest().query;
        EXPECT_EQ(e.data.place, c.shownPlace);
        EXPECT_EQ(e.surface, SurfaceOption::solid);
    }

    // The air quality is asked for at the same place.
    server.clearRequests();
    (void)AirQualityTimelineProvider{}.timeline(intent(TempUnitOption::celsius), context());
    ASSERT_EQ(server.requestCount(kAirPath), 1u);
    EXPECT_EQ(server.lastRequest().query, "latitude=40.7128&longitude=-74.006&current=us_aqi");
    EXPECT_TRUE(held.empty());
}

TEST_F(WeatherTimelinesTest, SnapshotsAreDatedAfterTheFetch) {
    auto slow = HttpServer::Answer::text(sourcesFixture("forecast.json"));
    slow.before = [this] { clock.advance(7); };
    server.answer(kForecastPath, slow);
    const auto e = WeatherTimelineProvider{}.snapshot(intent(TempUnitOption::fahrenheit, SurfaceOption::glass, kOslo),
                                                      context());
    EXPECT_EQ(e.date, kNow + 7);
    EXPECT_EQ(e.data.temperature, 59); // 15 °C as fetched
    EXPECT_EQ(e.surface, SurfaceOption::glass);

    auto slowAir = HttpServer::Answer::text(webFixture("air-quality.json"));
    slowAir.before = [this] { clock.advance(5); };
    server.answer(kAirPath, slowAir);
    const auto a = AirQualityTimelineProvider{}.snapshot(intent(TempUnitOption::system, SurfaceOption::glass, kOslo),
                                                         context());
    EXPECT_EQ(a.date, kNow + 12);
    EXPECT_EQ(a.data.aqi, 42);
}

TEST_F(WeatherTimelinesTest, AirQualityShowsTheSampleOnlyWithNothingAtAllAndThenAsksSooner) {
    const auto oslo = WeatherPlaceEntity{kOslo}.place();
    struct Case {
        const char* name;
        bool online;
        std::optional<AirQualitySnapshot> cached;
        std::int64_t aqi;
        int reloadMinutes;
    };
    const Case cases[] = {
        {"fetched", true, std::nullopt, 42, 30},
        {"offline, nothing cached", false, std::nullopt, AirQualitySnapshot::sample().aqi, 15},
        {"offline, a day-old value", false, AirQualitySnapshot{130, kNow - 86400}, 130, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::FreshStorage fresh;
        server.answer(kAirPath, c.online ? HttpServer::Answer::text(webFixture("air-quality.json"))
                                         : HttpServer::Answer::text("", 503));
        if (c.cached) SharedStorage::write(*AirQualityProvider::cacheKey(oslo), *c.cached);
        const auto t = AirQualityTimelineProvider{}.timeline(intent(TempUnitOption::system, SurfaceOption::accent, kOslo),
                                                             context());
        ASSERT_EQ(t.entries.size(), 1u);
        EXPECT_EQ(t.entries[0].date, kNow);
        EXPECT_EQ(t.entries[0].data.aqi, c.aqi);
        EXPECT_EQ(t.entries[0].surface, SurfaceOption::accent);
        EXPECT_EQ(t.policy, TimelineReloadPolicy::after(kNow + c.reloadMinutes * 60.0));
        // A snapshot outside the gallery reads the same way.
        EXPECT_EQ(AirQualityTimelineProvider{}
                      .snapshot(intent(TempUnitOption::system, SurfaceOption::accent, kOslo), context())
                      .data.aqi,
                  c.aqi);
    }
}

TEST_F(WeatherTimelinesTest, DaylightTimelinesHoldOneDayAtThreeMoments) {
    // Nothing configured: the default place, New York, and its name.
    const auto t = DaylightTimelineProvider{}.timeline(intent(TempUnitOption::system, SurfaceOption::glass), context());
    ASSERT_EQ(t.entries.size(), 3u);
    EXPECT_EQ(dates(t), kSteps);
    const auto& day = t.entries[0].data;
    EXPECT_EQ(day.place, "New York");
    // 5 May in New York: up a little before six, down a little before eight.
    const auto rise = time::components(day.sunrise, "America/New_York");
    const auto set = time::components(day.sunset, "America/New_York");
    EXPECT_EQ(rise.day, 5);
    EXPECT_EQ(rise.hour, 5);
    EXPECT_EQ(set.hour, 19);
    for (const auto& e : t.entries) {
        EXPECT_EQ(e.data, day);
        EXPECT_EQ(e.surface, SurfaceOption::glass);
    }
    EXPECT_EQ(t.policy, TimelineReloadPolicy::after(kNow + 30 * 60.0));
    EXPECT_EQ(DaylightTimelineProvider{}.snapshot(intent(TempUnitOption::system), context()).data, day);

    // Where the sun does not set in May: the sample, its own place and times.
    const auto polar =
        DaylightTimelineProvider{}.timeline(intent(TempUnitOption::system, SurfaceOption::glass, "Svalbard|78.22|15.65"),
                                            context());
    ASSERT_EQ(polar.entries.size(), 3u);
    for (const auto& e : polar.entries) EXPECT_EQ(e.data, DaylightInfo::sample());
    EXPECT_EQ(server.requestCount(), 0u);
}

TEST(WeatherWidgets, RowsAsDeclaredWithTheirIntentAndLink) {
    struct Row {
        const char* kind;
        const char* name;
        const char* description;
        widgetkit::WidgetFamily family;
        WidgetPalette::Tone tone;
        const char* link;
    };
    const Row rows[] = {
        {"plyx.weather.current", "Conditions", "Now, with highs and lows.", kSmall, kDark, kWeatherLink},
        {"plyx.weather.night", "Feels Like", "Temperature and how it feels.", kSmall, kLight, kWeatherLink},
        {"plyx.weather.forecast", "6-Day Forecast", "The week ahead.", kMedium, kLight, kWeatherLink},
        {"plyx.weather.rain", "Rain Radar", "Rain chance over the next 12 hours.", kMedium, kDark, kWeatherLink},
        {"plyx.weather.daylight", "Daylight", "Sunrise to sunset, with the sun on its arc.", kMedium, kLight, nullptr},
        {"plyx.weather.airquality", "Air Quality", "US AQI where you are.", kSmall, kLight, nullptr},
    };
    EXPECT_STREQ(kWeatherLink, "plyxwidgets://open/weather");
    test::FreshStorage fresh;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.kind);
        const auto* d = PlyxWidgetsBundle::find(r.kind);
        ASSERT_NE(d, nullptr) << "not in the bundle";
        EXPECT_STREQ(d->row.displayName, r.name);
        EXPECT_STREQ(d->row.description, r.description);
        EXPECT_EQ(d->row.family, r.family);
        EXPECT_EQ(d->row.tone, r.tone);
        EXPECT_EQ(d->configuration.intent().type, "WeatherConfigIntent");

        // A tap anywhere opens the weather link, on the four weather widgets only.
        const auto entry =
            widgetkit::request(d->configuration, widgetkit::RequestMode::placeholder,
                               intents::Configuration::defaults(d->configuration.intent()), context())
                .entries.at(0);
        const auto rendered = widgetkit::renderEntry(d->configuration, entry, d->designSize(), 1, {});
        const auto* hit = ui::hitTest(rendered.hits, {d->designSize().width / 2, d->designSize().height / 2});
        if (r.link) {
            ASSERT_NE(hit, nullptr);
            EXPECT_EQ(hit->payload, r.link);
        } else {
            EXPECT_EQ(hit, nullptr);
        }
    }
}

} // namespace
} // namespace plyx
