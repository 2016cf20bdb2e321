#include "widgets/sources/local/SystemStats.h"

#include "widgets/sources/local/PreviousSample.h"

#include "platform/base/Numbers.h"
#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

#include <cmath>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace plyx::SystemStats {

namespace fs = std::filesystem;

namespace {

constexpr double kBytesPerMegabyte = 1'000'000;
constexpr std::uint64_t kBytesPerGigabyte = 1'000'000'000;
/// A rate over a second or less is too noisy to show.
constexpr double kMinimumInterval = 1.0;

PreviousSample<CPUTicks> previousTicks{StorageKeys::cpuTicks};
PreviousSample<NetCounters> previousCounters{StorageKeys::netBytes};

} // namespace

std::optional<std::int64_t> cpuPercent(const fs::path& root) {
    const auto ticks = sys::readCpuTicks(root);
    if (!ticks) return std::nullopt;
    const CPUTicks current{ticks->user, ticks->system, ticks->idle, ticks->nice, time::now()};
    // Whatever follows, the next call measures from this sample.
    const auto previous = previousTicks.exchange(current);
    if (!previous) return std::nullopt;

    // Kernel counters only grow; one below the stored sample means a restart
    // (or a counter that wrapped), and a difference across it means nothing.
    if (current.user < previous->user || current.system < previous->system || current.idle < previous->idle ||
        current.nice < previous->nice)
        return std::nullopt;
    const std::uint64_t busy =
        (current.user - previous->user) + (current.system - previous->system) + (current.nice - previous->nice);
    const std::uint64_t total = busy + (current.idle - previous->idle);
    if (total == 0) return std::nullopt;
    return num::roundHalfAway(static_cast<double>(busy) / static_cast<double>(total) * 100.0);
}

std::optional<std::int64_t> memoryPercent(const fs::path& root) {
    const auto mem = sys::readMemory(root);
    // A total of zero would divide by zero; no reading is better than a wrong one.
    if (!mem || mem->totalBytes == 0 || mem->availableBytes > mem->totalBytes) return std::nullopt;
    const double used = static_cast<double>(mem->totalBytes - mem->availableBytes);
    return num::roundHalfAway(used / static_cast<double>(mem->totalBytes) * 100.0);
}

std::optional<std::int64_t> gpuPercent(const fs::path& root) { return sys::readGpuBusyPercent(root); }

std::optional<NetworkSnapshot> networkSnapshot(const fs::path& root) {
    const auto bytes = sys::readNetworkBytes(root);
    if (!bytes) return std::nullopt;
    const NetCounters current{bytes->inBytes, bytes->outBytes, time::now()};
    const auto previous = previousCounters.exchange(current);
    if (!previous) return std::nullopt;

    const double elapsed = current.at - previous->at;
    if (!(elapsed > kMinimumInterval)) return std::nullopt;
    if (current.inBytes < previous->inBytes || current.outBytes < previous->outBytes) return std::nullopt;
    return NetworkSnapshot{
        static_cast<double>(current.inBytes - previous->inBytes) / elapsed / kBytesPerMegabyte,
        static_cast<double>(current.outBytes - previous->outBytes) / elapsed / kBytesPerMegabyte,
    };
}

StorageSnapshot storageFrom(const sys::VolumeCapacity& capacity) {
    const std::uint64_t used =
        capacity.totalBytes > capacity.availableBytes ? capacity.totalBytes - capacity.availableBytes : 0;
    return StorageSnapshot{
        static_cast<std::int64_t>(used / kBytesPerGigabyte),
        static_cast<std::int64_t>(capacity.totalBytes / kBytesPerGigabyte +
                                  (capacity.totalBytes % kBytesPerGigabyte >= kBytesPerGigabyte / 2 ? 1 : 0)),
    };
}

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

std::optional<StorageSnapshot> storageSnapshot(const fs::path& home) {
    const auto capacity = sys::readVolumeCapacity(home);
    if (!capacity) return std::nullopt;
    return storageFrom(*capacity);
}

} // namespace plyx::SystemStats
