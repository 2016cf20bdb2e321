#include "platform/time/Time.h"
#include "shared/sources/DefaultPlace.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/http/WebSourcesTest.h"

#include <QThreadPool>

#include <gtest/gtest.h>

namespace wp = plyx::WeatherProvider;
using plyx::test::HttpServer;
using wp::Place;
namespace keys = plyx::StorageKeys;
namespace storage = plyx::SharedStorage;

namespace {

const Place kLondon{"London", 51.5072, -0.1276};
const Place kParis{"Paris, FR", 48.85341, 2.3488}; // the search fixture's first match

// Empty storage, the search answered from the fixture, and background
// searches held until the test runs them.
class DefaultPlaceTest : public plyx::test::WebSourcesTest {
protected:
    DefaultPlaceTest() {
        server.answer("/v1/search", HttpServer::Answer::text(fixture("search.json")));
        wp::setBackgroundRunner([this](std::function<void()> task) { held.push_back(std::move(task)); });
    }
    ~DefaultPlaceTest() override {
        wp::setBackgroundRunner({});
        plyx::time::setCurrentZone("UTC");
    }
    void runHeld() {
        auto tasks = std::move(held);
        held.clear();
        for (auto& t : tasks) t();
    }
    static void zone(const char* id) { plyx::time::setCurrentZone(id); }

