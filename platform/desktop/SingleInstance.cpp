#include "platform/desktop/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace plyx::desktop {

SingleInstance::SingleInstance(QString serviceName, QDBusConnection bus, QObject* parent)
    : QObject(parent), serviceName_(std::move(serviceName)), bus_(std::move(bus)) {}

SingleInstance::~SingleInstance() {
    if (!holding_) return;
    bus_.unregisterObject(kObjectPath);
    bus_.unregisterService(serviceName_);
}

bool SingleInstance::claim() {
    auto& bus = bus_;
    if (!bus.isConnected()) return true;
    // The object goes up before the name, so a later start that sees the
    // name always finds someone to talk to.
    const bool exported = bus.registerObject(kObjectPath, this, QDBusConnection::ExportScriptableSlots);
    const auto reply = bus.interface()->registerService(serviceName_, QDBusConnectionInterface::DontQueueService,
                                                        QDBusConnectionInterface::DontAllowReplacement);
    holding_ = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
    if (!holding_ && exported) bus.unregisterObject(kObjectPath);
    return holding_;
}

bool SingleInstance::handOver(const QString& serviceName, const QString& url, QDBusConnection bus) {
    if (!bus.isConnected()) return false;
    auto msg = QDBusMessage::createMethodCall(serviceName, kObjectPath, "com.zelvanedesigns.plyx.Application",
                                              url.isEmpty() ? "Reopen" : "OpenURL");
    if (!url.isEmpty()) msg << url;
    const auto reply = bus.call(msg, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void SingleInstance::Reopen() { emit reopenRequested(); }

void SingleInstance::OpenURL(const QString& url) { emit urlOpened(url); }

} // namespace plyx::desktop
