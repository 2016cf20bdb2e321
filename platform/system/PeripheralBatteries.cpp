#include "platform/system/PeripheralBatteries.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <array>

namespace plyx::system {

namespace {
constexpr const char* kService = "org.freedesktop.UPower";
constexpr const char* kPath = "/org/freedesktop/UPower";
constexpr const char* kDeviceInterface = "org.freedesktop.UPower.Device";
constexpr int kTimeoutMs = 3000;
constexpr std::uint32_t kLinePower = 1;

std::optional<QList<QVariant>> call(const QDBusConnection& bus, const QString& path, const QString& interface,
                                    const QString& method, const QList<QVariant>& args = {}) {
    auto message = QDBusMessage::createMethodCall(kService, path, interface, method);
    message.setArguments(args);
    const auto reply = bus.call(message, QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) return std::nullopt;
    return reply.arguments();
}
} // namespace

std::string deviceTypeName(std::uint32_t type) {
    // UPower's device types, by number; unnamed ones read "Device".
    static const std::array<const char*, 30> names = {
        "Device",   "Line Power", "Battery", "UPS",    "Monitor",    "Mouse",    "Keyboard",      "PDA",
        "Phone",    "Media Player", "Tablet", "Computer", "Controller", "Pen",      "Touchpad",      "Modem",
        "Network",  "Headset",    "Speakers", "Headphones", "Video",   "Audio",    "Remote Control", "Printer",
        "Scanner",  "Camera",     "Wearable", "Toy",    "Bluetooth Device", "Device"};
    return type < names.size() ? names[type] : "Device";
}

std::optional<std::vector<PeripheralBattery>> readPeripheralBatteries(const QDBusConnection& bus) {
    if (!bus.isConnected()) return std::nullopt;
    const auto listed = call(bus, kPath, kService, "EnumerateDevices");
    if (!listed || listed->isEmpty()) return std::nullopt;
    QList<QDBusObjectPath> paths;
    listed->first().value<QDBusArgument>() >> paths;

    std::vector<PeripheralBattery> out;
    for (const auto& path : paths) {
        // A device that vanished between the listing and this read is skipped.
        const auto props = call(bus, path.path(), "org.freedesktop.DBus.Properties", "GetAll", {kDeviceInterface});
        if (!props || props->isEmpty()) continue;
        QVariantMap map;
        props->first().value<QDBusArgument>() >> map;
        const auto type = map.value("Type").toUInt();
        if (type == kLinePower || map.value("PowerSupply").toBool()) continue;  // the computer's own power
        if (!map.contains("Percentage")) continue;
        std::string name = map.value("Model").toString().trimmed().toStdString();
        if (name.empty()) name = deviceTypeName(type);
        out.push_back({std::move(name), map.value("Percentage").toDouble(), type});
    }
    return out;
}

} // namespace plyx::system