    std::vector<std::function<void()>> held;
};

TEST(DefaultPlaceTable, CityNamesAndTheTimeZoneRows) {
    const std::pair<const char*, const char*> names[] = {
        {"America/New_York", "New York"}, {"America/Argentina/Buenos_Aires", "Buenos Aires"},
        {"UTC", "UTC"}, {"Etc//", "Etc"}, {"/", "/"}, {"", ""}, {"Asia/Ho_Chi_Minh", "Ho Chi Minh"},
    };
    for (const auto& [zone, city] : names) EXPECT_EQ(wp::cityName(zone), city) << zone;

    ASSERT_EQ(wp::timeZoneCoords().size(), 23u);
    for (const auto& row : wp::timeZoneCoords()) EXPECT_TRUE(plyx::time::isKnownZone(row.zone)) << row.zone;
    const auto ny = wp::coordinatesOf("America/New_York");
    ASSERT_TRUE(ny);
    EXPECT_EQ(ny->latitude, 40.7128);
    EXPECT_EQ(ny->longitude, -74.006);
    EXPECT_EQ(wp::coordinatesOf("Pacific/Fiji"), std::nullopt);
    EXPECT_EQ(wp::fallbackPlace(), kLondon);
}

TEST_F(DefaultPlaceTest, ResolutionOrder) {
    const Place home{"Home", 59.9, 10.7};
    const Place stored{"Suva, FJ", -18.14, 178.44};
    struct Case {
        const char* name;
        std::optional<Place> myLocation;
        const char* myLocationBytes; // written as they are when set
        std::optional<Place> defaultPlace;
        std::optional<std::string> defaultZone;
        const char* zone;
        Place expected;
        size_t searches;
    };
    const Case cases[] = {
        {"the user's location first", home, nullptr, stored, "Pacific/Fiji", "Pacific/Fiji", home, 0},
        {"then the stored place of this zone", std::nullopt, nullptr, stored, "Pacific/Fiji", "Pacific/Fiji", stored, 0},
        {"an unreadable location is skipped", std::nullopt, R"({"name":"X"})", stored, "Pacific/Fiji", "Pacific/Fiji",
         stored, 0},
        {"New York from the table", std::nullopt, nullptr, std::nullopt, std::nullopt, "America/New_York",
         {"New York", 40.7128, -74.006}, 0},
        {"a place stored for another zone is passed over", std::nullopt, nullptr, stored, "Pacific/Fiji",
         "Asia/Kolkata", {"Kolkata", 28.6139, 77.209}, 0},
        {"a place stored without its zone is passed over", std::nullopt, nullptr, stored, std::nullopt,
         "Pacific/Fiji", kLondon, 1},
        {"outside the table: London while searching", std::nullopt, nullptr, std::nullopt, std::nullopt,
         "Pacific/Fiji", kLondon, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        plyx::test::FreshStorage fresh;
        if (c.myLocation) storage::write(keys::weatherMyLocation, *c.myLocation);
        if (c.myLocationBytes) storage::suite().setData(keys::weatherMyLocation, c.myLocationBytes);
        if (c.defaultPlace) storage::write(keys::weatherDefaultPlace, *c.defaultPlace);
        if (c.defaultZone) storage::suite().setString(keys::weatherDefaultPlaceZone, *c.defaultZone);
        zone(c.zone);
        EXPECT_EQ(wp::defaultPlace(), c.expected);
        EXPECT_EQ(held.size(), c.searches);
        held.clear();
        // Only the background search writes; resolving never does.
        EXPECT_EQ(storage::read<Place>(keys::weatherDefaultPlace), c.defaultPlace);
        EXPECT_EQ(server.requestCount(), 0u);
    }
}

TEST_F(DefaultPlaceTest, OneBackgroundSearchStoresItsFirstMatchForTheZone) {
    zone("Pacific/Fiji");
    EXPECT_EQ(wp::defaultPlace(), kLondon);
    ASSERT_EQ(held.size(), 1u);
    EXPECT_EQ(server.requestCount(), 0u); // nothing waits for the network
    runHeld();
    ASSERT_EQ(server.requestCount(), 1u);
    EXPECT_EQ(server.lastRequest().query, "name=Fiji&count=8&language=en");
    EXPECT_EQ(storage::suite().data(keys::weatherDefaultPlace),
              R"({"name":"Paris, FR","latitude":48.85341,"longitude":2.3488})");
    EXPECT_EQ(storage::suite().string(keys::weatherDefaultPlaceZone), "Pacific/Fiji");

    // From now on the stored place answers, with no further search.
    EXPECT_EQ(wp::defaultPlace(), kParis);
    EXPECT_EQ(wp::defaultPlace(), kParis);
    EXPECT_TRUE(held.empty());
    EXPECT_EQ(server.requestCount(), 1u);

    // The user moves to another zone: the old city is not theirs any more.
    zone("Pacific/Tahiti");
    EXPECT_EQ(wp::defaultPlace(), kLondon);
    ASSERT_EQ(held.size(), 1u);
    server.answer("/v1/search", HttpServer::Answer::text(
                                    R"({"results":[{"name":"Papeete","latitude":-17.5,"longitude":-149.5,"country_code":"PF"}]})"));
    runHeld();
    EXPECT_EQ(server.lastRequest().query, "name=Tahiti&count=8&language=en");
    EXPECT_EQ(wp::defaultPlace(), (Place{"Papeete, PF", -17.5, -149.5}));
    EXPECT_EQ(storage::suite().string(keys::weatherDefaultPlaceZone), "Pacific/Tahiti");
}

TEST_F(DefaultPlaceTest, FailedOrEmptySearchesStoreNothingAndAreTriedAgain) {
    zone("Pacific/Fiji");
    const HttpServer::Answer failures[] = {
        HttpServer::Answer::text("", 500),
        HttpServer::Answer::garbage(),
        HttpServer::Answer::text(R"({"generationtime_ms":0.2})"), // no results at all
        HttpServer::Answer::text(R"({"results":[]})"),
    };
    size_t requests = 0;
    for (const auto& f : failures) {
        server.answer("/v1/search", f);
        EXPECT_EQ(wp::defaultPlace(), kLondon);
        ASSERT_EQ(held.size(), 1u);
        runHeld();
        EXPECT_EQ(server.requestCount(), ++requests);
        EXPECT_FALSE(storage::suite().contains(keys::weatherDefaultPlace));
        EXPECT_FALSE(storage::suite().contains(keys::weatherDefaultPlaceZone));
    }
}

TEST_F(DefaultPlaceTest, WithoutARunnerTheSearchRunsOnTheGlobalPool) {
    wp::setBackgroundRunner({});
    zone("Pacific/Fiji");
    EXPECT_EQ(wp::defaultPlace(), kLondon);
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_EQ(server.requestCount(), 1u);
    EXPECT_EQ(wp::defaultPlace(), kParis);
}

TEST_F(DefaultPlaceTest, MyLocationReadsWhatTheApplicationStored) {
    EXPECT_EQ(wp::myLocation(), std::nullopt);
    storage::suite().setData(keys::weatherMyLocation, R"({"name":"Bergen","latitude":60.39,"longitude":5.32})");
    EXPECT_EQ(wp::myLocation(), (Place{"Bergen", 60.39, 5.32}));
    storage::suite().setData(keys::weatherMyLocation, R"({"name":"Bergen","latitude":"60.39","longitude":5.32})");
    EXPECT_EQ(wp::myLocation(), std::nullopt);
}

} // namespace
