// The location manager against a small GeoClue on the test's private bus:
// what access GeoClue's answers mean (it answers, it is switched off, it
// refuses the client or its start, it is not there at all), a fix from start
// to stop, a second request while one runs, a fix that never comes.
#include "platform/location/GeoClueLocationManager.h"

#include "tests/support/bus/PrivateBus.h"
#include "tests/support/location/FakeGeoClue.h"

#include <gtest/gtest.h>

namespace plyx::location {
namespace {

using test::FakeGeoClue;
using test::FakePosition;

const FakePosition kBergen{60.39299, 5.32415, 65};
const FakePosition kLondon{51.50853, -0.12574, 20};

/// What the manager has said.
struct Heard {
    int authorizationChanges = 0;
    std::vector<Location> fixes;
    std::vector<QString> failures;
};

class GeoClueTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
        test::coreApp();
    }
    /// A connection of its own to the private bus, standing in for the system bus.
    static GeoClueLocationManager::Bus privateBus() {
        return [] {
            static int n = 0;
            return QDBusConnection::connectToBus(QString::fromStdString(test::privateBusAddress()),
                                                 QString("geoclue-client-%1").arg(++n));
        };
    }
    std::unique_ptr<GeoClueLocationManager> manager(Heard& heard, GeoClueLocationManager::Bus bus = privateBus(),
                                                    int fixTimeoutMs = GeoClueLocationManager::kFixTimeoutMs) {
        auto m = std::make_unique<GeoClueLocationManager>("plyx-test", std::move(bus), fixTimeoutMs);
        QObject::connect(m.get(), &LocationManager::authorizationChanged, [&heard] { ++heard.authorizationChanges; });
        QObject::connect(m.get(), &LocationManager::locationsUpdated,
                         [&heard](const std::vector<Location>& l) { heard.fixes.insert(heard.fixes.end(), l.begin(), l.end()); });
        QObject::connect(m.get(), &LocationManager::failed, [&heard](const QString& e) { heard.failures.push_back(e); });
        return m;
    }
    /// Runs the event loop a little, for answers that should not come.
    static void settle() {
        for (int i = 0; i < 20; ++i) test::spinOnce();
    }
};

Location at(const FakePosition& p) { return {p.latitude, p.longitude, p.accuracy}; }

TEST_F(GeoClueTest, AccessFollowsTheAccuracyGeoClueCanOffer) {
    struct Case {
        uint level;
        AuthorizationStatus status;
    };
    const Case cases[] = {
        {8, AuthorizationStatus::authorizedWhenInUse},
        {4, AuthorizationStatus::authorizedWhenInUse},
        {0, AuthorizationStatus::denied},  // geolocation switched off
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        FakeGeoClue geoclue(test::privateBusAddress());
        ASSERT_TRUE(geoclue.isRegistered());
        geoclue.setAvailableAccuracyLevel(c.level);
        Heard heard;
        auto m = manager(heard);
        EXPECT_EQ(m->authorizationStatus(), AuthorizationStatus::notDetermined);  // until GeoClue has answered
        ASSERT_TRUE(test::spinUntil([&] { return heard.authorizationChanges == 1; }));
        EXPECT_EQ(m->authorizationStatus(), c.status);
        EXPECT_EQ(geoclue.starts, 0);  // knowing the status starts nothing
    }
}

TEST_F(GeoClueTest, SwitchingGeolocationOffAndOnIsAChangeOfAccess) {
    FakeGeoClue geoclue(test::privateBusAddress());
    Heard heard;
    auto m = manager(heard);
    ASSERT_TRUE(test::spinUntil([&] { return heard.authorizationChanges == 1; }));
    geoclue.setAvailableAccuracyLevel(0);
    ASSERT_TRUE(test::spinUntil([&] { return heard.authorizationChanges == 2; }));
    EXPECT_EQ(m->authorizationStatus(), AuthorizationStatus::denied);
    geoclue.setAvailableAccuracyLevel(6);
    ASSERT_TRUE(test::spinUntil([&] { return heard.authorizationChanges == 3; }));
    EXPECT_EQ(m->authorizationStatus(), AuthorizationStatus::authorizedWhenInUse);
}

TEST_F(GeoClueTest, WithoutGeoClueAccessIsNotDeterminedUntilItComes) {
    Heard heard;
    auto m = manager(heard);
    m->requestLocation();
    ASSERT_TRUE(test::spinUntil([&] { return heard.failures.size() == 1; }));
    EXPECT_EQ(m->authorizationStatus(), AuthorizationStatus::notDetermined);
    EXPECT_EQ(heard.authorizationChanges, 0);
    EXPECT_TRUE(heard.fixes.empty());

    // Asking again once GeoClue is there finds it.
    FakeGeoClue geoclue(test::privateBusAddress());
    m->requestWhenInUseAuthorization();
    ASSERT_TRUE(test::spinUntil([&] { return heard.authorizationChanges == 1; }));
    EXPECT_EQ(m->authorizationStatus(), AuthorizationStatus::authorizedWhenInUse);
}

TEST_F(GeoClueTest, WithoutASystemBusEveryFixFailsLater) {
    Heard heard;
    auto m = manager(heard, [] { return QDBusConnection(QString("no bus")); });
    m->requestLocation();
    EXPECT_TRUE(heard.failures.empty());  // never inside the request
    ASSERT_TRUE(test::spinUntil([&] { return heard.failures.size() == 1; }));
    EXPECT_EQ(m->authorizationStatus(), AuthorizationStatus::notDetermined);
    EXPECT_FALSE(m->isFixRunning());
}

