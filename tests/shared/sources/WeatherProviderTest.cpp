#include "platform/net/Http.h"
#include "shared/sources/WeatherProvider.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/http/WebSourcesTest.h"

#include <gtest/gtest.h>

#include <limits>

namespace wp = plyx::WeatherProvider;
using namespace std::chrono_literals;
using plyx::Date;
using plyx::WeatherSnapshot;
using plyx::test::HttpServer;
using plyx::test::FakeClock;
namespace keys = plyx::StorageKeys;

namespace {

constexpr const char* kForecastPath = "/v1/forecast";
const Date kNow = Date::fromUnix(1777977000); // 2026-05-05T10:30:00Z

class WeatherProviderTest : public plyx::test::WebSourcesTest {
protected:
    WeatherProviderTest() { server.answer(kForecastPath, HttpServer::Answer::text(fixture("forecast.json"))); }

    // A snapshot that cannot come from the fixture, as if cached earlier.
    static WeatherSnapshot old(const std::string& place, Date updated) {
        WeatherSnapshot s;
        s.place = place;
        s.temperature = -7;
        s.condition = "Snow";
        s.updated = updated;
        s.code = 71;
        return s;
    }
    static void putCache(const std::string& suffix, const WeatherSnapshot& s) {
        plyx::coding::Json j = plyx::coding::Json::object();
        j["placeKey"] = suffix;
        j["snapshot"] = plyx::coding::toJson(s);
        plyx::SharedStorage::suite().setData(keys::weatherCacheKey(suffix), plyx::coding::write(j));
    }

    FakeClock clock{kNow};
    const wp::Place london{"London", 51.5, 0.0};
};

} // namespace

TEST(WeatherPlace, CacheSuffixTruncatesHundredthsTowardZero) {
    const struct {
        double lat, lon;
        const char* suffix;
    } cases[] = {
        {9.876, -8.259, "987,-825"}, {-0.004, 0.0, "0,0"},     {51.5, -0.1276, "5150,-12"},
        {-33.8688, 151.2093, "-3386,15120"}, {90, -180, "9000,-18000"},
    };
    for (const auto& c : cases) EXPECT_EQ(wp::Place({"x", c.lat, c.lon}).cacheSuffix(), c.suffix) << c.lat;
    EXPECT_EQ(wp::Place({"x", std::nan(""), 0}).cacheSuffix(), std::nullopt);
    EXPECT_EQ(wp::Place({"x", 1e300, 0}).cacheSuffix(), std::nullopt);
}

TEST(WeatherPlace, StoredFormAndIdentity) {
    const wp::Place p{"Paris, FR", 48.85341, 2.3488};
    EXPECT_EQ(plyx::coding::encode(p), R"({"name":"Paris, FR","latitude":48.85341,"longitude":2.3488})");
    EXPECT_EQ(plyx::coding::encode(wp::Place{"London", 51.5, 0}), R"({"name":"London","latitude":51.5,"longitude":0})");
    EXPECT_EQ(plyx::coding::decode<wp::Place>(R"({"longitude":2,"name":"A","latitude":1})"), (wp::Place{"A", 1, 2}));
    EXPECT_EQ(plyx::coding::decode<wp::Place>(R"({"name":"A","latitude":1})"), std::nullopt);
    EXPECT_NE(std::hash<wp::Place>{}(p), std::hash<wp::Place>{}(wp::Place{"Paris", 48.85341, 2.3488}));
    EXPECT_NE(p, (wp::Place{"Paris, FR", 48.85341, 2.35}));
}

