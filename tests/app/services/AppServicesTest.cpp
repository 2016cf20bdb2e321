// The services hub with doubles for the event sources and widget reloads:
// starting once, the stats interval, which widgets a sync reloads, the
// extension's reload message, and syncs that never overlap.
#include "app/services/AppServices.h"
#include "app/services/ServicePorts.h"

#include "platform/bus/Bus.h"
#include "platform/events/EventSources.h"
#include "platform/store/Defaults.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <atomic>
#include <mutex>
#include <semaphore>

namespace plyx {
namespace {

using events::AuthorizationStatus;
using events::EntityType;

/// The hub's world: access per data type, what the reads yield, and a record
/// of every store and reload.
struct World {
    std::atomic<AuthorizationStatus> reminders{AuthorizationStatus::fullAccess};
    std::atomic<AuthorizationStatus> calendar{AuthorizationStatus::fullAccess};
    std::atomic<int> readsStarted{0};
    /// When set, each reminders read waits for one release.
    std::counting_semaphore<16>* gate = nullptr;
    std::mutex m;
    std::vector<std::string> stored;   // "reminders:<n>" / "calendar"
    std::vector<std::string> reloads;  // kinds, "*" for all
    std::function<void()> storeChanged;
    int trackerStarts = 0;
    std::vector<std::string> started; // collectors, in the order started
    bool locationAuthorized = false;

