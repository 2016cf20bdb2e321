// Peripheral batteries from a fake UPower on the test's private bus (a mouse,
// a headset and a phone beside the computer's own power; none; no UPower at
// all), and the combining and naming rules of a read, as tables.
#include "shared/collectors/PeripheralBatteryPoller.h"

#include "FakeUPower.h"
#include "platform/system/PeripheralBatteries.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/identity/AppIdentity.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <QtConcurrent/QtConcurrentRun>

#include <gtest/gtest.h>

namespace plyx {
namespace {

using Devices = std::vector<PowerSnapshot::Device>;
using nlohmann::json;

json section(json connected) { return json::array({{{"device_connected", std::move(connected)}}}); }

TEST(PeripheralBatteryRules, NamesDropTheOwnerPrefix) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Ann\u2019s AirPods Pro", "AirPods Pro"},
        {"Ann's Mouse", "Mouse"},
        {"Ann\u2019s Bob's Keyboard", "Keyboard"},
        {"Ann\u2019s ", ""},
        {"  MX Master 3\t", "MX Master 3"},
        {"Charles", "Charles"},
    };
    for (const auto& [key, name] : cases) EXPECT_EQ(PeripheralBatteryPoller::shortName(key), name) << key;
}

TEST(PeripheralBatteryRules, PercentReadsTextsWithoutSignsAndIntegralNumbers) {
    const std::vector<std::pair<json, std::optional<std::int64_t>>> cases = {
        {"80%", 80}, {" 75 % ", 75}, {"+5", 5}, {"-3", -3}, {"120", 120}, {"abc%", std::nullopt},
        {"", std::nullopt}, {"%", std::nullopt}, {"+-1", std::nullopt}, {"7.5", std::nullopt},
        {90, 90}, {90.0, 90}, {90.5, std::nullopt}, {true, std::nullopt}, {nullptr, std::nullopt},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(PeripheralBatteryPoller::percent(&value), expected) << value;
    EXPECT_EQ(PeripheralBatteryPoller::percent(nullptr), std::nullopt);
}

TEST(PeripheralBatteryRules, PairsGiveTheirLowerSideAndTheirCaseOthersTheirSingleLevel) {
    const json read = section({
        {{"Ann\u2019s Buds", {{"device_batteryLevelLeft", "80%"}, {"device_batteryLevelRight", "75 %"}, {"device_batteryLevelCase", "40%"}}}},
        {{"Pods", {{"device_batteryLevelLeft", 80}, {"device_batteryLevel", "55%"}}}},
        {{"Only Left", {{"device_batteryLevelLeft", 30}}}},
        {{"Mouse", {{"device_batteryLevelMain", 20}, {"device_batteryLevel", 99}}}},
        {{"Keyboard", {{"device_batteryLevel", "x%"}}}},
        {{"Not properties", 5}},
    });
    EXPECT_EQ(PeripheralBatteryPoller::devices(read),
              (Devices{{"Buds", 75}, {"Buds Case", 40}, {"Mouse", 20}, {"Pods", 55}}));
    EXPECT_EQ(PeripheralBatteryPoller::devices(json::array()), Devices{});
    EXPECT_EQ(PeripheralBatteryPoller::devices(json::array({{{"device_connected", 3}}})), Devices{});
}

class PeripheralBatteries : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
        test::coreApp();
        AppIdentity::configurePlatform(AppIdentity::Program::application);
        reloads_ = std::make_unique<widgetkit::WidgetReloadListener>(
            [this](const std::optional<std::string>& kind) { heard_.push_back(kind.value_or("all")); });
        ASSERT_TRUE(reloads_->isListening());
    }
    // The poller reading UPower on the private bus, standing in for the system bus.
    static PeripheralBatteryPoller::Reader reader() {
        return PeripheralBatteryPoller::upowerOn([] {
            return QDBusConnection::connectToBus(QString::fromStdString(test::privateBusAddress()), "upower-client");
        });
    }
    // One poll to its end, and the four reloads after it.
    void pollOnce(PeripheralBatteryPoller& poller) {
        heard_.clear();
        bool done = false;
        auto c = QObject::connect(&poller, &PeripheralBatteryPoller::polled, [&] { done = true; });
        poller.poll();
        ASSERT_TRUE(test::spinUntil([&] { return done && heard_.size() == 4; }));
        QObject::disconnect(c);
        EXPECT_EQ(heard_, (std::vector<std::string>{"plyx.battery.devices", "plyx.battery.ring", "plyx.battery.percent",
                                                    "plyx.battery.log"}));
    }
    static std::optional<Devices> stored() { return SharedStorage::read<Devices>(StorageKeys::btBatteries); }

    test::FreshStorage storage_;
    std::vector<std::string> heard_;
    std::unique_ptr<widgetkit::WidgetReloadListener> reloads_;
};

