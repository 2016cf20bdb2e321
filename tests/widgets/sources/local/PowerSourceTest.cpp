#include "widgets/sources/local/PowerSource.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace plyx {
namespace {

namespace fs = std::filesystem;
using Battery = PowerSource::InternalBattery;
using Entry = PowerSnapshot::LogEntry;
const fs::path kFixtures = fs::path(PLYX_SOURCE_DIR) / "tests/platform/system/fixtures";

TEST(PowerSource, RemainingTimeText) {
    const std::pair<std::int64_t, const char*> cases[] = {{1, "1M"}, {45, "45M"}, {59, "59M"}, {60, "1H 0M"},
                                                          {135, "2H 15M"}, {605, "10H 5M"}};
    for (const auto& [minutes, text] : cases) EXPECT_EQ(PowerSource::remainingText(minutes), text) << minutes;
}

sys::PowerSupply battery(std::string status) {
    sys::PowerSupply s;
    s.name = "BAT0";
    s.type = "Battery";
    s.status = std::move(status);
    return s;
}

sys::PowerSupply adapter(std::int64_t online) {
    sys::PowerSupply s;
    s.name = "AC";
    s.type = "Mains";
    s.online = online;
    return s;
}

TEST(PowerSource, InternalBatteryChargeAndRemainingTime) {
    struct Case {
        const char* what;
        std::vector<sys::PowerSupply> supplies;
        std::optional<Battery> expected;
    };
    auto energy = [](const char* status, std::int64_t now, std::int64_t full, std::optional<std::int64_t> power) {
        auto s = battery(status);
        s.energyNow = now, s.energyFull = full, s.powerNow = power;
        return s;
    };
    auto charge = [](const char* status, std::int64_t now, std::int64_t full, std::int64_t current) {
        auto s = battery(status);
        s.chargeNow = now, s.chargeFull = full, s.currentNow = current;
        return s;
    };
    auto withCapacity = [](sys::PowerSupply s, std::int64_t c) {
        s.capacity = c;
        return s;
    };
    auto deviceScope = [](sys::PowerSupply s) {
        s.scope = "Device";
        return s;
    };
    auto onAdapter = [](sys::PowerSupply s) { return std::vector<sys::PowerSupply>{adapter(1), std::move(s)}; };
    auto offAdapter = [](sys::PowerSupply s) { return std::vector<sys::PowerSupply>{adapter(0), std::move(s)}; };
    auto alone = [](sys::PowerSupply s) { return std::vector<sys::PowerSupply>{std::move(s)}; };
    const Case cases[] = {
        {"4120 of 5000", alone(energy("Discharging", 4120, 5000, std::nullopt)), Battery{82, false, {}, false}},
        {"82.5 rounds up", alone(energy("Discharging", 4125, 5000, std::nullopt)), Battery{83, false, {}, false}},
        {"12.5 rounds up", alone(charge("Discharging", 1, 8, 0)), Battery{13, false, {}, false}},
        // The kernel truncates its percentage; the counters say 82.5.
        {"the counters win over the kernel's percentage",
         alone(withCapacity(energy("Discharging", 4125, 5000, std::nullopt), 82)), Battery{83, false, {}, false}},
        {"the kernel's percentage without counters", alone(withCapacity(battery("Discharging"), 40)),
         Battery{40, false, {}, false}},
        {"counters past full read 100", onAdapter(energy("Full", 5100, 5000, 0)), Battery{100, false, {}, true}},
        {"135 minutes to full", onAdapter(energy("Charging", 2'750'000, 5'000'000, 1'000'000)),
         Battery{55, true, "2H 15M", true}},
        {"45 minutes to empty", offAdapter(energy("Discharging", 750'000, 5'000'000, 1'000'000)),
         Battery{15, false, "45M", false}},
        {"60 minutes to empty, current signed by direction",
         offAdapter(charge("Discharging", 1'000'000, 5'000'000, -1'000'000)), Battery{20, false, "1H 0M", false}},
        {"under a minute left: no estimate", alone(energy("Discharging", 10, 5'000'000, 1'000'000)),
         Battery{0, false, {}, false}},
        // On the adapter and not charging: on power, with no time to tell
        // although the driver reports a trickle.
        {"full on the adapter", onAdapter(energy("Full", 5'000'000, 5'000'000, 1000)), Battery{100, false, {}, true}},
        {"held at a limit on the adapter", onAdapter(energy("Not charging", 4'000'000, 5'000'000, 1000)),
         Battery{80, false, {}, true}},
        // Without an adapter in the list, the battery's status tells.
        {"full, no adapter listed", alone(energy("Full", 5'000'000, 5'000'000, 0)), Battery{100, false, {}, true}},
        {"not charging, no adapter listed", alone(energy("Not charging", 4'000'000, 5'000'000, 0)),
         Battery{80, false, {}, true}},
        {"the adapter outranks the status", offAdapter(energy("Not charging", 4'000'000, 5'000'000, 0)),
         Battery{80, false, {}, false}},
        {"a zero maximum is no battery", alone(energy("Discharging", 0, 0, 0)), std::nullopt},
        {"a device's battery is not the computer's", alone(deviceScope(withCapacity(battery("Discharging"), 50))),
         std::nullopt},
        {"no charge reading", alone(battery("Charging")), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(PowerSource::internalBattery(c.supplies), c.expected) << c.what;

    // The first battery that passes is the one.
    auto broken = battery("Charging");
    auto second = withCapacity(battery("Discharging"), 64);
    second.name = "BAT1";
    EXPECT_EQ(PowerSource::internalBattery({broken, second}), (Battery{64, false, {}, false}));
}

TEST(PowerSource, FixtureMachines) {
    // energy 41.2 of 50 Wh charging at 4 W: 8.8 Wh to go, 132 minutes.
    EXPECT_EQ(PowerSource::readInternalBattery(kFixtures / "laptop-charging"), (Battery{82, true, "2H 12M", true}));
    // 4.125 of 5 Ah at 1.5 A: 165 minutes to empty.
    EXPECT_EQ(PowerSource::readInternalBattery(kFixtures / "laptop-discharging"), (Battery{83, false, "2H 45M", false}));
    EXPECT_EQ(PowerSource::readInternalBattery(kFixtures / "laptop-full"), (Battery{100, false, {}, true}));
    // Held at a charge limit: the kernel says 79, the counters 79.98.
    EXPECT_EQ(PowerSource::readInternalBattery(kFixtures / "laptop-charge-limit"), (Battery{80, false, {}, true}));
    EXPECT_EQ(PowerSource::readInternalBattery(kFixtures / "desktop"), std::nullopt);
    EXPECT_EQ(PowerSource::readBluetoothDevices(kFixtures / "desktop"),
              (std::vector<PowerSnapshot::Device>{{"Mouse", 55}}));
    EXPECT_TRUE(PowerSource::readBluetoothDevices(kFixtures / "laptop-charging").empty());
}

TEST(PowerSource, DeviceNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"Wireless MOUSE M185", "Mouse"},
        {"Magic Keyboard with Trackpad", "Keyboard"},
        {"Ergo trackpad", "Trackpad"},
        {"Studio Headphones", "Studio Headphones"},
        {"", "Device"},
    };
    for (const auto& [product, name] : cases) EXPECT_EQ(PowerSource::deviceName(product), name) << product;
}

TEST(PowerSource, SnapshotMergesStoredPeripherals) {
    test::FreshStorage storage;
    test::TempDir root;
    const fs::path ps = root.path() / "sys/class/power_supply";
    test::writeFile(ps / "BAT0/type", "Battery\n");
    test::writeFile(ps / "BAT0/status", "Discharging\n");
    test::writeFile(ps / "BAT0/capacity", "68\n");
    test::writeFile(ps / "hid-kbd/type", "Battery\n");
    test::writeFile(ps / "hid-kbd/scope", "Device\n");
    test::writeFile(ps / "hid-kbd/model_name", "Slim Keyboard\n");
    test::writeFile(ps / "hid-kbd/capacity", "80\n");
    SharedStorage::suite().setData(StorageKeys::btBatteries,
                                   R"([{"name":"Keyboard","percent":84},{"name":"Headset","percent":60},)"
                                   R"({"name":"Headset","percent":10}])");
    const PowerSnapshot s = PowerSource::snapshot(root.path());
    EXPECT_EQ(s.devices, (std::vector<PowerSnapshot::Device>{{"Laptop", 68}, {"Keyboard", 80}, {"Headset", 60}}));
    EXPECT_EQ(s.percent, 68);
    EXPECT_FALSE(s.isCharging);
    ASSERT_EQ(s.log.size(), 1u);
    EXPECT_EQ(s.log[0].message, "68%");

    // An undecodable stored list counts as empty.
    SharedStorage::suite().setData(StorageKeys::btBatteries, R"([{"name":"Headset"}])");
    EXPECT_EQ(PowerSource::snapshot(root.path()).devices,
              (std::vector<PowerSnapshot::Device>{{"Laptop", 68}, {"Keyboard", 80}}));
}

TEST(PowerSource, DesktopHasNoLog) {
    test::FreshStorage storage;
    SharedStorage::suite().setData(StorageKeys::btBatteries, R"([{"name":"Keyboard","percent":84}])");
    const PowerSnapshot s = PowerSource::snapshot(kFixtures / "desktop");
    EXPECT_EQ(s.percent, 100);
    EXPECT_TRUE(s.isCharging);
    EXPECT_FALSE(s.remaining);
    EXPECT_TRUE(s.log.empty());
    EXPECT_EQ(s.devices, (std::vector<PowerSnapshot::Device>{{"Mouse", 55}, {"Keyboard", 84}}));
    EXPECT_FALSE(SharedStorage::suite().contains(StorageKeys::powerLog));
}

class PowerLogTest : public ::testing::Test {
protected:
    test::FreshStorage storage;
    // 2026-12-10 15:00 UTC.
    Date now = time::dateFrom(2026, 12, 10, 15, 0, 0, "UTC");
    test::FakeClock clock{now};

    void store(const PowerLog::Record& r) { ASSERT_TRUE(SharedStorage::write(StorageKeys::powerLog, r)); }
    static std::vector<std::string> messages(const std::vector<Entry>& log) {
        std::vector<std::string> out;
        for (const auto& e : log) out.push_back(e.message);
        return out;
    }
};

TEST_F(PowerLogTest, EventsFromThePreviousReading) {
    struct Case {
        const char* what;
        std::int64_t lastPercent;
        bool lastCharging;
        double minutesAgo;
        std::int64_t percent;
        bool charging;
        bool onPower;
        const char* remaining;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"connected", 50, false, 5, 51, true, true, nullptr, {"Connected to power", "51%"}},
        {"disconnected after half an hour", 80, true, 30, 79, false, false, nullptr,
         {"Disconnected \u00B7 Drain 2%/h", "79%"}},
        {"disconnected ten minutes after", 80, true, 10, 79, false, false, nullptr, {"Disconnected from power", "79%"}},
        {"a charge that rose drains 0", 50, true, 60, 60, false, false, nullptr, {"Disconnected \u00B7 Drain 0%/h", "60%"}},
        {"fully charged", 99, true, 5, 100, true, true, nullptr, {"Fully charged at 100%", "100%"}},
        {"still full", 100, true, 5, 100, true, true, nullptr, {"100%"}},
        {"unplugged as it reached full", 99, true, 60, 100, false, false, nullptr,
         {"Disconnected \u00B7 Drain 0%/h", "Fully charged at 100%", "100%"}},
        {"no change", 68, false, 5, 67, false, false, "2H 40M", {"67% \u00B7 2H 40M remaining"}},
        // Charging stops on the adapter: "Full" and "Not charging" (a charge
        // limit) are still on power, and nothing was disconnected.
        {"full on power", 99, true, 60, 100, false, true, nullptr, {"Fully charged at 100%", "100%"}},
        {"held at a limit on power", 80, true, 60, 80, false, true, nullptr, {"80%"}},
        {"plugged in at the limit", 80, false, 60, 80, false, true, nullptr, {"Connected to power", "80%"}},
    };
    for (const auto& c : cases) {
        // The stored present-charge line is never carried over as an event.
        store({{{now - 600, "70%", true}}, c.lastPercent, c.lastCharging, now - c.minutesAgo * 60});
        const Battery reading{c.percent, c.charging,
                              c.remaining ? std::optional<std::string>(c.remaining) : std::nullopt, c.onPower};
        const auto log = PowerLog::record(reading);
        EXPECT_EQ(messages(log), c.expected) << c.what;
        ASSERT_FALSE(log.empty());
        EXPECT_TRUE(log.back().isCurrent) << c.what;
        for (std::size_t i = 0; i + 1 < log.size(); ++i) {
            EXPECT_FALSE(log[i].isCurrent) << c.what;
            EXPECT_EQ(log[i].time, now) << c.what;
        }
        const auto stored = SharedStorage::read<PowerLog::Record>(StorageKeys::powerLog);
        ASSERT_TRUE(stored) << c.what;
        EXPECT_EQ(*stored, (PowerLog::Record{log, c.percent, c.onPower, now})) << c.what;
    }
}

TEST_F(PowerLogTest, FirstReadingOfTheDayAndOfAllTime) {
    const auto first = PowerLog::record(Battery{68, false, "2H 40M", false});
    EXPECT_EQ(first, (std::vector<Entry>{{now, "68% \u00B7 2H 40M remaining", true}}));
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::powerLog),
              R"({"entries":[{"time":)" + coding::numberText(now.sinceReferenceDate) +
                  R"(,"message":"68% · 2H 40M remaining","isCurrent":true}],"lastPercent":68,"lastCharging":false,"lastAt":)" +
                  coding::numberText(now.sinceReferenceDate) + "}");

