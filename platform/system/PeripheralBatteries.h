#pragma once
// Battery-powered peripherals (mice, keyboards, headsets, phones, game
// controllers, …) as UPower on the system bus lists them. The computer's own
// batteries and line power are left out: UPower marks them as supplying the
// computer. The bus is the caller's, so tests can hand in a private one.
#include <QDBusConnection>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plyx::system {

struct PeripheralBattery {
    std::string name;     ///< UPower's model name, else the device type ("Mouse")
    double percentage = 0;
    std::uint32_t type = 0;  ///< UPower's device type number
};

/// Every peripheral with a battery, in UPower's order; nothing when UPower
/// cannot be reached (no system bus, no UPower, no answer within a few seconds).
/// Blocks on the bus: call it off the main thread.
std::optional<std::vector<PeripheralBattery>> readPeripheralBatteries(const QDBusConnection& bus = QDBusConnection::systemBus());

/// The word for a UPower device type without a model name ("Mouse", "Headset", …).
std::string deviceTypeName(std::uint32_t type);

} // namespace plyx::system
