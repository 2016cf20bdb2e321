#include "platform/system/FileValues.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/PowerSupplies.h"
#include "platform/system/SystemReaders.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <thread>
#include <unistd.h>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/statvfs.h>

namespace plyx::sys {
namespace {

namespace fs = std::filesystem;
const fs::path kFixtures = PLYX_FIXTURES;

TEST(SystemReaders, ProcessorTicksFoldTheKernelStates) {
    // cpu  1000 0 400 7000 1000 50 50 0: system = 400 + 50 + 50 + 0, idle = 7000 + 1000.
    auto t = readCpuTicks(kFixtures / "laptop-charging");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->user, 1000u);
    EXPECT_EQ(t->nice, 0u);
    EXPECT_EQ(t->system, 500u);
    EXPECT_EQ(t->idle, 8000u);

    test::TempDir dir;
    // Per-processor lines alone, a short line and garbage are not a reading.
    for (const char* text : {"cpu0 1 2 3 4 5 6 7 8\n", "cpu  1 2 3\n", "cpu  1 x 3 4\n", ""}) {
        test::writeFile(dir.path() / "proc/stat", text);
        EXPECT_FALSE(readCpuTicks(dir.path())) << text;
    }
    // An old kernel's four columns still read.
    test::writeFile(dir.path() / "proc/stat", "cpu 10 20 30 40\n");
    auto old = readCpuTicks(dir.path());
    ASSERT_TRUE(old);
    EXPECT_EQ(old->system, 30u);
    EXPECT_EQ(old->idle, 40u);
    EXPECT_FALSE(readCpuTicks(kFixtures / "laptop-full")); // no /proc at all
}

TEST(SystemReaders, MemoryNeedsTotalAndAvailable) {
    auto m = readMemory(kFixtures / "laptop-charging");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->totalBytes, 16000000ull * 1024);
    EXPECT_EQ(m->availableBytes, 6000000ull * 1024);
    EXPECT_FALSE(readMemory(kFixtures / "desktop")); // no MemAvailable line
    EXPECT_FALSE(readMemory(kFixtures / "laptop-full"));
}

TEST(SystemReaders, GraphicsLoadComesFromTheFirstCardThatReportsIt) {
    // card0 has no busy file; card1 reports 37 and comes before card10
    // (number order, not text order); connectors and render nodes are not cards.
    EXPECT_EQ(readGpuBusyPercent(kFixtures / "desktop"), 37);
    EXPECT_FALSE(readGpuBusyPercent(kFixtures / "laptop-charging"));
    EXPECT_FALSE(readGpuBusyPercent(kFixtures / "laptop-full"));
}

TEST(SystemReaders, NetworkSumsOnlyInterfacesWithADevice) {
    // eno1 + wlp3s0; lo and the bridge br0 have no device link.
    auto d = readNetworkBytes(kFixtures / "desktop");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->inBytes, 5000000u);
    EXPECT_EQ(d->outBytes, 1000000u);
    auto l = readNetworkBytes(kFixtures / "laptop-charging");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->inBytes, 5000000u);
    EXPECT_EQ(l->outBytes, 1000000u);
    // No interface list: absent. Only loopback: zero sums.
    EXPECT_FALSE(readNetworkBytes(kFixtures / "laptop-full"));
    test::TempDir dir;
    fs::create_directories(dir.path() / "sys/class/net");
    EXPECT_FALSE(readNetworkBytes(dir.path()));
    test::writeFile(dir.path() / "sys/class/net/lo/statistics/rx_bytes", "10\n");
    test::writeFile(dir.path() / "sys/class/net/lo/statistics/tx_bytes", "10\n");
    auto lo = readNetworkBytes(dir.path());
    ASSERT_TRUE(lo);
    EXPECT_EQ(lo->inBytes, 0u);
    EXPECT_EQ(lo->outBytes, 0u);
}

TEST(SystemReaders, VolumeCapacityOfAFolderAndOfNothing) {
    test::TempDir dir;
    auto v = readVolumeCapacity(dir.path());
    ASSERT_TRUE(v);
    EXPECT_GT(v->totalBytes, 0u);
    EXPECT_LE(v->availableBytes, v->totalBytes);
    EXPECT_FALSE(readVolumeCapacity(dir.path() / "missing"));
    EXPECT_FALSE(readVolumeCapacity(""));
}

TEST(SystemReaders, PowerSuppliesAsTheKernelListsThem) {
    auto charging = readPowerSupplies(kFixtures / "laptop-charging");
    ASSERT_EQ(charging.size(), 2u);
    EXPECT_EQ(charging[0].name, "AC");
    EXPECT_FALSE(charging[0].isBattery());
    EXPECT_TRUE(charging[0].isAdapter());
    EXPECT_EQ(charging[0].online, 1);
    const PowerSupply& bat = charging[1];
    EXPECT_EQ(bat.name, "BAT0");
    EXPECT_TRUE(bat.isBattery());
    EXPECT_FALSE(bat.isDeviceScope());
    EXPECT_EQ(bat.status, "Charging");
    EXPECT_EQ(bat.capacity, 82);
    EXPECT_EQ(bat.energyNow, 41200000);
    EXPECT_EQ(bat.energyFull, 50000000);
    EXPECT_EQ(bat.powerNow, 4000000);
    EXPECT_FALSE(bat.chargeNow);
    EXPECT_FALSE(bat.online);
    EXPECT_FALSE(bat.isAdapter());

    auto discharging = readPowerSupplies(kFixtures / "laptop-discharging");
    ASSERT_EQ(discharging.size(), 2u);
    EXPECT_EQ(discharging[0].online, 0);
    EXPECT_TRUE(discharging[0].isAdapter());
    EXPECT_EQ(discharging[1].scope, "System");
    EXPECT_FALSE(discharging[1].capacity);
    EXPECT_EQ(discharging[1].chargeNow, 4125000);
    EXPECT_EQ(discharging[1].currentNow, 1500000);

    auto desktop = readPowerSupplies(kFixtures / "desktop");
    ASSERT_EQ(desktop.size(), 1u);
    EXPECT_TRUE(desktop[0].isDeviceScope());
    EXPECT_EQ(desktop[0].modelName, "Wireless Mouse MX Anywhere");
    EXPECT_EQ(desktop[0].capacity, 55);

    test::TempDir none;
    EXPECT_TRUE(readPowerSupplies(none.path()).empty());
}