TEST_F(GeoClueTest, AFixStartsTheClientTakesOnePositionAndStopsIt) {
    FakeGeoClue geoclue(test::privateBusAddress());
    geoclue.positions = {kBergen, kLondon};
    Heard heard;
    auto m = manager(heard);
    m->setDesiredAccuracy(100);
    m->requestLocation();
    ASSERT_TRUE(test::spinUntil([&] { return heard.fixes.size() == 1 && geoclue.stops == 1; }));
    EXPECT_EQ(heard.fixes.front(), at(kBergen));
    ASSERT_EQ(geoclue.clients().size(), 1u);
    EXPECT_EQ(geoclue.clients().front()->desktopId, "plyx-test");
    EXPECT_EQ(geoclue.clients().front()->requestedAccuracyLevel, 6u);  // street level for a hundred metres
    EXPECT_FALSE(geoclue.inUse());
    EXPECT_EQ(m->authorizationStatus(), AuthorizationStatus::authorizedWhenInUse);

    // The next fix uses the same client again.
    m->requestLocation();
    ASSERT_TRUE(test::spinUntil([&] { return heard.fixes.size() == 2 && geoclue.stops == 2; }));
    EXPECT_EQ(heard.fixes.back(), at(kLondon));
    EXPECT_EQ(geoclue.createClientCalls, 1);
    EXPECT_EQ(geoclue.starts, 2);
    EXPECT_TRUE(heard.failures.empty());
}

TEST_F(GeoClueTest, HowGeoClueAnswersAFixDecidesAccess) {
    struct Case {
        const char* what;
        bool older, refuseClients, refuseStart;
        bool fixed;
        int getClientCalls;
        AuthorizationStatus status;
    };
    const Case cases[] = {
        {"it answers", false, false, false, true, 0, AuthorizationStatus::authorizedWhenInUse},
        {"an older GeoClue without CreateClient", true, false, false, true, 1, AuthorizationStatus::authorizedWhenInUse},
        {"it refuses the client", false, true, false, false, 0, AuthorizationStatus::denied},
        {"it refuses to start the client", false, false, true, false, 0, AuthorizationStatus::denied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeGeoClue geoclue(test::privateBusAddress());
        geoclue.withoutCreateClient = c.older;
        geoclue.refuseClients = c.refuseClients;
        geoclue.refuseStart = c.refuseStart;
        geoclue.positions = {kBergen};
        Heard heard;
        auto m = manager(heard);
        ASSERT_TRUE(test::spinUntil([&] { return heard.authorizationChanges == 1; }));  // GeoClue answers: granted
        m->requestLocation();
        ASSERT_TRUE(test::spinUntil([&] { return heard.fixes.size() + heard.failures.size() == 1; }));
        EXPECT_EQ(heard.fixes.size(), c.fixed ? 1u : 0u);
        EXPECT_EQ(geoclue.getClientCalls, c.getClientCalls);
        EXPECT_EQ(m->authorizationStatus(), c.status);
        EXPECT_EQ(heard.authorizationChanges, c.fixed ? 1 : 2);
        EXPECT_FALSE(m->isFixRunning());
    }
}

TEST_F(GeoClueTest, ASecondRequestWhileOneRunsJoinsIt) {
    FakeGeoClue geoclue(test::privateBusAddress());
    geoclue.holdPositions = true;
    Heard heard;
    auto m = manager(heard);
    m->requestLocation();
    ASSERT_TRUE(test::spinUntil([&] { return geoclue.starts == 1; }));
    m->requestLocation();
    settle();
    EXPECT_EQ(geoclue.starts, 1);
    EXPECT_EQ(geoclue.createClientCalls, 1);
    ASSERT_TRUE(geoclue.report(kLondon));
    ASSERT_TRUE(test::spinUntil([&] { return !heard.fixes.empty() && geoclue.stops == 1; }));
    settle();
    EXPECT_EQ(heard.fixes, std::vector<Location>{at(kLondon)});

    // With that fix over, a request starts the client again.
    m->requestLocation();
    ASSERT_TRUE(test::spinUntil([&] { return geoclue.starts == 2; }));
}

TEST_F(GeoClueTest, AFixThatNeverComesIsGivenUpAndStopped) {
    FakeGeoClue geoclue(test::privateBusAddress());
    geoclue.holdPositions = true;
    Heard heard;
    auto m = manager(heard, privateBus(), 300);
    m->requestLocation();
    ASSERT_TRUE(test::spinUntil([&] { return heard.failures.size() == 1 && geoclue.stops == 1; }));
    EXPECT_FALSE(m->isFixRunning());
    EXPECT_FALSE(geoclue.report(kBergen));  // the client was stopped
    settle();
    EXPECT_TRUE(heard.fixes.empty());
    EXPECT_EQ(m->authorizationStatus(), AuthorizationStatus::authorizedWhenInUse);  // it did start: access stands
}

TEST(GeoClueAccuracy, ARadiusGivesTheCoarsestLevelAsClose) {
    const std::pair<double, unsigned> cases[] = {{1, 8},     {10, 8},     {11, 6},      {100, 6},    {101, 5},
                                                 {1000, 5}, {1001, 4}, {20000, 4}, {20001, 1}, {1e9, 1}};
    for (const auto& [metres, level] : cases) EXPECT_EQ(GeoClueLocationManager::accuracyLevel(metres), level) << metres;
}

} // namespace
} // namespace plyx::location
