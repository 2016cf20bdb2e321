#pragma once
// The computer's own battery, every battery-powered device and today's power
// log, for the battery widgets. Built afresh per request and never stored
// whole; the device list and the log entries are stored by their owners.
#include "platform/coding/Coding.h"
#include "platform/time/Date.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plyx {

struct PowerSnapshot {
    /// One battery and its charge; identified by its name.
    struct Device {
        std::string name;
        std::int64_t percent = 0;

        const std::string& id() const { return name; }
        bool operator==(const Device&) const = default;
    };
    /// One line of the day's power log; identified by its time.
    struct LogEntry {
        Date time;
        std::string message;
        bool isCurrent = false;  ///< the entry that states the present charge (always last)

        Date id() const { return time; }
        bool operator==(const LogEntry&) const = default;
    };

    std::int64_t percent = 0;
    bool isCharging = false;
    std::optional<std::string> remaining;  ///< "2H 40M"; none without an estimate
    std::vector<Device> devices;           ///< the computer's own battery first, then peripherals
    std::vector<LogEntry> log;             ///< oldest first

    /// The preview snapshot, with log times on the day of its first use.
    static const PowerSnapshot& sample();

    bool operator==(const PowerSnapshot&) const = default;
};

/// The name of the computer's own battery in device lists.
inline constexpr const char* kOwnBatteryName = "Laptop";

PLYX_CODABLE(PowerSnapshot::Device, name, percent)
PLYX_CODABLE(PowerSnapshot::LogEntry, time, message, isCurrent)
PLYX_CODABLE(PowerSnapshot, percent, isCharging, remaining, devices, log)

} // namespace plyx
