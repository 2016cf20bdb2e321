#pragma once
// The power supplies the kernel lists under /sys/class/power_supply: the
// computer's own batteries, its adapters, and input devices that report a
// battery. Values are read as the kernel writes them; a missing attribute
// stays absent.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plyx::sys {

struct PowerSupply {
    std::string name;   ///< the folder name ("BAT0", "hidpp_battery_0")
    std::string type;   ///< "Battery", "Mains", "USB", ...
    std::string scope;  ///< "System", "Device" or empty when not given
    std::string status; ///< "Charging", "Discharging", "Full", "Not charging", ...
    std::string modelName;
    std::optional<std::int64_t> capacity; ///< percent, truncated by the kernel
    /// 1 when an adapter delivers power, 0 when not; batteries have none.
    std::optional<std::int64_t> online;
    // Energy in µWh and power in µW, or charge in µAh and current in µA;
    // a battery reports one pair or the other.
    std::optional<std::int64_t> energyNow, energyFull, powerNow;
    std::optional<std::int64_t> chargeNow, chargeFull, currentNow;

    bool isBattery() const { return type == "Battery"; }
    /// A source the computer runs from when plugged in (mains, USB, wireless
    /// charging): anything that reports whether it is online and is neither
    /// a battery nor an uninterruptible supply.
    bool isAdapter() const { return online.has_value() && !isBattery() && type != "UPS" && !isDeviceScope(); }
    /// Batteries of attached devices (mice, keyboards) carry the scope "Device".
    bool isDeviceScope() const { return scope == "Device"; }
};

/// Every supply under <root>/sys/class/power_supply, sorted by name; empty
/// when the folder is missing.
std::vector<PowerSupply> readPowerSupplies(const std::filesystem::path& root = "/");

} // namespace plyx::sys