TEST_F(WeatherProviderTest, FetchSendsTheExactQueryAndStoresBeforeReturning) {
    const auto s = wp::snapshot(london);
    ASSERT_TRUE(s);
    const auto req = server.lastRequest();
    EXPECT_EQ(req.path, kForecastPath);
    EXPECT_EQ(req.query,
              "latitude=51.5&longitude=0.0&current=temperature_2m,apparent_temperature,weather_code,is_day"
              "&daily=temperature_2m_max,temperature_2m_min,weather_code&hourly=precipitation_probability"
              "&forecast_days=7&timezone=auto");

    // The fixture's day, seen at 10:30 UTC in a 12-hour locale.
    EXPECT_EQ(s->place, "London");
    EXPECT_EQ(s->temperature, 15);
    EXPECT_EQ(s->feelsLike, 12);
    EXPECT_EQ(s->high, 17);
    EXPECT_EQ(s->low, 9);
    EXPECT_EQ(s->condition, "Overcast");
    EXPECT_EQ(s->code, 3);
    EXPECT_EQ(s->updated, kNow);
    ASSERT_EQ(s->days.size(), 6u);
    EXPECT_EQ(s->days[1], (WeatherSnapshot::Day{"Thu", 22, 10, true}));
    EXPECT_EQ(s->days[3], (WeatherSnapshot::Day{"Sat", 19, -3, false}));
    std::vector<std::string> labels;
    for (const auto& h : s->rainHours) labels.push_back(h.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"11", "1", "3", "5", "7", "9", "11"}));
    EXPECT_DOUBLE_EQ(s->rainChance, 0.8);
    EXPECT_TRUE(s->rainHours[2].isPeak);

    // Stored under the place's suffix, then served from there at once.
    const auto stored = plyx::SharedStorage::suite().data(keys::weatherCacheKey("5150,0"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->rfind(R"({"placeKey":"5150,0","snapshot":{"place":"London",)", 0), 0u) << *stored;
    EXPECT_EQ(wp::snapshot(london), s);
    EXPECT_EQ(server.requestCount(), 1u);
}

TEST_F(WeatherProviderTest, TheTwentyFourHourSettingShapesRainLabels) {
    plyx::SharedStorage::setInteger(keys::timeFormat, 24);
    const auto s = wp::snapshot(london);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->rainHours.front().label, "11");
    EXPECT_EQ(s->rainHours[1].label, "13");
}

TEST_F(WeatherProviderTest, FreshForLessThanFifteenHundredSeconds) {
    putCache("5150,0", old("London", kNow - 1499));
    EXPECT_EQ(wp::snapshot(london)->temperature, -7);
    EXPECT_EQ(server.requestCount(), 0u);

    putCache("5150,0", old("London", kNow - 1500));
    EXPECT_EQ(wp::snapshot(london)->temperature, 15);
    EXPECT_EQ(server.requestCount(), 1u);

    // Dated after now (written before the clock was set back): stale, or it
    // would be served unchanged until that date comes.
    putCache("5150,0", old("London", kNow + 600));
    EXPECT_EQ(wp::snapshot(london)->temperature, 15);
    EXPECT_EQ(server.requestCount(), 2u);
}

TEST_F(WeatherProviderTest, OutOfRangeAnswersAreHeldToTheirScaleAndHugeOnesRefused) {
    // The fixture with rain chances and a weather code no service sends.
    const struct {
        std::int64_t percent;
        double chance;
    } cases[] = {{std::numeric_limits<std::int64_t>::max(), 1.0}, {std::numeric_limits<std::int64_t>::min(), 0.0}};
    for (const auto& c : cases) {
        auto json = *plyx::coding::parse(fixture("forecast.json"));
        json["current"]["weather_code"] = c.percent;
        for (auto& p : json["hourly"]["precipitation_probability"]) p = c.percent;
        server.answer(kForecastPath, HttpServer::Answer::text(json.dump()));
        const auto s = wp::fetch(london);
        EXPECT_EQ(s.code, std::nullopt);
        EXPECT_EQ(s.condition, "\u2014");
        EXPECT_EQ(s.rainChance, c.chance);
        ASSERT_FALSE(s.rainHours.empty());
        EXPECT_EQ(s.rainHours.front().chance, std::max(c.chance, 0.06)); // bars keep their least height
    }

    // A forecast is some 10 KB; one of megabytes is refused before decoding.
    std::string padded = fixture("forecast.json");
    padded.insert(1, "\"padding\":\"" + std::string(1500 * 1024, 'x') + "\",");
    server.answer(kForecastPath, HttpServer::Answer::text(padded));
    EXPECT_THROW(wp::fetch(london), plyx::net::TransportError);
}

TEST_F(WeatherProviderTest, FailedFetchFallsBackToTheEntryOfAnyAge) {
    const auto threeHoursOld = old("London", kNow - 3 * 3600);
    putCache("5150,0", threeHoursOld);
    const HttpServer::Answer failures[] = {
        HttpServer::Answer::garbage(),
        HttpServer::Answer::text("", 404),
        HttpServer::Answer::text(R"({"error":true,"reason":"busy"})", 429),
        HttpServer::Answer::silent(), // times out after the shortened default timeout
    };
    for (const auto& f : failures) {
        server.answer(kForecastPath, f);
        EXPECT_EQ(wp::snapshot(london), threeHoursOld);
    }
    EXPECT_EQ(server.requestCount(), 4u);
    EXPECT_EQ(wp::cached(london), threeHoursOld);
}

