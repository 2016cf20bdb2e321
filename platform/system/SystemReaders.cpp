#include "platform/system/SystemReaders.h"

#include "platform/system/FileValues.h"
#include "platform/system/KernelFiles.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <sys/statvfs.h>
#include <vector>

namespace plyx::sys {

namespace fs = std::filesystem;
using namespace detail;

namespace {

/// The first lines of /proc/stat and /proc/meminfo hold everything read from
/// them: the aggregate processor line comes first, and the memory totals
/// within the first three lines.
constexpr std::size_t kHeadBytes = 8192;

// Calls `line` with each line of `text` until it returns false.
template <class F> void eachLine(std::string_view text, F&& line) {
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (!line(text.substr(0, end))) return;
        if (end == std::string_view::npos) return;
        text.remove_prefix(end + 1);
    }
}

// The next field of `rest` separated by blanks or tabs, taken off `rest`.
std::string_view nextField(std::string_view& rest) {
    const auto b = rest.find_first_not_of(" \t");
    if (b == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(b);
    const auto e = rest.find_first_of(" \t");
    const auto field = rest.substr(0, e);
    rest.remove_prefix(e == std::string_view::npos ? rest.size() : e);
    return field;
}

} // namespace

std::optional<CpuTicks> readCpuTicks(const fs::path& root) {
    std::array<char, kHeadBytes> buffer;
    const auto text = readHead(under(root, "/proc/stat"), buffer);
    if (!text) return std::nullopt;
    std::optional<CpuTicks> ticks;
    eachLine(*text, [&](std::string_view line) {
        // The aggregate line is "cpu" followed by white space; "cpu0"... are per processor.
        if (line.size() < 4 || line.substr(0, 3) != "cpu" || (line[3] != ' ' && line[3] != '\t')) return true;
        std::array<std::uint64_t, 8> v{}; // iowait, irq, softirq and steal count as 0 when missing
        std::size_t count = 0;
        std::string_view rest = line.substr(3);
        for (auto field = nextField(rest); !field.empty(); field = nextField(rest), ++count) {
            const auto n = parseUnsigned(field);
            if (!n) return false;
            if (count < v.size()) v[count] = *n;
        }
        // user nice system idle are always there; the later fields came with later kernels.
        if (count < 4) return false;
        ticks = CpuTicks{};
        ticks->user = v[0];
        ticks->nice = v[1];
        ticks->system = v[2] + v[5] + v[6] + v[7];
        ticks->idle = v[3] + v[4];
        return false;
    });
    return ticks;
}

std::optional<MemoryInfo> readMemory(const fs::path& root) {
    std::array<char, kHeadBytes> buffer;
    const auto text = readHead(under(root, "/proc/meminfo"), buffer);
    if (!text) return std::nullopt;
    std::optional<std::uint64_t> total, available;
    bool bad = false;
    eachLine(*text, [&](std::string_view line) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) return true;
        const auto key = line.substr(0, colon);
        if (key != "MemTotal" && key != "MemAvailable") return true;
        std::string_view rest = line.substr(colon + 1);
        const auto number = nextField(rest);
        const auto unit = nextField(rest);
        const auto n = parseUnsigned(number);
        if (!n) {
            bad = true;
            return false;
        }
        // The file says "kB" and means KiB.
        (key == "MemTotal" ? total : available) = unit == "kB" ? *n * 1024 : *n;
        return !(total && available);
    });
    if (bad || !total || !available) return std::nullopt;
    return MemoryInfo{*total, *available};
}

namespace {
/// Entries of a folder sorted by name; empty when it cannot be listed.
std::vector<fs::path> sortedEntries(const fs::path& dir, bool* listed = nullptr) {
    std::vector<fs::path> out;
    auto names = folderNames(dir);
    if (listed) *listed = names.has_value();
    if (!names) return out;
    std::sort(names->begin(), names->end());
    out.reserve(names->size());
    for (const auto& name : *names) out.push_back(dir / name);
    return out;
}

/// Whether a path exists as a file, folder or link (a dangling link counts).
bool present(const fs::path& p) {
    std::error_code ec;
    return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}
} // namespace

std::optional<std::int64_t> readGpuBusyPercent(const fs::path& root) {
    // Only the cards themselves ("card0"), not their connectors ("card0-DP-1"),
    // in number order so card10 comes after card2.
    const fs::path drm = under(root, "/sys/class/drm");
    std::vector<std::pair<std::uint64_t, std::string>> cards;
    for (auto& name : folderNames(drm).value_or(std::vector<std::string>{})) {
        if (name.rfind("card", 0) != 0) continue;
        auto n = parseUnsigned(std::string_view(name).substr(4));
        if (!n || name.size() == 4 || name.find_first_not_of("0123456789", 4) != std::string::npos) continue;
        cards.emplace_back(*n, std::move(name));
    }
    std::sort(cards.begin(), cards.end());
    for (const auto& [n, p] : cards)
        if (auto v = readInteger(drm / p / "device" / "gpu_busy_percent")) return v;
    return std::nullopt;
}

std::optional<NetworkBytes> readNetworkBytes(const fs::path& root) {
    bool listed = false;
    const auto interfaces = sortedEntries(under(root, "/sys/class/net"), &listed);
    if (!listed || interfaces.empty()) return std::nullopt;
    NetworkBytes sum;
    for (const auto& p : interfaces) {
        if (!present(p / "device")) continue;
        auto rx = readUnsigned(p / "statistics" / "rx_bytes");
        auto tx = readUnsigned(p / "statistics" / "tx_bytes");
        if (!rx || !tx) continue;
        sum.inBytes += *rx;
        sum.outBytes += *tx;
    }
    return sum;
}

std::optional<VolumeCapacity> readVolumeCapacity(const fs::path& path) {
    struct statvfs st {};
    if (path.empty() || ::statvfs(path.c_str(), &st) != 0) return std::nullopt;
    const std::uint64_t unit = st.f_frsize ? st.f_frsize : st.f_bsize;
    return VolumeCapacity{static_cast<std::uint64_t>(st.f_blocks) * unit,
                          static_cast<std::uint64_t>(st.f_bavail) * unit};
}

} // namespace plyx::sys
