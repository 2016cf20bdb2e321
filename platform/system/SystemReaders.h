#pragma once
// Raw readings of the machine the extension runs on, from the kernel's
// /proc and /sys files and statvfs. Each reader takes the root folder the
// files live under ("/" for the real system) so tests can point it at a
// fixture tree shaped like /proc and /sys. Readers return the counters as
// the kernel gives them; turning them into rates and percentages is the
// callers' business.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace plyx::sys {

/// Cumulative processor ticks of all processors together, folded into the
/// four states the load figure uses.
struct CpuTicks {
    std::uint64_t user = 0;   ///< user
    std::uint64_t system = 0; ///< system + irq + softirq + steal
    std::uint64_t idle = 0;   ///< idle + iowait
    std::uint64_t nice = 0;   ///< nice
};
/// The aggregate "cpu" line of <root>/proc/stat; nothing when unreadable.
std::optional<CpuTicks> readCpuTicks(const std::filesystem::path& root = "/");

struct MemoryInfo {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;
};
/// MemTotal and MemAvailable of <root>/proc/meminfo; nothing when either is missing.
std::optional<MemoryInfo> readMemory(const std::filesystem::path& root = "/");

/// The busy percentage the first graphics card that reports one gives
/// (<root>/sys/class/drm/cardN/device/gpu_busy_percent, cards in number
/// order), unchanged; nothing when no card reports it.
std::optional<std::int64_t> readGpuBusyPercent(const std::filesystem::path& root = "/");

struct NetworkBytes {
    std::uint64_t inBytes = 0;
    std::uint64_t outBytes = 0;
};
/// Received and sent bytes summed over the physical interfaces: those
/// under <root>/sys/class/net with a `device` link. Loopback, bridges,
/// tunnels and other virtual links have none and are skipped. Nothing when
/// the interface list cannot be read or is empty.
std::optional<NetworkBytes> readNetworkBytes(const std::filesystem::path& root = "/");

struct VolumeCapacity {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0; ///< what an unprivileged user may still write
};
/// Size and available space of the volume holding `path` (statvfs);
/// nothing when the call fails.
std::optional<VolumeCapacity> readVolumeCapacity(const std::filesystem::path& path);

} // namespace plyx::sys
