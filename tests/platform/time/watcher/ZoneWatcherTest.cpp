// The system zone followed while the program runs: the zone file's link
// replaced as zone tools replace it, and the time-date service announcing a
// zone. TZ in the environment fixes the zone for good.
#include "platform/time/Time.h"
#include "platform/time/ZoneWatcher.h"

#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include <gtest/gtest.h>

#include <filesystem>

namespace plyx {
namespace {

namespace fs = std::filesystem;

// A new link beside the old one, renamed over it: the old link never goes missing.
void relink(const fs::path& file, const std::string& target) {
    const fs::path fresh = file.parent_path() / ".localtime.new";
    fs::remove(fresh);
    fs::create_symlink(target, fresh);
    fs::rename(fresh, file);
}

class ZoneFollowing : public ::testing::Test {
protected:
    void SetUp() override {
        test::coreApp();
        time::setCurrentZone("");
        relink(file, "/usr/share/zoneinfo/Asia/Tokyo");
        time::setZoneFile(file);
    }
    void TearDown() override {
        time::setZoneFile("/etc/localtime");
        time::setCurrentZone("UTC");
    }

    test::ScopedEnv tz{"TZ", std::nullopt};
    test::TempDir etc;
    const fs::path file = etc.path() / "localtime";
    QStringList heard;
};

TEST_F(ZoneFollowing, AReplacedLinkIsReadAgainAndAnnouncedOnce) {
    EXPECT_EQ(time::currentZone(), "Asia/Tokyo");
    time::ZoneWatcher watcher;
    ASSERT_TRUE(watcher.isWatching());
    QObject::connect(&watcher, &time::ZoneWatcher::zoneChanged, [this](const QString& z) { heard << z; });

    // Relative, through the "posix" variant of the tree, as some tools write it.
    relink(file, "../usr/share/zoneinfo/posix/America/New_York");
    ASSERT_TRUE(test::spinUntil([&] { return !heard.isEmpty(); }));
    EXPECT_EQ(heard, QStringList{"America/New_York"});
    EXPECT_EQ(time::currentZone(), "America/New_York");

    // Removed, or pointing at nothing a zone is named by: the zone read before stays.
    fs::remove(file);
    fs::create_symlink("/opt/elsewhere/Mars", file);
    relink(file, "/usr/share/zoneinfo/Not/AZone");
    for (int i = 0; i < 20; ++i) test::spinOnce();
    EXPECT_EQ(heard.size(), 1);
    EXPECT_EQ(time::currentZone(), "America/New_York");

    relink(file, "/usr/share/zoneinfo/Europe/Paris");
    ASSERT_TRUE(test::spinUntil([&] { return heard.size() == 2; }));
    EXPECT_EQ(heard.back(), "Europe/Paris");
    EXPECT_EQ(time::currentZone(), "Europe/Paris");
}

TEST_F(ZoneFollowing, TheTimeDateServiceNamesTheZoneEvenForACopiedZoneFile) {
    if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
    // The zone file is a copy here: only the service can tell.
    fs::remove(file);
    test::writeFile(file, "TZif2");
    time::setZoneFile(file);
    time::adoptSystemZone("Asia/Tokyo");
    const QString address = QString::fromStdString(test::privateBusAddress());
    test::ScopedEnv systemBus("DBUS_SYSTEM_BUS_ADDRESS", test::privateBusAddress());
    time::ZoneWatcher watcher;
    QObject::connect(&watcher, &time::ZoneWatcher::zoneChanged, [this](const QString& z) { heard << z; });

    auto service = QDBusConnection::connectToBus(address, "fake-timedated");
    ASSERT_TRUE(service.isConnected());
    service.registerService("org.freedesktop.timedate1");
    auto announce = [&](const char* interface, const QString& zone) {
        auto signal = QDBusMessage::createSignal("/org/freedesktop/timedate1", "org.freedesktop.DBus.Properties",
                                                 "PropertiesChanged");
        signal << QString(interface) << QVariantMap{{"Timezone", QVariant::fromValue(QDBusVariant(zone))}}
               << QStringList{};
        service.send(signal);
    };
    // The first announcements may go out before the watcher's match is in
    // place. Each round, another service's change on the same kind of signal
    // goes first: it names no zone.
    ASSERT_TRUE(test::spinUntil([&] {
        if (heard.isEmpty()) {
            announce("org.freedesktop.locale1", "Europe/Paris");
            announce("org.freedesktop.timedate1", "Asia/Kolkata");
        }
        return !heard.isEmpty();
    }));
    EXPECT_EQ(heard.front(), "Asia/Kolkata");
    EXPECT_EQ(time::currentZone(), "Asia/Kolkata");
    QDBusConnection::disconnectFromBus("fake-timedated");
}

TEST_F(ZoneFollowing, TzInTheEnvironmentFixesTheZone) {
    test::ScopedEnv fixed("TZ", "Asia/Tokyo");
    const std::string zone = time::currentZone();
    time::ZoneWatcher watcher;
    EXPECT_FALSE(watcher.isWatching());
    relink(file, "/usr/share/zoneinfo/Europe/Paris");
    EXPECT_FALSE(time::refreshSystemZone());
    EXPECT_FALSE(time::adoptSystemZone("Europe/Paris"));
    EXPECT_EQ(time::currentZone(), zone);
    EXPECT_NE(time::currentZone(), "Europe/Paris");
}

} // namespace
} // namespace plyx
