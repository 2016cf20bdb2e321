#pragma once
// Processor, memory, graphics, network and home-volume figures of the
// computer the extension runs on. Rates (processor load, network
// throughput) are measured from the previous call of the same function,
// whose raw sample the process keeps and the shared suite holds for other
// processes (PreviousSample.h); the first call without a sample gives
// nothing and stores one. Nothing here fails loudly: a
// value that cannot be had is absent.
#include "platform/coding/Coding.h"
#include "platform/system/SystemReaders.h"
#include "platform/time/Date.h"
#include "shared/models/NetworkSnapshot.h"
#include "shared/models/StorageSnapshot.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace plyx::SystemStats {

/// The previous processor sample, stored under "plyx.sys.cputicks.v1".
struct CPUTicks {
    std::uint64_t user = 0;
    std::uint64_t system = 0;
    std::uint64_t idle = 0;
    std::uint64_t nice = 0;
    Date at;
    bool operator==(const CPUTicks&) const = default;
};
PLYX_CODABLE(CPUTicks, user, system, idle, nice, at)

/// The previous network sample, stored under "plyx.sys.netbytes.v1".
struct NetCounters {
    std::uint64_t inBytes = 0;
    std::uint64_t outBytes = 0;
    Date at;
    bool operator==(const NetCounters&) const = default;
};
PLYX_CODABLE(NetCounters, inBytes, outBytes, at)

/// Processor load in percent since the previous call. The current ticks
/// become the previous sample whenever they could be read. Absent on the
/// first call, when no tick passed, and when a counter went below the
/// previous one (the machine restarted or a counter wrapped): the
/// difference would mean nothing.
std::optional<std::int64_t> cpuPercent(const std::filesystem::path& root = "/");

/// Memory in use ((total - available) / total) in percent.
std::optional<std::int64_t> memoryPercent(const std::filesystem::path& root = "/");

/// Graphics utilisation in percent as the driver reports it, unclamped.
std::optional<std::int64_t> gpuPercent(const std::filesystem::path& root = "/");

/// Receive and send rates since the previous call. The current counters
/// become the previous sample whenever they could be read; absent on the
/// first call, when the previous sample is 1 s old or less (or from the
/// future), and when a sum went below the previous one.
std::optional<NetworkSnapshot> networkSnapshot(const std::filesystem::path& root = "/");

/// $HOME, or the account's home folder when it is unset.
std::filesystem::path homeFolder();

/// Used and total space of the volume holding `home` (the user's home
/// folder by default).
std::optional<StorageSnapshot> storageSnapshot(const std::filesystem::path& home = homeFolder());

/// Used space truncated, total rounded half up, both in whole decimal gigabytes.
StorageSnapshot storageFrom(const sys::VolumeCapacity& capacity);

} // namespace plyx::SystemStats
