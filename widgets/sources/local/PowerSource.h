#pragma once
// The battery widgets' reading: the computer's own battery, the batteries
// of attached input devices, the peripheral list the application keeps in
// the shared suite, and today's power log.
#include "platform/system/PowerSupplies.h"
#include "shared/models/PowerSnapshot.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plyx::PowerSource {

/// A reading of the computer's own battery; never stored.
struct InternalBattery {
    std::int64_t percent = 0;
    /// Filling now; a full battery, or one held at a charge limit, is not.
    bool isCharging = false;
    /// Time to full while charging, to empty on battery ("2H 15M"); none
    /// without an estimate, and none on the adapter when not charging.
    std::optional<std::string> remaining;
    /// The computer runs on its adapter (charging or not).
    bool onPower = false;
    bool operator==(const InternalBattery&) const = default;
};

/// "45M" below an hour, otherwise "2H 15M" (no leading zeros).
std::string remainingText(std::int64_t minutes);

/// The computer's own battery among the supplies: the first battery that
/// is not a device's, with a readable charge; nothing on a desktop. The
/// charge comes from the energy or charge counters where present, rounded
/// half away from zero; whether the computer is on power, from its adapter.
std::optional<InternalBattery> internalBattery(const std::vector<sys::PowerSupply>& supplies);
std::optional<InternalBattery> readInternalBattery(const std::filesystem::path& root = "/");

/// The display name of an input device from its product name: "Keyboard",
/// "Mouse" or "Trackpad" when the name says so, else the name itself;
/// "Device" when there is none.
std::string deviceName(const std::string& product);

/// The input devices that report a battery, in the order the kernel lists them.
std::vector<PowerSnapshot::Device> bluetoothDevices(const std::vector<sys::PowerSupply>& supplies);
std::vector<PowerSnapshot::Device> readBluetoothDevices(const std::filesystem::path& root = "/");

/// A fresh snapshot for the battery widgets; updates the stored power log
/// when there is a battery. A desktop shows 100 %, charging, no log.
PowerSnapshot snapshot(const std::filesystem::path& root = "/");

} // namespace plyx::PowerSource

namespace plyx::PowerLog {

/// The previous reading and today's events, stored under "plyx.powerlog.v1".
struct Record {
    std::vector<PowerSnapshot::LogEntry> entries;
    std::int64_t lastPercent = 0;
    /// Whether the computer was on power at the previous reading (the stored
    /// name predates the adapter being read: it used to mean charging).
    bool lastCharging = false;
    Date lastAt;
    bool operator==(const Record&) const = default;
};
PLYX_CODABLE(Record, entries, lastPercent, lastCharging, lastAt)

/// Compares the reading with the stored previous one, appends the events
/// that happened (connected to or disconnected from power, the latter with
/// the drain rate; fully charged), keeps the last six, adds the present-charge line, stores it
/// all and returns the log. The read and the write are one atomic store
/// update, so widgets asking at the same moment neither lose nor double
/// events. No reading: an empty log, and the store is left alone.
std::vector<PowerSnapshot::LogEntry> record(const std::optional<PowerSource::InternalBattery>& current);

} // namespace plyx::PowerLog