    ServicePorts ports() {
        ServicePorts p;
        p.authorizationStatus = [this](EntityType t) {
            return t == EntityType::reminder ? reminders.load() : calendar.load();
        };
        p.readReminders = [this] {
            const int n = ++readsStarted;
            if (gate) gate->acquire();
            RemindersSnapshot s;
            s.items.resize(n);
            return std::optional<RemindersSnapshot>(s);
        };
        p.storeReminders = [this](const RemindersSnapshot& s) {
            std::lock_guard lock(m);
            stored.push_back("reminders:" + std::to_string(s.items.size()));
        };
        p.readCalendar = [] { return std::optional<CalendarSnapshot>(CalendarSnapshot{}); };
        p.storeCalendar = [this](const CalendarSnapshot&) {
            std::lock_guard lock(m);
            stored.push_back("calendar");
        };
        p.requestRemindersAccess = [this] { return reminders.load() == AuthorizationStatus::fullAccess; };
        p.requestCalendarAccess = [this] { return calendar.load() == AuthorizationStatus::fullAccess; };
        p.observeEventStore = [this](QObject*, std::function<void()> onChange) { storeChanged = std::move(onChange); };
        p.reloadTimelines = [this](const std::string& k) { reloads.push_back(k); };
        p.reloadAllTimelines = [this] { reloads.push_back("*"); };
        p.startUsageTracker = [this] { ++trackerStarts; started.push_back("usage"); };
        p.startMusicListener = [this] { started.push_back("music"); };
        p.startMailPoller = [this] { started.push_back("mail"); };
        p.startBatteryPoller = [this] { started.push_back("batteries"); };
        p.locationAuthorized = [this] { return locationAuthorized; };
        p.requestOneLocation = [this] { started.push_back("location fix"); };
        p.syncFromMusic = [this] { reloads.push_back("music read"); };
        return p;
    }
    std::vector<std::string> storedNow() {
        std::lock_guard lock(m);
        return stored;
    }
};

const std::vector<std::string> kReminderKinds = {"plyx.reminders.checklist", "plyx.reminders.nextUp",
                                                 "plyx.reminders.single", "plyx.reminders.today"};
const std::vector<std::string> kCalendarKinds = {"plyx.calendar.bigDate", "plyx.calendar.monthGrid",
                                                 "plyx.calendar.dayEvents", "plyx.calendar.agenda"};

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class AppServicesTest : public ::testing::Test {
protected:
    AppServicesTest() { test::coreApp(); }
    ~AppServicesTest() override { store::Defaults::standard().remove(StorageKeys::pollSeconds); }
    World world;
};

TEST_F(AppServicesTest, StartsOnceWithTwoObserversAndOneTimer) {
    AppServices hub(world.ports());
    EXPECT_EQ(hub.statsTimer(), nullptr);
    int syncs = 0;
    QObject::connect(&hub, &AppServices::syncFinished, [&] { ++syncs; });
    hub.start();
    hub.start();
    hub.start();
    EXPECT_EQ(hub.observerCount(), 2u);
    EXPECT_EQ(hub.findChildren<QTimer*>().size(), 1);
    ASSERT_NE(hub.statsTimer(), nullptr);
    EXPECT_TRUE(hub.statsTimer()->isActive());
    EXPECT_EQ(world.trackerStarts, 1);
    ASSERT_TRUE(test::spinUntil([&] { return syncs == 1; }));

    hub.restartStatsTimer();
    hub.restartStatsTimer();
    EXPECT_EQ(hub.findChildren<QTimer*>().size(), 1);
    EXPECT_TRUE(hub.statsTimer()->isActive());
}

TEST_F(AppServicesTest, CollectorsStartOnceInOrderMailOnlyWhenSwitchedOnAndAFixOnlyWithAccess) {
    auto defaults = store::Defaults::standard();
    for (const bool mail : {false, true}) {
        for (const bool location : {false, true}) {
            SCOPED_TRACE(std::string("mail ") + (mail ? "on" : "off") + ", location " + (location ? "granted" : "not"));
            defaults.setBool(StorageKeys::mailEnabled, mail);
            World w;
            w.locationAuthorized = location;
            AppServices hub(w.ports());
            hub.start();
            hub.start();
            std::vector<std::string> want = {"usage", "music"};
            if (mail) want.push_back("mail");
            want.push_back("batteries");
            if (location) want.push_back("location fix");
            EXPECT_EQ(w.started, want);
        }
    }
    defaults.remove(StorageKeys::mailEnabled);
}

TEST_F(AppServicesTest, TheStatsTimerReadsThePlayerBeforeItsReloads) {
    store::Defaults::standard().setInteger(StorageKeys::pollSeconds, 1);
    AppServices hub(world.ports());
    hub.restartStatsTimer();
    ASSERT_TRUE(test::spinUntil([&] { return world.reloads.size() >= 5; }));
    EXPECT_EQ(std::vector<std::string>(world.reloads.begin(), world.reloads.begin() + 5),
              (std::vector<std::string>{"music read", "plyx.system.monitor", "plyx.system.network", "plyx.nowplaying",
                                        "plyx.remote"}));
}

TEST_F(AppServicesTest, StatsIntervalFromThePollSetting) {
    auto defaults = store::Defaults::standard();
    const std::pair<std::optional<std::int64_t>, int> cases[] = {
        {std::nullopt, 60}, {0, 60}, {-5, 60}, {15, 15}, {1, 1}, {std::int64_t{1} << 40, 2'000'000},
    };
    for (const auto& [stored, seconds] : cases) {
        if (stored) defaults.setInteger(StorageKeys::pollSeconds, *stored);
        else defaults.remove(StorageKeys::pollSeconds);
        EXPECT_EQ(AppServices::statsIntervalSeconds(), seconds) << stored.value_or(-999);
        AppServices hub(world.ports());
        hub.restartStatsTimer();
        EXPECT_EQ(hub.statsTimer()->interval(), seconds * 1000);
    }
}

TEST_F(AppServicesTest, AccessPerDataTypeDecidesWhatIsReadStoredAndReloaded) {
    struct Case {
        AuthorizationStatus reminders, calendar;
        std::vector<std::string> stored, reloads;
    };
    const Case cases[] = {
        {AuthorizationStatus::fullAccess, AuthorizationStatus::fullAccess, {"reminders:1", "calendar"},
         joined(kReminderKinds, kCalendarKinds)},
        {AuthorizationStatus::denied, AuthorizationStatus::fullAccess, {"calendar"}, kCalendarKinds},
        {AuthorizationStatus::fullAccess, AuthorizationStatus::writeOnly, {"reminders:1"}, kReminderKinds},
        {AuthorizationStatus::notDetermined, AuthorizationStatus::denied, {}, {}},
    };
    for (const auto& c : cases) {
        World w;
        w.reminders = c.reminders;
        w.calendar = c.calendar;
        AppServices hub(w.ports());
        bool done = false;
        QObject::connect(&hub, &AppServices::syncFinished, [&] { done = true; });
        hub.syncEventData();
        EXPECT_TRUE(w.reloads.empty());  // queued, not run in the call
        ASSERT_TRUE(test::spinUntil([&] { return done; }));
        EXPECT_EQ(w.storedNow(), c.stored);
        EXPECT_EQ(w.reloads, c.reloads);
        EXPECT_EQ(hub.remindersConnected(), c.reminders == AuthorizationStatus::fullAccess);
        EXPECT_EQ(hub.calendarConnected(), c.calendar == AuthorizationStatus::fullAccess);
    }
}

TEST_F(AppServicesTest, AccessLostMeanwhileWritesNothing) {
    AppServices hub(world.ports());
    EXPECT_TRUE(hub.remindersConnected());
    bool done = false;
    QObject::connect(&hub, &AppServices::syncFinished, [&] { done = true; });
    hub.syncEventData();
    world.reminders = AuthorizationStatus::denied;
    world.calendar = AuthorizationStatus::denied;
    ASSERT_TRUE(test::spinUntil([&] { return done; }));
    EXPECT_TRUE(world.storedNow().empty());
    EXPECT_FALSE(hub.remindersConnected());
    EXPECT_FALSE(hub.calendarConnected());
}

TEST_F(AppServicesTest, OverlappingSyncsRunOneAfterTheOtherAndStoreInOrder) {
    std::counting_semaphore<16> gate(0);
    world.gate = &gate;
    world.calendar = AuthorizationStatus::denied;
    AppServices hub(world.ports());
    int finished = 0;
    QObject::connect(&hub, &AppServices::syncFinished, [&] { ++finished; });

    hub.start();  // its sync is the first
    ASSERT_TRUE(test::spinUntil([&] { return world.readsStarted == 1; }));
    // Asked for three more times while the first read waits: one more sync.
    hub.syncEventData();
    world.storeChanged();
    hub.syncEventData();
    for (int i = 0; i < 5; ++i) test::spinOnce();
    EXPECT_EQ(world.readsStarted, 1);  // the second has not started beside the first

    gate.release();
    ASSERT_TRUE(test::spinUntil([&] { return world.readsStarted == 2; }));
    EXPECT_EQ(world.storedNow(), (std::vector<std::string>{"reminders:1"}));
    gate.release();
    ASSERT_TRUE(test::spinUntil([&] { return finished == 2; }));
    for (int i = 0; i < 5; ++i) test::spinOnce();
    EXPECT_EQ(finished, 2);
    EXPECT_EQ(world.storedNow(), (std::vector<std::string>{"reminders:1", "reminders:2"}));
    EXPECT_EQ(world.reloads, joined(kReminderKinds, kReminderKinds));
}

TEST_F(AppServicesTest, TheExtensionsReloadMessageReloadsAllTimelinesOnce) {
    ASSERT_FALSE(test::privateBusAddress().empty());
    AppServices hub(world.ports());
    hub.start();
    ASSERT_TRUE(test::spinUntil([&] { return !world.reloads.empty(); }));  // the start's sync
    world.reloads.clear();

    // A second name posted after the first is heard after it: once it is
    // in, any duplicate reload would be too.
    bool marker = false;
    auto heard = bus::observe("plyx.test.marker", [&] { marker = true; });
    ASSERT_TRUE(bus::post(AppServices::kReloadNotification));
    ASSERT_TRUE(bus::post("plyx.test.marker"));
    ASSERT_TRUE(test::spinUntil([&] { return marker; }));
    for (int i = 0; i < 3; ++i) test::spinOnce();
    EXPECT_EQ(world.reloads, (std::vector<std::string>{"*"}));
}

TEST_F(AppServicesTest, ConnectingAsksOffTheMainThreadThenSyncs) {
    world.reminders = AuthorizationStatus::denied;
    AppServices hub(world.ports());
    std::vector<bool> flags;
    QObject::connect(&hub, &AppServices::remindersConnectedChanged, [&](bool v) { flags.push_back(v); });
    int finished = 0;
    QObject::connect(&hub, &AppServices::syncFinished, [&] { ++finished; });
    world.reminders = AuthorizationStatus::fullAccess;  // the user grants it
    hub.connectReminders();
    ASSERT_TRUE(test::spinUntil([&] { return finished == 1; }));
    EXPECT_EQ(flags, std::vector<bool>{true});
    EXPECT_EQ(world.storedNow(), (std::vector<std::string>{"reminders:1", "calendar"}));
}

TEST_F(AppServicesTest, ASourceConnectedAfterStartIsSyncedWhenItsFileChanges) {
    // Nothing configured at start; the user connects a file later.
    test::TempDir dir;
    const std::filesystem::path file = dir.path() / "tasks.ics";
    test::writeFile(file, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
    auto suite = SharedStorage::suite();
    events::setConfiguredSources(suite, {});
    const ServicePorts live = ServicePorts::live();
    ServicePorts ports = world.ports();
    ports.observeEventStore = live.observeEventStore;
    ports.refreshEventStoreWatch = live.refreshEventStoreWatch;
    ports.requestRemindersAccess = [file] {
        auto s = SharedStorage::suite();
        events::setConfiguredSources(s, {file});
        return true;
    };
    AppServices hub(std::move(ports));
    int finished = 0;
    QObject::connect(&hub, &AppServices::syncFinished, [&] { ++finished; });
    hub.start();
    ASSERT_TRUE(test::spinUntil([&] { return finished == 1; }));
    hub.connectReminders();
    ASSERT_TRUE(test::spinUntil([&] { return finished == 2; }));
    const int reads = world.readsStarted;

    test::writeFile(file, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example Corp.//Tasks//EN\r\nEND:VCALENDAR\r\n");
    ASSERT_TRUE(test::spinUntil([&] { return finished == 3; }));
    EXPECT_EQ(world.readsStarted, reads + 1);
    events::setConfiguredSources(suite, {});
}

} // namespace
} // namespace plyx
