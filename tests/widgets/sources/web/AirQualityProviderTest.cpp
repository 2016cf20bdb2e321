#include "shared/storage/SharedStorage.h"
#include "tests/support/http/WebSourcesTest.h"
#include "widgets/sources/web/AirQualityProvider.h"

#include <gtest/gtest.h>

namespace aq = plyx::AirQualityProvider;
using plyx::AirQualitySnapshot;
using plyx::Date;
using plyx::WeatherProvider::Place;
using plyx::test::HttpServer;
using plyx::test::FakeClock;

namespace {

constexpr const char* kPath = "/v1/air-quality";
const Date kNow = Date::fromUnix(1777975200); // 2026-05-05T10:00:00Z

std::string answerWith(const char* aqi) {
    return std::string(R"({"latitude":48.86,"longitude":2.34,"current":{"time":"2026-05-05T10:00","interval":3600,"us_aqi":)") +
           aqi + "}}";
}

class AirQualityProviderTest : public plyx::test::WebSourcesTest {
protected:
    AirQualityProviderTest() { server.answer(kPath, HttpServer::Answer::text(fixture("air-quality.json"))); }

    static std::optional<AirQualitySnapshot> stored(const Place& p) {
        return plyx::SharedStorage::read<AirQualitySnapshot>(*aq::cacheKey(p));
    }
    static void putCache(const Place& p, AirQualitySnapshot s) {
        ASSERT_TRUE(plyx::SharedStorage::write(*aq::cacheKey(p), s));
    }

    FakeClock clock{kNow};
    const Place london{"London", 51.5, 0};
    const Place paris{"Paris", 48.8534, 2.3488};
};

} // namespace

TEST_F(AirQualityProviderTest, FetchesTheIndexAndKeysTheCacheByPlace) {
    const auto s = aq::snapshot(london);
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, (AirQualitySnapshot{42, kNow}));
    EXPECT_EQ(server.lastRequest().path, kPath);
    EXPECT_EQ(server.lastRequest().query, "latitude=51.5&longitude=0.0&current=us_aqi");
    EXPECT_EQ(aq::cacheKey(london), "plyx.aq.cache.v15150,0");
    EXPECT_EQ(stored(london), s);

    // Another place does not get London's fresh entry: it asks for its own.
    server.answer(kPath, HttpServer::Answer::text(answerWith("87")));
    EXPECT_EQ(aq::snapshot(paris)->aqi, 87);
    EXPECT_EQ(server.lastRequest().query, "latitude=48.8534&longitude=2.3488&current=us_aqi");
    EXPECT_EQ(aq::snapshot(london)->aqi, 42);
    EXPECT_EQ(aq::snapshot(paris)->aqi, 87);
    EXPECT_EQ(server.requestCount(), 2u);

    // Offline, each place falls back to its own entry.
    clock.advance(86400);
    server.answer(kPath, HttpServer::Answer::garbage());
    EXPECT_EQ(aq::snapshot(london)->aqi, 42);
    EXPECT_EQ(aq::snapshot(paris)->aqi, 87);
}

TEST_F(AirQualityProviderTest, FreshForLessThanEighteenHundredSeconds) {
    putCache(london, {7, kNow - 1799});
    EXPECT_EQ(aq::snapshot(london)->aqi, 7);
    EXPECT_EQ(server.requestCount(), 0u);
    putCache(london, {7, kNow - 1800});
    EXPECT_EQ(aq::snapshot(london)->aqi, 42);
    EXPECT_EQ(server.requestCount(), 1u);
    // Dated after now: the clock was set back since; stale.
    putCache(london, {7, kNow + 100});
    EXPECT_EQ(aq::snapshot(london)->aqi, 42);
    EXPECT_EQ(server.requestCount(), 2u);
}

TEST_F(AirQualityProviderTest, AnIndexOffTheScaleIsNoIndex) {
    const AirQualitySnapshot old{61, kNow - 7200};
    for (const char* aqi : {"-1", "-9223372036854775808", "1000", "9223372036854775807"}) {
        putCache(london, old);
        server.answer(kPath, HttpServer::Answer::text(answerWith(aqi)));
        EXPECT_EQ(aq::snapshot(london), old) << aqi;
        EXPECT_EQ(stored(london), old) << aqi;
    }
    server.answer(kPath, HttpServer::Answer::text(answerWith("999")));
    EXPECT_EQ(aq::snapshot(london)->aqi, 999);
}

TEST_F(AirQualityProviderTest, AnswersWithoutAnIndexServeTheStaleEntryUnchanged) {
    const AirQualitySnapshot weekOld{150, kNow - 7 * 86400};
    putCache(london, weekOld);
    const HttpServer::Answer failures[] = {
        HttpServer::Answer::text(R"({"current":{"time":"2026-05-05T10:00"}})"),
        HttpServer::Answer::text(answerWith("null")),
        HttpServer::Answer::text(answerWith("\"12\"")),
        HttpServer::Answer::text(answerWith("12.5")),
        HttpServer::Answer::text(R"({"error":true,"reason":"Latitude must be in range"})", 400),
        HttpServer::Answer::text("<html></html>"),
        HttpServer::Answer::garbage(),
        HttpServer::Answer::silent(), // gives up after the shortened timeout
    };
    for (const auto& f : failures) {
        server.answer(kPath, f);
        EXPECT_EQ(aq::snapshot(london), weekOld) << f.body;
    }
    EXPECT_EQ(stored(london), weekOld);
    EXPECT_EQ(server.requestCount(), std::size(failures));

    EXPECT_EQ(aq::snapshot(paris), std::nullopt);
    plyx::SharedStorage::suite().setData(*aq::cacheKey(paris), R"({"aqi":"x","updated":1})");
    EXPECT_EQ(aq::snapshot(paris), std::nullopt);
}

TEST_F(AirQualityProviderTest, FallbackReadsTheEntryAgainAfterTheFailure) {
    // Nothing stored when the request starts; another call stores an entry
    // for the place while this request is failing.
    const AirQualitySnapshot meanwhile{61, kNow - 30};
    auto failing = HttpServer::Answer::text(R"({"current":{}})");
    failing.before = [&] { putCache(london, meanwhile); };
    server.answer(kPath, failing);
    EXPECT_EQ(aq::snapshot(london), meanwhile);
}

TEST_F(AirQualityProviderTest, ZeroAndAnErrorStatusWithAnIndexAreAnswers) {
    putCache(london, {99, kNow - 4000});
    server.answer(kPath, HttpServer::Answer::text(answerWith("0"), 503));
    EXPECT_EQ(aq::snapshot(london), (AirQualitySnapshot{0, kNow}));
    EXPECT_EQ(stored(london), (AirQualitySnapshot{0, kNow}));
}
