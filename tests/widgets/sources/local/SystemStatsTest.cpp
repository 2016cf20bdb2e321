#include "widgets/sources/local/SystemStats.h"
#include "widgets/sources/local/PreviousSample.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>

namespace plyx {
namespace {

namespace fs = std::filesystem;
// The machine trees the system readers are tested on.
const fs::path kFixtures = fs::path(PLYX_SOURCE_DIR) / "tests/platform/system/fixtures";

class SystemStatsTest : public ::testing::Test {
protected:
    test::FreshStorage storage;
    test::TempDir root;
    test::FakeClock clock{Date{800'000'000}};

    void writeStat(std::uint64_t user, std::uint64_t system, std::uint64_t idle, std::uint64_t nice) {
        test::writeFile(root.path() / "proc/stat", "cpu  " + std::to_string(user) + " " + std::to_string(nice) + " " +
                                                       std::to_string(system) + " " + std::to_string(idle) +
                                                       " 0 0 0 0 0 0\n");
    }
    void writeNet(std::uint64_t in, std::uint64_t out) {
        const fs::path eth = root.path() / "sys/class/net/eth0";
        test::writeFile(eth / "statistics/rx_bytes", std::to_string(in) + "\n");
        test::writeFile(eth / "statistics/tx_bytes", std::to_string(out) + "\n");
        fs::create_directories(eth / "device");
    }
    std::optional<std::string> stored(const char* key) { return SharedStorage::suite().data(key); }
};

TEST_F(SystemStatsTest, ProcessorLoadFromThePreviousSample) {
    struct Step {
        const char* what;
        std::uint64_t user, system, idle, nice;
        std::optional<std::int64_t> expected;
    };
    const Step steps[] = {
        {"first call has nothing to compare", 1000, 500, 8000, 0, std::nullopt},
        {"busy 400 of 1000", 1300, 600, 8600, 0, 40},
        {"no tick in between", 1300, 600, 8600, 0, std::nullopt},
        {"nice counts as busy", 1300, 600, 8700, 100, 50},
        {"a counter below the stored one", 10, 10, 10, 0, std::nullopt},
        {"measures from the sample stored after the reset", 35, 10, 985, 0, 3}, // 2.5 rounds away from zero
        {"97.5 rounds up", 1010, 10, 1010, 0, 98},
    };
    for (const auto& s : steps) {
        writeStat(s.user, s.system, s.idle, s.nice);
        EXPECT_EQ(SystemStats::cpuPercent(root.path()), s.expected) << s.what;
        clock.advance(60);
    }
}

TEST_F(SystemStatsTest, ProcessorSampleIsStoredInItsExactForm) {
    writeStat(1000, 500, 8000, 0);
    clock.set(Date{12.5});
    EXPECT_FALSE(SystemStats::cpuPercent(root.path()));
    EXPECT_EQ(stored(StorageKeys::cpuTicks), R"({"user":1000,"system":500,"idle":8000,"nice":0,"at":12.5})");

    // Counters past the signed range survive the round trip.
    clock.advance(60);
    writeStat(18446744073709551000ull, 1, 2, 3);
    EXPECT_FALSE(SystemStats::cpuPercent(root.path()));
    const auto back = SharedStorage::read<SystemStats::CPUTicks>(StorageKeys::cpuTicks);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->user, 18446744073709551000ull);

