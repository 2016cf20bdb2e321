#include "FakeUPower.h"

namespace plyx::test {

namespace {
QString connectionName() {
    static int n = 0;
    return QString("fake-upower-%1").arg(++n);
}
} // namespace

FakeUPower::FakeUPower(const std::string& address, const std::vector<Device>& devices)
    : bus_(QDBusConnection::connectToBus(QString::fromStdString(address), connectionName())) {
    bool ok = bus_.isConnected() && bus_.registerObject("/org/freedesktop/UPower", this, QDBusConnection::ExportAllSlots);
    int i = 0;
    for (const auto& d : devices) {
        auto device = std::make_unique<FakeUPowerDevice>(d.type, d.model, d.percentage, d.powerSupply);
        const QString path = QString("/org/freedesktop/UPower/devices/device_%1").arg(i++);
        ok = ok && bus_.registerObject(path, device.get(), QDBusConnection::ExportAllProperties);
        paths_.push_back(QDBusObjectPath(path));
        devices_.push_back(std::move(device));
    }
    registered_ = ok && bus_.registerService("org.freedesktop.UPower");
}

FakeUPower::~FakeUPower() {
    bus_.unregisterService("org.freedesktop.UPower");
    const QString name = bus_.name();
    bus_ = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(name);
}

} // namespace plyx::test