    // Yesterday's log is not continued, and no event comes from yesterday's
    // last reading although the charging state differs.
    const Date yesterday = now - 86400;
    store({{{yesterday, "Connected to power", false}, {yesterday, "90%", true}}, 90, false, yesterday});
    EXPECT_EQ(messages(PowerLog::record(Battery{95, true, {}, true})), (std::vector<std::string>{"95%"}));

    // The day is the local one: 23:30 in New York is still the 9th there.
    time::setCurrentZone("America/New_York");
    const Date late = time::dateFrom(2026, 12, 9, 23, 30, 0, "America/New_York");
    store({{{late - 3600, "Disconnected from power", false}, {late - 3600, "90%", true}}, 90, false, late - 3600});
    now = late;
    clock.set(now);
    EXPECT_EQ(messages(PowerLog::record(Battery{95, true, {}, true})),
              (std::vector<std::string>{"Disconnected from power", "Connected to power", "95%"}));
    time::setCurrentZone("UTC");
}

TEST_F(PowerLogTest, KeepsTheLastSixEvents) {
    PowerLog::Record r;
    for (int i = 0; i < 6; ++i) r.entries.push_back({now - 3600 + i, "event " + std::to_string(i), false});
    r.entries.push_back({now - 60, "50%", true});
    r.lastPercent = 50;
    r.lastCharging = false;
    r.lastAt = now - 60;
    store(r);
    EXPECT_EQ(messages(PowerLog::record(Battery{51, true, {}, true})),
              (std::vector<std::string>{"event 1", "event 2", "event 3", "event 4", "event 5", "Connected to power",
                                        "51%"}));
}

