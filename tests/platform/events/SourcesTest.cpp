#include "platform/events/EventSources.h"
#include "platform/events/EventStoreObserver.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

using namespace plyx;
using namespace plyx::events;
namespace fs = std::filesystem;

namespace {

const fs::path kFixtures = PLYX_FIXTURES;

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "plyx_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication a(argc, argv);
    return a;
}

// A home and data folder of its own, and a suite in it.
struct World {
    test::TempDir home;
    test::ScopedEnv homeEnv{"HOME", home.path().string()};
    test::ScopedEnv dataEnv{"XDG_DATA_HOME", (home.path() / "data").string()};
    store::Defaults suite = *store::Defaults::suite("events-test");
    int asked = 0;
    ~World() { setSourceAsker({}); }
};

// Runs the event loop until `observer` reports or a generous limit passes.
int changesAfter(EventStoreObserver& observer, const std::function<void()>& change) {
    int count = 0;
    QEventLoop loop;
    QObject::connect(&observer, &EventStoreObserver::storeChanged, &loop, [&] {
        ++count;
        loop.quit();
    });
    change();
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    // Whatever the watcher still had queued is handled now.
    QCoreApplication::processEvents();
    return count;
}

} // namespace

TEST(EventSources, TheConfiguredListRoundTripsAndBadValuesReadAsNone) {
    World w;
    EXPECT_TRUE(configuredSources(w.suite).empty());
    setConfiguredSources(w.suite, {"/a/b", "/c.ics"});
    EXPECT_EQ(configuredSources(w.suite), (std::vector<fs::path>{"/a/b", "/c.ics"}));
    w.suite.setData(kSourcesKey, "{not json");
    EXPECT_TRUE(configuredSources(w.suite).empty());
    setConfiguredSources(w.suite, {});
    EXPECT_FALSE(w.suite.contains(kSourcesKey));
}

TEST(EventSources, AccessRequestsLookInTheUsualPlacesBeforeAskingTheUser) {
    {
        // Nothing anywhere and no one to ask: refused, nothing stored.
        World w;
        EXPECT_FALSE(requestFullAccess(EntityType::reminder, w.suite));
        EXPECT_FALSE(w.suite.contains(kSourcesKey));
    }
    {
        // The user declines.
        World w;
        setSourceAsker([&](EntityType) -> std::optional<fs::path> {
            ++w.asked;
            return std::nullopt;
        });
        EXPECT_FALSE(requestFullAccess(EntityType::event, w.suite));
        EXPECT_EQ(w.asked, 1);
    }
    {
        // The user picks a file.
        World w;
        const fs::path picked = kFixtures / "evolution" / "tasks.ics";
        setSourceAsker([&](EntityType type) -> std::optional<fs::path> {
            ++w.asked;
            EXPECT_EQ(type, EntityType::reminder);
            return picked;
        });
        EXPECT_TRUE(requestFullAccess(EntityType::reminder, w.suite));
        EXPECT_EQ(configuredSources(w.suite), std::vector<fs::path>{picked});
        // Granted once, later requests neither look nor ask.
        EXPECT_TRUE(requestFullAccess(EntityType::event, w.suite));
        EXPECT_EQ(w.asked, 1);
    }
    {
        // A desktop calendar's local files and a vdir are found without
        // asking; a configured source that vanished is dropped.
        World w;
        const fs::path evo = w.home.path() / "data" / "evolution";
        test::writeFile(evo / "calendar" / "system" / "calendar.ics", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
        fs::create_directories(w.home.path() / ".calendars" / "personal");
        setConfiguredSources(w.suite, {w.home.path() / "gone"});
        setSourceAsker([&](EntityType) -> std::optional<fs::path> {
            ++w.asked;
            return std::nullopt;
        });
        EXPECT_TRUE(requestFullAccess(EntityType::event, w.suite));
        EXPECT_EQ(w.asked, 0);
        EXPECT_EQ(configuredSources(w.suite),
                  (std::vector<fs::path>{w.home.path() / ".calendars", evo / "calendar" / "system" / "calendar.ics"}));
    }
}

TEST(EventStoreObserver, ABurstOfWritesIsReportedOnce) {
    app();
    test::TempDir dir;
    const fs::path calendar = dir.path() / "personal";
    fs::create_directories(calendar);
    EventStoreObserver observer({dir.path()}, 200);
    EXPECT_TRUE(observer.watched().contains(QString::fromStdString(calendar.string())));

    // A sync tool writing fifty items.
    EXPECT_EQ(changesAfter(observer,
                           [&] {
                               for (int i = 0; i < 50; ++i)
                                   test::writeFile(calendar / ("item-" + std::to_string(i) + ".ics"),
                                                   "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
                           }),
              1);

    // A calendar folder made later is watched too.
    EXPECT_EQ(changesAfter(observer, [&] { fs::create_directories(dir.path() / "work"); }), 1);
    EXPECT_TRUE(observer.watched().contains(QString::fromStdString((dir.path() / "work").string())));
    EXPECT_EQ(changesAfter(observer, [&] { test::writeFile(dir.path() / "work" / "a.ics", "x"); }), 1);
}

TEST(EventStoreObserver, ASingleFileSourceReplacedByRenameIsStillWatched) {
    app();
    test::TempDir dir;
    const fs::path file = dir.path() / "calendar.ics";
    test::writeFile(file, "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    EventStoreObserver observer({file}, 100);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(changesAfter(observer,
                               [&] {
                                   test::writeFile(dir.path() / "calendar.ics.tmp", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
                                   fs::rename(dir.path() / "calendar.ics.tmp", file);
                               }),
                  1);
    }
}

TEST(EventStoreObserver, ASourceConnectedAfterStartIsWatchedOnceTheSourcesAreAskedAgain) {
    app();
    test::TempDir dir;
    const fs::path file = dir.path() / "calendar.ics";
    test::writeFile(file, "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    std::vector<fs::path> configured;
    EventStoreObserver observer([&] { return configured; }, 100);
    EXPECT_TRUE(observer.watched().isEmpty());

    configured = {file};
    observer.refreshSources();
    EXPECT_TRUE(observer.watched().contains(QString::fromStdString(file.string())));
    EXPECT_EQ(changesAfter(observer, [&] { test::writeFile(file, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n"); }),
              1);
}
