#pragma once
// A small UPower on the test's private bus: the manager's EnumerateDevices
// and each device's properties, as the real daemon publishes them. It
// answers from the thread it was made on, so callers must ask from another
// thread (or spin the event loop while a worker asks).
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>

#include <memory>
#include <vector>

namespace plyx::test {

class FakeUPowerDevice : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.UPower.Device")
    Q_PROPERTY(uint Type MEMBER type)
    Q_PROPERTY(QString Model MEMBER model)
    Q_PROPERTY(double Percentage MEMBER percentage)
    Q_PROPERTY(bool PowerSupply MEMBER powerSupply)
    Q_PROPERTY(bool IsPresent MEMBER isPresent)
public:
    FakeUPowerDevice(uint t, QString m, double p, bool supply) : type(t), model(std::move(m)), percentage(p), powerSupply(supply) {}
    uint type;
    QString model;
    double percentage;
    bool powerSupply;
    bool isPresent = true;
};

class FakeUPower : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.UPower")
public:
    struct Device {
        uint type;
        QString model;
        double percentage;
        bool powerSupply = false;
    };
    /// Registers "org.freedesktop.UPower" with `devices` on the bus at `address`.
    FakeUPower(const std::string& address, const std::vector<Device>& devices);
    ~FakeUPower() override;
    bool isRegistered() const { return registered_; }
    QDBusConnection connection() const { return bus_; }

public slots:
    QList<QDBusObjectPath> EnumerateDevices() const { return paths_; }

private:
    QDBusConnection bus_;
    QList<QDBusObjectPath> paths_;
    std::vector<std::unique_ptr<FakeUPowerDevice>> devices_;
    bool registered_ = false;
};

} // namespace plyx::test
