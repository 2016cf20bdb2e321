#include "widgets/host/HostBus.h"

#include "widgets/host/DesktopHost.h"

#include "platform/coding/Coding.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace plyx::host {

namespace {

constexpr int kCallTimeoutMs = 5000;

HostBus::Answer call(const QString& method, const QVariantList& args) {
    HostBus::Answer a;
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(HostBus::kService)) return a;
    auto msg = QDBusMessage::createMethodCall(HostBus::kService, HostBus::kPath, HostBus::kInterface, method);
    msg.setArguments(args);
    const QDBusMessage reply = bus.call(msg, QDBus::Block, kCallTimeoutMs);
    a.reached = true;
    if (reply.type() == QDBusMessage::ErrorMessage) {
        a.text = reply.errorMessage().toStdString();
        return a;
    }
    a.ok = true;
    if (!reply.arguments().isEmpty()) {
        const QVariant v = reply.arguments().front();
        if (v.typeId() == QMetaType::Bool) a.ok = v.toBool();
        else a.text = v.toString().toStdString();
    }
    return a;
}

} // namespace

HostBus::Answer HostBus::add(const std::string& kind, const std::string& configJson, std::optional<QPoint> at) {
    return call("Add", {QString::fromStdString(kind), QString::fromStdString(configJson), at.has_value(),
                        at ? at->x() : 0, at ? at->y() : 0});
}

HostBus::Answer HostBus::remove(const std::string& id) { return call("Remove", {QString::fromStdString(id)}); }

QString HostBusObject::Add(const QString& kind, const QString& config, bool placed, int x, int y) {
    std::string error;
    auto id = host_.add(kind.toStdString(), config.toStdString(), placed ? std::optional<QPoint>(QPoint(x, y)) : std::nullopt,
                        &error);
    if (!id) {
        // The caller prints the problem as its own one line.
        if (calledFromDBus()) sendErrorReply(QDBusError::InvalidArgs, QString::fromStdString(error));
        return {};
    }
    return QString::fromStdString(*id);
}

bool HostBusObject::Remove(const QString& id) {
    // No id is this long; nothing of it is looked at.
    if (std::size_t(id.size()) > coding::kMaxPassedText) return false;
    return host_.remove(id.toStdString());
}

bool publishHost(DesktopHost& host, QObject* owner) {
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return true;
    if (!bus.registerService(HostBus::kService)) return false;
    auto* object = new HostBusObject(host, owner);
    bus.registerObject(HostBus::kPath, object, QDBusConnection::ExportScriptableSlots);
    return true;
}

} // namespace plyx::host
