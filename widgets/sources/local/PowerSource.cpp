#include "widgets/sources/local/PowerSource.h"

#include "platform/base/Numbers.h"
#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace plyx {

namespace {

constexpr const char* kKeyboard = "Keyboard";
constexpr const char* kMouse = "Mouse";
constexpr const char* kTrackpad = "Trackpad";
constexpr const char* kUnnamedDevice = "Device";

constexpr const char* kStatusCharging = "Charging";
constexpr const char* kStatusFull = "Full";
constexpr const char* kStatusNotCharging = "Not charging";

constexpr const char* kConnected = "Connected to power";
constexpr const char* kDisconnected = "Disconnected from power";
constexpr const char* kDisconnectedDrainPrefix = "Disconnected \u00B7 Drain ";
constexpr const char* kDrainSuffix = "%/h";
constexpr const char* kFullyCharged = "Fully charged at 100%";
constexpr const char* kPercentSign = "%";
constexpr const char* kSeparator = " \u00B7 ";
constexpr const char* kRemainingSuffix = " remaining";

/// A disconnection seen within this many hours of the previous reading is
/// too close to it for a meaningful drain rate.
constexpr double kMinimumDrainHours = 0.2;
constexpr std::size_t kMaxEvents = 6;

std::string lowercased(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

struct Level {
    double current = 0;
    double max = 0;
};

/// The charge as "current of max": the energy or charge counters where the
/// battery has them, else the kernel's percentage, which it truncates
/// (82.5 % reads 82 there).
std::optional<Level> levelOf(const sys::PowerSupply& s) {
    if (s.energyNow && s.energyFull) return Level{static_cast<double>(*s.energyNow), static_cast<double>(*s.energyFull)};
    if (s.chargeNow && s.chargeFull) return Level{static_cast<double>(*s.chargeNow), static_cast<double>(*s.chargeFull)};
    if (s.capacity) return Level{static_cast<double>(*s.capacity), 100};
    return std::nullopt;
}

/// Whether the computer runs on its adapter. The adapter says so itself; a
/// machine that lists none is on power unless its battery is discharging
/// (a battery held at a charge limit reads "Not charging", a full one "Full").
bool runsOnAdapter(const std::vector<sys::PowerSupply>& supplies, const sys::PowerSupply& battery) {
    bool anyAdapter = false;
    for (const auto& s : supplies) {
        if (!s.isAdapter()) continue;
        if (*s.online == 1) return true;
        anyAdapter = true;
    }
    if (anyAdapter) return false;
    return battery.status == kStatusCharging || battery.status == kStatusFull || battery.status == kStatusNotCharging;
}

/// Whole minutes to full (charging) or to empty, from the energy (or
/// charge) left to go over the present power (or current). Some drivers
/// sign the power by direction, so only its size counts.
std::optional<std::int64_t> remainingMinutes(const sys::PowerSupply& s, bool charging) {
    std::optional<std::int64_t> now, full, rate;
    if (s.energyNow && s.energyFull && s.powerNow) {
        now = s.energyNow, full = s.energyFull, rate = s.powerNow;
    } else if (s.chargeNow && s.chargeFull && s.currentNow) {
        now = s.chargeNow, full = s.chargeFull, rate = s.currentNow;
    } else {
        return std::nullopt;
    }
    const double perHour = std::abs(static_cast<double>(*rate));
    if (perHour <= 0) return std::nullopt;
    const double left = charging ? static_cast<double>(*full - *now) : static_cast<double>(*now);
    const double minutes = std::floor(left / perHour * 60.0);
    if (!(minutes >= 1) || minutes > 1e9) return std::nullopt;
    return static_cast<std::int64_t>(minutes);
}

} // namespace

namespace PowerSource {

std::string remainingText(std::int64_t minutes) {
    if (minutes < 60) return std::to_string(minutes) + "M";
    return std::to_string(minutes / 60) + "H " + std::to_string(minutes % 60) + "M";
}

std::optional<InternalBattery> internalBattery(const std::vector<sys::PowerSupply>& supplies) {
    for (const auto& s : supplies) {
        if (!s.isBattery() || s.isDeviceScope()) continue;
        const auto level = levelOf(s);
        if (!level || level->max <= 0) continue;
        InternalBattery b;
        // Counters can run a little past full on some batteries; a charge
        // is a percentage all the same.
        b.percent = std::clamp<std::int64_t>(num::roundHalfAway(level->current / level->max * 100.0), 0, 100);
        b.isCharging = s.status == kStatusCharging;
        b.onPower = runsOnAdapter(supplies, s);
        // On the adapter but not charging (full, or held at a limit) the
        // battery neither fills nor drains: there is no time to tell.
        const bool changing = b.isCharging || !b.onPower;
        if (auto m = remainingMinutes(s, b.isCharging); m && changing) b.remaining = remainingText(*m);
        return b;
    }
    return std::nullopt;
}

std::optional<InternalBattery> readInternalBattery(const std::filesystem::path& root) {
    return internalBattery(sys::readPowerSupplies(root));
}

std::string deviceName(const std::string& product) {
    if (product.empty()) return kUnnamedDevice;
    const std::string lower = lowercased(product);
    if (lower.find("keyboard") != std::string::npos) return kKeyboard;
    if (lower.find("mouse") != std::string::npos) return kMouse;
    if (lower.find("trackpad") != std::string::npos) return kTrackpad;
    return product;
}

std::vector<PowerSnapshot::Device> bluetoothDevices(const std::vector<sys::PowerSupply>& supplies) {
    std::vector<PowerSnapshot::Device> out;
    for (const auto& s : supplies) {
        if (!s.isDeviceScope() || !s.capacity) continue;
        out.push_back({deviceName(s.modelName), *s.capacity});
    }
    return out;
}

std::vector<PowerSnapshot::Device> readBluetoothDevices(const std::filesystem::path& root) {
    return bluetoothDevices(sys::readPowerSupplies(root));
}

PowerSnapshot snapshot(const std::filesystem::path& root) {
    const auto supplies = sys::readPowerSupplies(root);
    const auto battery = internalBattery(supplies);

    PowerSnapshot s;
    if (battery) s.devices.push_back({kOwnBatteryName, battery->percent});
    for (auto& d : bluetoothDevices(supplies)) s.devices.push_back(std::move(d));
    // The application's list adds what the kernel does not know of; a name
    // already shown keeps the level read here, and stored duplicates drop.
    const auto stored =
        SharedStorage::read<std::vector<PowerSnapshot::Device>>(StorageKeys::btBatteries).value_or(std::vector<PowerSnapshot::Device>{});
    for (const auto& d : stored) {
        const bool shown = std::any_of(s.devices.begin(), s.devices.end(),
                                       [&](const PowerSnapshot::Device& e) { return e.name == d.name; });
        if (!shown) s.devices.push_back(d);
    }

    s.log = PowerLog::record(battery);
    if (battery) {
        s.percent = battery->percent;
        s.isCharging = battery->isCharging;
        s.remaining = battery->remaining;
    } else {
        s.percent = 100;
        s.isCharging = true;
    }
    return s;
}

} // namespace PowerSource

namespace PowerLog {

namespace {

std::string presentLine(const PowerSource::InternalBattery& b) {
    std::string text = std::to_string(b.percent) + kPercentSign;
    if (b.remaining) text += kSeparator + *b.remaining + kRemainingSuffix;
    return text;
}

/// The log after this reading, from the stored record (none when absent).
Record next(std::optional<Record> stored, const PowerSource::InternalBattery& b, Date now) {
    // A log from an earlier day is not continued: the day starts afresh and
    // nothing is derived from yesterday's last reading.
    if (stored && !stored->entries.empty() && !time::isSameDay(stored->entries.back().time, now)) stored.reset();

    std::vector<PowerSnapshot::LogEntry> events;
    if (stored) {
        for (const auto& e : stored->entries)
            if (!e.isCurrent) events.push_back(e);
        auto add = [&](std::string message) { events.push_back({now, std::move(message), false}); };
        // Plugging in and out is read from the adapter, not from charging:
        // a battery that stops charging at full or at a limit is still on power.
        if (!stored->lastCharging && b.onPower) add(kConnected);
        if (stored->lastCharging && !b.onPower) {
            const double hours = (now - stored->lastAt) / 3600.0;
            if (hours > kMinimumDrainHours) {
                // In doubles: a damaged record can hold any 64-bit percent,
                // and the difference of two must not overflow; the rate then
                // saturates like every other stored number.
                const double drained = static_cast<double>(stored->lastPercent) - static_cast<double>(b.percent);
                const std::int64_t rate = std::max<std::int64_t>(0, num::roundHalfAway(drained / hours));
                add(kDisconnectedDrainPrefix + std::to_string(rate) + kDrainSuffix);
            } else {
                add(kDisconnected);
            }
        }
        if (b.percent == 100 && stored->lastPercent <= 99) add(kFullyCharged);
    }
    if (events.size() > kMaxEvents) events.erase(events.begin(), events.end() - kMaxEvents);
    events.push_back({now, presentLine(b), true});
    return Record{std::move(events), b.percent, b.onPower, now};
}

} // namespace

std::vector<PowerSnapshot::LogEntry> record(const std::optional<PowerSource::InternalBattery>& current) {
    if (!current) return {};
    const Date now = time::now();
    std::optional<Record> result;
    // One immediate transaction: the four battery widgets ask at nearly the
    // same moment, and each must see the others' writes.
    SharedStorage::suite().update(StorageKeys::powerLog, [&](std::optional<std::string> bytes) {
        std::optional<Record> stored;
        if (bytes) stored = coding::decode<Record>(*bytes);
        result = next(std::move(stored), *current, now);
        auto encoded = coding::encode(*result);
        return encoded ? encoded : bytes; // an encoding failure leaves the old record
    });
    if (!result) result = next(std::nullopt, *current, now); // the store could not be opened for writing
    return result->entries;
}

} // namespace PowerLog
} // namespace plyx
