#include "platform/desktop/IdleMonitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariant>

namespace plyx::desktop {

namespace {
/// The usage sample waits on this call; a monitor slower than this is no monitor.
constexpr int kTimeoutMs = 500;
} // namespace

std::optional<double> idleMonitorSeconds() {
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return std::nullopt;
    const auto call = QDBusMessage::createMethodCall(kIdleMonitorService, kIdleMonitorPath, kIdleMonitorInterface,
                                                     kIdleMonitorMethod);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) return std::nullopt;
    const QVariant v = reply.arguments().first();
    // The monitor answers an unsigned 64-bit count; any other kind of reply
    // is not an idle time.
    if (v.metaType().id() != QMetaType::ULongLong) return std::nullopt;
    return static_cast<double>(v.toULongLong()) / 1000.0;
}

} // namespace plyx::desktop
