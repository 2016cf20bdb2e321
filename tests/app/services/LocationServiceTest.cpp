// The location service: which access counts (any grant does), what a request
// does for each status, a grant that arrives later, how a fix is named,
// stored and followed by the six weather reloads, and the whole path on a
// small GeoClue standing in on the system bus.
#include "app/services/LocationService.h"

#include "platform/widgetkit/WidgetCenter.h"
#include "shared/identity/AppIdentity.h"
#include "shared/sources/DefaultPlace.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"
#include "tests/support/location/FakeGeoClue.h"

#include <gtest/gtest.h>

#include <limits>

namespace plyx {
namespace {

using location::AuthorizationStatus;
using location::Location;
using location::Placemark;
using Place = WeatherProvider::Place;

/// A location manager that does only what the test tells it.
class StubManager : public location::LocationManager {
public:
    explicit StubManager(AuthorizationStatus s) : status(s) {}
    AuthorizationStatus authorizationStatus() const override { return status; }
    void requestWhenInUseAuthorization() override { ++authorizationRequests; }
    void requestLocation() override { ++fixRequests; }
    void setDesiredAccuracy(double metres) override { accuracy = metres; }
    void change(AuthorizationStatus s) {
        status = s;
        emit authorizationChanged();
    }
    void deliver(const std::vector<Location>& l) { emit locationsUpdated(l); }