// Kernel files stay open between reads; each read must still be the kernel's
// text of now, and a file replaced under its name elsewhere must be read afresh.
TEST(KernelFiles, EachReadIsCurrentAndOpenFilesStayFew) {
    auto countOpen = [] {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
        return n;
    };
    // /proc/uptime moves every hundredth of a second.
    std::array<char, 128> a{}, b{};
    const auto first = detail::readHead("/proc/uptime", a);
    ASSERT_TRUE(first);
    const std::string before(*first);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const auto second = detail::readHead("/proc/uptime", b);
    ASSERT_TRUE(second);
    EXPECT_NE(before, std::string(*second));

    // Reading many kernel files keeps only a few of them open.
    const std::size_t open = countOpen();
    std::size_t read = 0;
    for (const auto& e : std::filesystem::directory_iterator("/proc/self")) {
        std::array<char, 256> buffer{};
        if (e.path().filename() == "environ" || !e.is_regular_file()) continue;
        if (detail::readHead(e.path(), buffer)) ++read;
    }
    ASSERT_GT(read, 20u);
    EXPECT_LE(countOpen(), open + 16);

    // A kept kernel folder lists what is there now: a file opened since the
    // last listing shows among this process's descriptors.
    const auto listed = detail::folderNames("/proc/self/fd");
    ASSERT_TRUE(listed);
    const int extra = ::open("/proc/uptime", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(extra, 0);
    const auto again = detail::folderNames("/proc/self/fd");
    ::close(extra);
    ASSERT_TRUE(again);
    EXPECT_EQ(std::count(listed->begin(), listed->end(), std::to_string(extra)), 0);
    EXPECT_EQ(std::count(again->begin(), again->end(), std::to_string(extra)), 1);
    EXPECT_FALSE(detail::folderNames("/sys/class/no-such-class"));

    test::TempDir dir;
    const auto file = dir.path() / "value";
    test::writeFile(file, "1\n");
    EXPECT_EQ(detail::readInteger(file), 1);
    std::filesystem::remove(file);
    test::writeFile(file, "22\n");
    EXPECT_EQ(detail::readInteger(file), 22);
    std::filesystem::remove(file);
    EXPECT_FALSE(detail::readInteger(file));
}

// Reads the machine this runs on and checks the readers agree with the
// kernel's own files and statvfs (ranges only: the values move).
TEST(LiveSystem, ReadingsAgreeWithProcAndStatvfs) {
    auto ticks = readCpuTicks();
    ASSERT_TRUE(ticks);
    EXPECT_GT(ticks->user + ticks->system + ticks->idle + ticks->nice, 0u);
    auto again = readCpuTicks();
    ASSERT_TRUE(again);
    EXPECT_GE(again->user + again->system + again->idle + again->nice,
              ticks->user + ticks->system + ticks->idle + ticks->nice);

    auto mem = readMemory();
    ASSERT_TRUE(mem);
    const std::string meminfo = test::readFile("/proc/meminfo");
    std::istringstream in(meminfo);
    std::string key;
    unsigned long long kb = 0;
    in >> key >> kb;
    ASSERT_EQ(key, "MemTotal:");
    EXPECT_EQ(mem->totalBytes, kb * 1024);
    EXPECT_GT(mem->availableBytes, 0u);
    EXPECT_LE(mem->availableBytes, mem->totalBytes);

    auto net = readNetworkBytes();
    EXPECT_TRUE(net); // /sys/class/net always lists at least loopback

    const char* home = std::getenv("HOME");
    ASSERT_TRUE(home);
    auto vol = readVolumeCapacity(home);
    ASSERT_TRUE(vol);
    struct statvfs st {};
    ASSERT_EQ(::statvfs(home, &st), 0);
    EXPECT_EQ(vol->totalBytes, static_cast<unsigned long long>(st.f_blocks) * st.f_frsize);
    EXPECT_LE(vol->availableBytes, vol->totalBytes);

    // The graphics load and the batteries, which this machine may lack, are
    // checked against the fixture folders above.
    std::cout << "live: user " << ticks->user << " system " << ticks->system << " idle " << ticks->idle
              << " nice " << ticks->nice << "; memory " << mem->totalBytes - mem->availableBytes << " of "
              << mem->totalBytes << "; network in " << (net ? net->inBytes : 0) << " out "
              << (net ? net->outBytes : 0) << "; home " << vol->availableBytes << " free of " << vol->totalBytes
              << "\n";
}

} // namespace
} // namespace plyx::sys
