#pragma once
// Keeps the battery widgets' list of peripheral batteries: reads the levels
// off the main thread at start and every 600 seconds, stores them as
// PowerSnapshot::Device records under "plyx.btbatteries.v1" and reloads the
// four battery widgets. One read runs at a time, and a read that fails keeps
// the list stored before it. Lives on the main thread.
#ifndef Q_MOC_RUN  // moc cannot parse the coding headers' concepts
#include "shared/models/PowerSnapshot.h"

#include <nlohmann/json_fwd.hpp>
#endif

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

namespace plyx {

class PeripheralBatteryPoller : public QObject {
    Q_OBJECT
public:
    /// One read of the connected devices, as a list of sections each holding
    /// "device_connected": a list of {device name: its properties}, with the
    /// levels under "device_batteryLevelLeft", "…Right", "…Main",
    /// "device_batteryLevel" and "device_batteryLevelCase". Nothing when the
    /// devices could not be read. Runs on a worker thread.
    using Reader = std::function<std::optional<nlohmann::json>()>;
    /// Reads UPower on the system bus.
    static Reader upower();
    /// The UPower devices of the given bus (the system bus by default).
    static Reader upowerOn(std::function<QDBusConnection()> bus);

    static constexpr int kInterval = 600;

    static PeripheralBatteryPoller& shared();
    explicit PeripheralBatteryPoller(Reader reader = upower(), QObject* parent = nullptr);

    /// Starts the timer and one poll; later calls do nothing.
    void start();
    /// Starts one read on a worker thread and returns at once; while a read
    /// is running it does nothing, as that read's answer is as fresh.
    void poll();
    bool isPolling() const { return polling_; }

    /// The devices of a read, combined and named as the widgets show them,
    /// sorted by name.
    static std::vector<PowerSnapshot::Device> devices(const nlohmann::json& sections);
    /// A level: a text without its "%" signs and outer blanks as a base-10
    /// integer, or an integral number; nothing otherwise.
    static std::optional<std::int64_t> percent(const nlohmann::json* value);
    /// The name after the last owner prefix ("Ann’s AirPods" gives "AirPods").
    static std::string shortName(const std::string& key);

signals:
    /// A poll finished: stored (or, when the read failed, kept) and reloaded.
    void polled();

private:
    void finish(const std::optional<nlohmann::json>& sections);

    Reader reader_;
    QTimer* timer_ = nullptr;
    bool polling_ = false;
};

} // namespace plyx