    AuthorizationStatus status;
    int authorizationRequests = 0;
    int fixRequests = 0;
    double accuracy = 0;
};

const std::vector<std::string> kWeatherKinds = {"plyx.weather.current", "plyx.weather.night",
                                                "plyx.weather.forecast", "plyx.weather.rain",
                                                "plyx.weather.daylight", "plyx.weather.airquality"};

/// The service with a stub manager and recorded reloads and settings.
struct World {
    explicit World(AuthorizationStatus s) {
        auto m = std::make_unique<StubManager>(s);
        manager = m.get();
        LocationService::Ports p;
        p.manager = std::move(m);
        p.reverseGeocode = [this](double, double) { return placemarks; };
        p.reloadTimelines = [this](const std::string& kind) { reloads.push_back(kind); };
        p.openLocationSettings = [this] { ++settingsOpened; };
        service = std::make_unique<LocationService>(std::move(p));
        QObject::connect(service.get(), &LocationService::fixHandled, [this] { ++fixesHandled; });
    }
    StubManager* manager;
    std::unique_ptr<LocationService> service;
    std::vector<Placemark> placemarks;
    std::vector<std::string> reloads;
    int settingsOpened = 0;
    int fixesHandled = 0;
};

std::optional<Place> stored() { return SharedStorage::read<Place>(StorageKeys::weatherMyLocation); }

class LocationServiceTest : public ::testing::Test {
protected:
    LocationServiceTest() { test::coreApp(); }
    test::FreshStorage storage_;
};

TEST_F(LocationServiceTest, AnyGrantCountsAsAuthorised) {
    const std::pair<AuthorizationStatus, bool> cases[] = {
        {AuthorizationStatus::notDetermined, false},      {AuthorizationStatus::restricted, false},
        {AuthorizationStatus::denied, false},             {AuthorizationStatus::authorizedAlways, true},
        {AuthorizationStatus::authorizedWhenInUse, true},  // what the service asks for
    };
    for (const auto& [status, authorized] : cases) {
        World w(status);
        EXPECT_EQ(w.service->authorized(), authorized) << static_cast<int>(status);
        EXPECT_EQ(w.manager->accuracy, 100);
        EXPECT_EQ(w.manager->fixRequests, 0);  // making the service asks for nothing
    }
}

TEST_F(LocationServiceTest, ARequestFixesAsksOrOpensTheSettingsByStatus) {
    struct Case {
        AuthorizationStatus status;
        int fixes, questions, settings;
    };
    const Case cases[] = {
        {AuthorizationStatus::authorizedAlways, 1, 0, 0},
        {AuthorizationStatus::authorizedWhenInUse, 1, 0, 0},
        {AuthorizationStatus::notDetermined, 0, 1, 0},
        {AuthorizationStatus::denied, 0, 0, 1},
        {AuthorizationStatus::restricted, 0, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.status));
        World w(c.status);
        w.service->request();
        EXPECT_EQ(w.manager->fixRequests, c.fixes);
        EXPECT_EQ(w.manager->authorizationRequests, c.questions);
        EXPECT_EQ(w.settingsOpened, c.settings);
    }
}

TEST_F(LocationServiceTest, AGrantArrivingLaterTakesOneFix) {
    World w(AuthorizationStatus::notDetermined);
    std::vector<bool> changes;
    QObject::connect(w.service.get(), &LocationService::authorizedChanged, [&](bool a) { changes.push_back(a); });
    w.service->request();
    EXPECT_EQ(w.manager->authorizationRequests, 1);
    EXPECT_EQ(w.manager->fixRequests, 0);

    w.manager->change(AuthorizationStatus::authorizedWhenInUse);
    EXPECT_EQ(w.manager->fixRequests, 0);  // acted on after the signal, not inside it
    ASSERT_TRUE(test::spinUntil([&] { return w.manager->fixRequests == 1; }));
    EXPECT_TRUE(w.service->authorized());

    w.manager->change(AuthorizationStatus::denied);
    ASSERT_TRUE(test::spinUntil([&] { return !w.service->authorized(); }));
    EXPECT_EQ(w.manager->fixRequests, 1);
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(LocationServiceTest, AFixIsNamedStoredAndTheWeatherReloaded) {
    Placemark town, district, area, nameless;
    town.locality = "Bergen";
    district.subLocality = "Nordnes";
    district.locality = "Bergen";
    area.subAdministrativeArea = "Vestland";
    struct Case {
        const char* what;
        std::vector<Placemark> placemarks;
        std::string name;
    };
    const Case cases[] = {
        {"a town", {town}, "Bergen"},
        {"a district of a town", {district}, "Nordnes"},
        {"only an area", {area}, "Vestland"},
        {"no town near", {}, "My Location"},
        {"a placemark without names", {nameless}, "My Location"},
        {"only the first placemark counts", {nameless, town}, "My Location"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w(AuthorizationStatus::authorizedWhenInUse);
        w.placemarks = c.placemarks;
        w.manager->deliver({{60.39299, 5.32415, 65}});
        ASSERT_TRUE(test::spinUntil([&] { return w.fixesHandled == 1; }));
        EXPECT_EQ(stored(), (Place{c.name, 60.39299, 5.32415}));
        // The weather widgets read it back as their default place.
        EXPECT_EQ(WeatherProvider::myLocation(), stored());
        EXPECT_EQ(w.reloads, kWeatherKinds);
    }
}

TEST_F(LocationServiceTest, OnlyTheLastOfSeveralLocationsIsStoredAndNoneIsNothing) {
    World w(AuthorizationStatus::authorizedWhenInUse);
    w.manager->deliver({});
    w.manager->deliver({{1, 2, 10}, {60.39299, 5.32415, 65}});
    ASSERT_TRUE(test::spinUntil([&] { return w.fixesHandled == 1; }));
    for (int i = 0; i < 10; ++i) test::spinOnce();
    EXPECT_EQ(w.fixesHandled, 1);
    EXPECT_EQ(stored(), (Place{"My Location", 60.39299, 5.32415}));
    EXPECT_EQ(w.reloads, kWeatherKinds);
}

TEST_F(LocationServiceTest, APlaceThatDoesNotEncodeKeepsTheStoredOneButStillReloads) {
    const Place before{"Bergen", 60.39299, 5.32415};
    ASSERT_TRUE(SharedStorage::write(StorageKeys::weatherMyLocation, before));
    World w(AuthorizationStatus::authorizedAlways);
    w.manager->deliver({{std::numeric_limits<double>::quiet_NaN(), 5, 65}});
    ASSERT_TRUE(test::spinUntil([&] { return w.fixesHandled == 1; }));
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(w.reloads, kWeatherKinds);
}

// The application's own wiring: GeoClue on the system bus (the test's private
// bus stands in for it), the gazetteer compiled in, reloads on the session bus.
TEST_F(LocationServiceTest, OnGeoClueAGrantedUserIsLocatedAndTheTownStored) {
    if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
    AppIdentity::configurePlatform(AppIdentity::Program::application);
    test::ScopedEnv systemBus("DBUS_SYSTEM_BUS_ADDRESS", test::privateBusAddress());
    test::FakeGeoClue geoclue(test::privateBusAddress());
    ASSERT_TRUE(geoclue.isRegistered());
    geoclue.positions = {{60.39299, 5.32415, 65}};
    std::vector<std::string> heard;
    widgetkit::WidgetReloadListener reloads(
        [&](const std::optional<std::string>& kind) { heard.push_back(kind.value_or("all")); });
    ASSERT_TRUE(reloads.isListening());

    LocationService service(LocationService::livePorts());
    // GeoClue answers: access is granted while in use, and that is enough
    // for the service to take its fix.
    ASSERT_TRUE(test::spinUntil([&] { return heard.size() == kWeatherKinds.size(); }));
    EXPECT_TRUE(service.authorized());
    EXPECT_EQ(service.manager().authorizationStatus(), AuthorizationStatus::authorizedWhenInUse);
    EXPECT_EQ(stored(), (Place{"Bergen", 60.39299, 5.32415}));
    EXPECT_EQ(heard, kWeatherKinds);
    ASSERT_EQ(geoclue.clients().size(), 1u);
    EXPECT_EQ(geoclue.clients().front()->desktopId, "plyx");
    EXPECT_EQ(geoclue.starts, 1);
}

} // namespace
} // namespace plyx