TEST_F(PeripheralBatteries, UPowerListsPeripheralsButNotTheComputersOwnPower) {
    test::FakeUPower upower(test::privateBusAddress(), {
                                                           {1, "", 0, true},                  // line power
                                                           {2, "Laptop Battery", 64, true},   // the computer's own
                                                           {5, "Ann\u2019s MX Master 3", 57, false},
                                                           {17, "WH-1000XM4", 80, false},
                                                           {8, "Pixel 7", 42.4, false},
                                                           {6, "", 30, false},                // no model name
                                                       });
    ASSERT_TRUE(upower.isRegistered());
    auto read = QtConcurrent::run([] {
        return system::readPeripheralBatteries(
            QDBusConnection::connectToBus(QString::fromStdString(test::privateBusAddress()), "upower-reader"));
    });
    ASSERT_TRUE(test::spinUntil([&] { return read.isFinished(); }));
    const auto batteries = read.result();
    ASSERT_TRUE(batteries);
    std::vector<std::string> names;
    for (const auto& b : *batteries) names.push_back(b.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Ann\u2019s MX Master 3", "WH-1000XM4", "Pixel 7", "Keyboard"}));

    PeripheralBatteryPoller poller(reader());
    pollOnce(poller);
    EXPECT_EQ(stored(), (Devices{{"Keyboard", 30}, {"MX Master 3", 57}, {"Pixel 7", 42}, {"WH-1000XM4", 80}}));
}

TEST_F(PeripheralBatteries, UPowerWithoutPeripheralsStoresAnEmptyList) {
    SharedStorage::write(StorageKeys::btBatteries, Devices{{"Mouse", 50}});
    test::FakeUPower upower(test::privateBusAddress(), {{2, "Laptop Battery", 64, true}});
    ASSERT_TRUE(upower.isRegistered());
    PeripheralBatteryPoller poller(reader());
    pollOnce(poller);
    EXPECT_EQ(stored(), Devices{});
    EXPECT_EQ(SharedStorage::suite().data(StorageKeys::btBatteries), "[]");
}

TEST_F(PeripheralBatteries, AFailedReadKeepsTheStoredListAndStillReloads) {
    SharedStorage::write(StorageKeys::btBatteries, Devices{{"Mouse", 50}});
    PeripheralBatteryPoller poller(reader());  // no UPower on the bus
    pollOnce(poller);
    EXPECT_EQ(stored(), (Devices{{"Mouse", 50}}));
}

TEST_F(PeripheralBatteries, OnePollRunsAtATime) {
    std::atomic<int> reads{0};
    std::atomic<bool> release{false};
    PeripheralBatteryPoller poller([&]() -> std::optional<json> {
        ++reads;
        while (!release) QThread::yieldCurrentThread();
        return section({{{"Mouse", {{"device_batteryLevel", 10}}}}});
    });
    bool done = false;
    QObject::connect(&poller, &PeripheralBatteryPoller::polled, [&] { done = true; });
    poller.start();
    poller.start();  // a second start adds no timer and no poll
    poller.poll();   // a tick while the first read runs
    EXPECT_TRUE(poller.isPolling());
    EXPECT_EQ(poller.findChildren<QTimer*>().size(), 1u);
    release = true;
    ASSERT_TRUE(test::spinUntil([&] { return done; }));
    EXPECT_EQ(reads.load(), 1);
    EXPECT_FALSE(poller.isPolling());
    EXPECT_EQ(stored(), (Devices{{"Mouse", 10}}));
}

} // namespace
} // namespace plyx
