#include "platform/system/SystemReaders.h"

#include "platform/system/FileValues.h"

#include <algorithm>
#include <sstream>
#include <sys/statvfs.h>
#include <vector>

namespace plyx::sys {

namespace fs = std::filesystem;
using namespace detail;

std::optional<CpuTicks> readCpuTicks(const fs::path& root) {
    auto text = readText(under(root, "/proc/stat"));
    if (!text) return std::nullopt;
    std::istringstream lines(*text);
    std::string line;
    while (std::getline(lines, line)) {
        // The aggregate line is "cpu" followed by white space; "cpu0"... are per processor.
        if (line.rfind("cpu", 0) != 0 || line.size() < 4 || (line[3] != ' ' && line[3] != '\t')) continue;
        std::istringstream fields(line.substr(3));
        std::vector<std::uint64_t> v;
        std::string field;
        while (fields >> field) {
            auto n = parseUnsigned(field);
            if (!n) return std::nullopt;
            v.push_back(*n);
        }
        // user nice system idle are always there; iowait, irq, softirq and steal
        // came with later kernels and count as 0 when missing.
        if (v.size() < 4) return std::nullopt;
        v.resize(std::max<std::size_t>(v.size(), 8), 0);
        CpuTicks t;
        t.user = v[0];
        t.nice = v[1];
        t.system = v[2] + v[5] + v[6] + v[7];
        t.idle = v[3] + v[4];
        return t;
    }
    return std::nullopt;
}

std::optional<MemoryInfo> readMemory(const fs::path& root) {
    auto text = readText(under(root, "/proc/meminfo"));
    if (!text) return std::nullopt;
    std::optional<std::uint64_t> total, available;
    std::istringstream lines(*text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = line.substr(0, colon);
        if (key != "MemTotal" && key != "MemAvailable") continue;
        std::istringstream rest(line.substr(colon + 1));
        std::string number, unit;
        rest >> number >> unit;
        auto n = parseUnsigned(number);
        if (!n) return std::nullopt;
        // The file says "kB" and means KiB.
        const std::uint64_t bytes = unit == "kB" ? *n * 1024 : *n;
        (key == "MemTotal" ? total : available) = bytes;
    }
    if (!total || !available) return std::nullopt;
    return MemoryInfo{*total, *available};
}

namespace {
/// Entries of a folder sorted by name; empty when it cannot be listed.
std::vector<fs::path> sortedEntries(const fs::path& dir, bool* listed = nullptr) {
    std::vector<fs::path> out;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (listed) *listed = !ec;
    if (ec) return out;
    // The error-code form of increment: a listing error ends the list, never throws.
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) out.push_back(it->path());
    std::sort(out.begin(), out.end());
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
    std::vector<std::pair<std::uint64_t, fs::path>> cards;
    for (const auto& p : sortedEntries(under(root, "/sys/class/drm"))) {
        const std::string name = p.filename().string();
        if (name.rfind("card", 0) != 0) continue;
        auto n = parseUnsigned(name.substr(4));
        if (!n || name.size() == 4 || name.find_first_not_of("0123456789", 4) != std::string::npos) continue;
        cards.emplace_back(*n, p);
    }
    std::sort(cards.begin(), cards.end());
    for (const auto& [n, p] : cards)
        if (auto v = readInteger(p / "device" / "gpu_busy_percent")) return v;
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