TEST_F(WeatherProviderTest, FallbackReadsTheEntryAgainAfterTheFailure) {
    putCache("5150,0", old("London", kNow - 3 * 3600));
    // Another call stores a newer entry while this one's request is failing.
    auto meanwhile = old("London", kNow - 60);
    meanwhile.temperature = 21;
    auto failing = HttpServer::Answer::garbage();
    failing.before = [&] { putCache("5150,0", meanwhile); };
    server.answer(kForecastPath, failing);
    EXPECT_EQ(wp::snapshot(london), meanwhile);

    // With nothing stored before the request, too.
    const wp::Place paris{"Paris", 48.85, 2.35};
    failing.before = [&] { putCache("4885,235", meanwhile); };
    server.answer(kForecastPath, failing);
    EXPECT_EQ(wp::snapshot(paris), meanwhile);
}

TEST_F(WeatherProviderTest, FailedFetchWithoutUsableEntryGivesNothing) {
    server.answer(kForecastPath, HttpServer::Answer::text("", 500));
    EXPECT_EQ(wp::snapshot(london), std::nullopt);

    plyx::SharedStorage::suite().setData(keys::weatherCacheKey("5150,0"), R"({"placeKey":"5150,0","snapshot":{}})");
    EXPECT_EQ(wp::cached(london), std::nullopt);
    EXPECT_EQ(wp::snapshot(london), std::nullopt);

    putCache("9999,9", old("London", kNow)); // an entry written for another suffix under this key
    plyx::SharedStorage::suite().setData(keys::weatherCacheKey("5150,0"),
                                         *plyx::SharedStorage::suite().data(keys::weatherCacheKey("9999,9")));
    EXPECT_EQ(wp::cached(london), std::nullopt);
    EXPECT_EQ(wp::snapshot(london), std::nullopt);
    EXPECT_EQ(server.requestCount(), 3u);

    // A good answer replaces the unusable entry.
    server.answer(kForecastPath, HttpServer::Answer::text(fixture("forecast.json")));
    EXPECT_EQ(wp::snapshot(london)->temperature, 15);
    EXPECT_EQ(wp::cached(london)->temperature, 15);
}

// Nulls inside the arrays are the service's way of saying "no value": the
// fetch still succeeds and replaces a stale entry instead of serving it.
TEST_F(WeatherProviderTest, AnAnswerWithNullsIsFetchedNotStale) {
    putCache("5150,0", old("London", kNow - 3 * 3600));
    server.answer(kForecastPath, HttpServer::Answer::text(fixture("forecast-nulls.json")));
    const auto s = wp::snapshot(london);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->temperature, 15);
    EXPECT_EQ(s->updated, kNow);
    EXPECT_EQ(s->days.size(), 3u);
    EXPECT_EQ(wp::cached(london), s);
    EXPECT_EQ(server.requestCount(), 1u);
}

TEST_F(WeatherProviderTest, PlacesWithOneSuffixShareTheEntry) {
    const wp::Place a{"Alpha", 9.876, -8.259};
    const wp::Place b{"Beta", 9.871, -8.251};
    ASSERT_EQ(wp::snapshot(a)->place, "Alpha");
    EXPECT_EQ(wp::snapshot(b)->place, "Alpha");
    EXPECT_EQ(server.requestCount(), 1u);
    EXPECT_TRUE(plyx::SharedStorage::suite().contains(keys::weatherCacheKey("987,-825")));

    // Stale: the next caller fetches and its name is served to both.
    clock.advance(1500);
    EXPECT_EQ(wp::snapshot(b)->place, "Beta");
    EXPECT_EQ(wp::snapshot(a)->place, "Beta");
    EXPECT_EQ(server.requestCount(), 2u);
}

TEST_F(WeatherProviderTest, FetchAloneNeitherReadsNorWritesTheCache) {
    putCache("5150,0", old("London", kNow));
    EXPECT_EQ(wp::fetch(london).temperature, 15);
    EXPECT_EQ(wp::cached(london)->temperature, -7);
    server.answer(kForecastPath, HttpServer::Answer::text("{}"));
    EXPECT_THROW(wp::fetch(london), plyx::coding::DecodeError);
    server.answer(kForecastPath, HttpServer::Answer::silent());
    EXPECT_THROW(wp::fetch(london), plyx::net::TransportError);
}