    // Unreadable ticks: absent and the stored sample is left alone.
    const auto before = stored(StorageKeys::cpuTicks);
    clock.advance(60);
    EXPECT_FALSE(SystemStats::cpuPercent(root.path() / "nowhere"));
    EXPECT_EQ(stored(StorageKeys::cpuTicks), before);
}

TEST_F(SystemStatsTest, AnotherProcessMeasuresFromTheStoredSample) {
    // What another process left in a suite this one has not sampled into:
    // an undecodable sample counts as none and is replaced, a good one is
    // measured from.
    test::FreshStorage other;
    SharedStorage::suite().setData(StorageKeys::cpuTicks, R"({"user":-1,"system":0,"idle":0,"nice":0,"at":0})");
    writeStat(5, 5, 5, 5);
    EXPECT_FALSE(SystemStats::cpuPercent(root.path()));
    EXPECT_EQ(stored(StorageKeys::cpuTicks), R"({"user":5,"system":5,"idle":5,"nice":5,"at":800000000})");

    test::FreshStorage third;
    SharedStorage::suite().setData(StorageKeys::cpuTicks, R"({"user":1,"system":0,"idle":9,"nice":0,"at":0})");
    writeStat(5, 5, 9, 1);
    EXPECT_EQ(SystemStats::cpuPercent(root.path()), 100); // 10 busy ticks, none idle
}

TEST_F(SystemStatsTest, QuickRefreshesMeasureFromMemoryAndStoreLess) {
    using Sample = SystemStats::PreviousSample<SystemStats::CPUTicks>;
    writeStat(1000, 0, 1000, 0);
    EXPECT_FALSE(SystemStats::cpuPercent(root.path()));
    const auto first = stored(StorageKeys::cpuTicks);
    // Sooner than the store interval: measured from the sample just taken, not stored.
    clock.advance(Sample::kStoreEvery - 0.5);
    writeStat(1010, 0, 1030, 0);
    EXPECT_EQ(SystemStats::cpuPercent(root.path()), 25);
    EXPECT_EQ(stored(StorageKeys::cpuTicks), first);
    // The interval after the stored one: stored again.
    clock.advance(0.5);
    writeStat(1020, 0, 1040, 0);
    EXPECT_EQ(SystemStats::cpuPercent(root.path()), 50);
    EXPECT_EQ(SharedStorage::read<SystemStats::CPUTicks>(StorageKeys::cpuTicks)->user, 1020u);
    // The clock set back: stored at once, so the stored sample is never from the future.
    clock.advance(-30);
    writeStat(1030, 0, 1050, 0);
    EXPECT_EQ(SystemStats::cpuPercent(root.path()), 50);
    EXPECT_EQ(SharedStorage::read<SystemStats::CPUTicks>(StorageKeys::cpuTicks)->user, 1030u);
}

TEST_F(SystemStatsTest, NetworkRatesNeedMoreThanASecond) {
    struct Step {
        const char* what;
        double advance;
        std::uint64_t in, out;
        std::optional<NetworkSnapshot> expected;
    };
    const Step steps[] = {
        {"first call", 0, 1'000'000, 1'000'000, std::nullopt},
        {"0.8 s later", 0.8, 2'000'000, 1'500'000, std::nullopt},
        {"another 0.8 s: measured from the newer sample", 0.8, 3'000'000, 1'500'000, std::nullopt},
        {"2.0 s later", 2.0, 8'000'000, 2'500'000, NetworkSnapshot{2.5, 0.5}},
        {"exactly 1.0 s", 1.0, 9'000'000, 2'600'000, std::nullopt},
        {"received sum went down", 5.0, 100, 3'000'000, std::nullopt},
        {"measures from the sample after the drop", 4.0, 4'000'100, 3'000'000, NetworkSnapshot{1.0, 0.0}},
        {"the clock went backwards", -10.0, 5'000'000, 3'000'000, std::nullopt},
    };
    for (const auto& s : steps) {
        clock.advance(s.advance);
        writeNet(s.in, s.out);
        EXPECT_EQ(SystemStats::networkSnapshot(root.path()), s.expected) << s.what;
    }
    clock.set(Date{100.25});
    writeNet(7, 8);
    SystemStats::networkSnapshot(root.path());
    EXPECT_EQ(stored(StorageKeys::netBytes), R"({"inBytes":7,"outBytes":8,"at":100.25})");
}

TEST_F(SystemStatsTest, NetworkWithoutAPhysicalInterface) {
    // Only loopback and a bridge: zero sums, so rates of 0 once a sample exists.
    const fs::path net = root.path() / "sys/class/net";
    test::writeFile(net / "lo/statistics/rx_bytes", "500\n");
    test::writeFile(net / "lo/statistics/tx_bytes", "500\n");
    EXPECT_FALSE(SystemStats::networkSnapshot(root.path()));
    clock.advance(5);
    test::writeFile(net / "lo/statistics/rx_bytes", "900000\n");
    EXPECT_EQ(SystemStats::networkSnapshot(root.path()), (NetworkSnapshot{0.0, 0.0}));
    // No interface list at all: absent and nothing stored.
    const auto before = stored(StorageKeys::netBytes);
    clock.advance(5);
    EXPECT_FALSE(SystemStats::networkSnapshot(root.path() / "nowhere"));
    EXPECT_EQ(stored(StorageKeys::netBytes), before);
}

TEST_F(SystemStatsTest, MemoryAndGraphicsFromTheFixtureMachines) {
    // 16,000,000 kB total, 6,000,000 available: 62.5 % rounds to 63.
    EXPECT_EQ(SystemStats::memoryPercent(kFixtures / "laptop-charging"), 63);
    EXPECT_FALSE(SystemStats::memoryPercent(kFixtures / "desktop"));
    test::writeFile(root.path() / "proc/meminfo", "MemTotal: 0 kB\nMemAvailable: 0 kB\n");
    EXPECT_FALSE(SystemStats::memoryPercent(root.path()));

    EXPECT_EQ(SystemStats::gpuPercent(kFixtures / "desktop"), 37);
    EXPECT_FALSE(SystemStats::gpuPercent(kFixtures / "laptop-charging"));
}

TEST(SystemStats, VolumeSizesUseTheirOwnRounding) {
    struct Case {
        std::uint64_t total, available;
        StorageSnapshot expected;
    };
    const Case cases[] = {
        {494'400'000'000, 243'500'000'000, {250, 494}}, // 250.9 GB used is truncated
        {499'500'000'000, 0, {499, 500}},               // a total of 499.5 rounds up
        {499'499'999'999, 499'499'999'999, {0, 499}},
        {999'999'999, 0, {0, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemStats::storageFrom({c.total, c.available}), c.expected) << c.total;

    test::TempDir dir;
    EXPECT_FALSE(SystemStats::storageSnapshot(dir.path() / "no-such-folder"));
    auto home = SystemStats::storageSnapshot(dir.path());
    ASSERT_TRUE(home);
    EXPECT_LE(home->usedGB, home->totalGB);
}

} // namespace
} // namespace plyx

namespace plyx {
namespace {

// Reads this machine's own /proc, /sys and home volume through the sources
// the widgets call (ranges only: the values move between readings).
TEST(LiveSystem, SourcesGiveFiguresInRange) {
    test::FreshStorage storage;
    const auto memory = SystemStats::memoryPercent();
    ASSERT_TRUE(memory);
    EXPECT_GE(*memory, 0);
    EXPECT_LE(*memory, 100);

    EXPECT_FALSE(SystemStats::cpuPercent()); // the first call only stores a sample
    EXPECT_TRUE(SharedStorage::read<SystemStats::CPUTicks>(StorageKeys::cpuTicks));
    // The load between two readings, which this machine may not give this
    // soon, is checked against fixtures above.

    const auto home = SystemStats::storageSnapshot();
    ASSERT_TRUE(home);
    EXPECT_GE(home->usedGB, 0);
    EXPECT_LE(home->usedGB, home->totalGB);
    std::cout << "live: memory " << *memory << "%, home " << home->usedGB << " of " << home->totalLabel() << "\n";
}

} // namespace
} // namespace plyx