TEST_F(PowerLogTest, NoReadingTouchesNothing) {
    SharedStorage::suite().setData(StorageKeys::powerLog, "not json");
    EXPECT_TRUE(PowerLog::record(std::nullopt).empty());
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::powerLog), "not json");
    // An undecodable record counts as none and is replaced.
    EXPECT_EQ(messages(PowerLog::record(Battery{40, false, {}, false})), (std::vector<std::string>{"40%"}));
    EXPECT_TRUE(SharedStorage::read<PowerLog::Record>(StorageKeys::powerLog));
}

// A damaged record can hold any 64-bit percent: the drain rate saturates
// instead of overflowing, and the log goes on.
TEST_F(PowerLogTest, ADamagedRecordSaturatesTheDrainRate) {
    const std::pair<const char*, const char*> cases[] = {
        {"9223372036854775807", "Disconnected \u00B7 Drain 9223372036854775807%/h"},
        {"-9223372036854775808", "Disconnected \u00B7 Drain 0%/h"},
        {"4611686018427387904", "Disconnected \u00B7 Drain 9223372036854775807%/h"},
    };
    for (const auto& [lastPercent, event] : cases) {
        const std::string at = coding::numberText((now - 1800).sinceReferenceDate);
        SharedStorage::suite().setData(StorageKeys::powerLog,
                                       std::string(R"({"entries":[{"time":)") + at +
                                           R"(,"message":"1%","isCurrent":true}],"lastPercent":)" + lastPercent +
                                           R"(,"lastCharging":true,"lastAt":)" + at + "}");
        EXPECT_EQ(messages(PowerLog::record(Battery{50, false, {}, false})),
                  (std::vector<std::string>{event, "50%"}))
            << lastPercent;
        const auto stored = SharedStorage::read<PowerLog::Record>(StorageKeys::powerLog);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->lastPercent, 50);
    }
}

TEST_F(PowerLogTest, ReadAndWriteAreOneStoreUpdate) {
    // Another widget's update is under way (it holds the store) when this
    // one asks. This one must read the record that update leaves, not the one
    // before it, or its write would wipe the other's event.
    std::vector<Entry> log;
    std::thread widget;
    SharedStorage::suite().update(StorageKeys::powerLog, [&](std::optional<std::string>) {
        widget = std::thread([&] { log = PowerLog::record(Battery{50, true, {}, true}); });
        // Give the other request time to reach its read; it must wait for us.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        PowerLog::Record other{{{now - 1, "Disconnected from power", false}, {now - 1, "50%", true}}, 50, false, now - 1};
        return coding::encode(other);
    });
    widget.join();
    EXPECT_EQ(messages(log), (std::vector<std::string>{"Disconnected from power", "Connected to power", "50%"}));
    const auto stored = SharedStorage::read<PowerLog::Record>(StorageKeys::powerLog);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->entries, log);
}

} // namespace
} // namespace plyx
