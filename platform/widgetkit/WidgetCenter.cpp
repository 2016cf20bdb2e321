#include "platform/widgetkit/WidgetCenter.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace plyx::widgetkit {

namespace {
bool send(const char* signal, const QVariantList& args) {
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    auto msg = QDBusMessage::createSignal(WidgetCenter::kPath, WidgetCenter::kInterface, signal);
    msg.setArguments(args);
    return bus.send(msg);
}
} // namespace

bool WidgetCenter::reloadTimelines(const std::string& kind) {
    return send(kReloadKindSignal, {QString::fromStdString(kind)});
}

bool WidgetCenter::reloadAllTimelines() { return send(kReloadAllSignal, {}); }

WidgetReloadListener::WidgetReloadListener(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    const bool kind = bus.connect(QString(), WidgetCenter::kPath, WidgetCenter::kInterface,
                                  WidgetCenter::kReloadKindSignal, this, SLOT(onReloadKind(QString)));
    const bool all = bus.connect(QString(), WidgetCenter::kPath, WidgetCenter::kInterface,
                                 WidgetCenter::kReloadAllSignal, this, SLOT(onReloadAll()));
    listening_ = kind && all;
}

WidgetReloadListener::~WidgetReloadListener() {
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    bus.disconnect(QString(), WidgetCenter::kPath, WidgetCenter::kInterface, WidgetCenter::kReloadKindSignal,
                   this, SLOT(onReloadKind(QString)));
    bus.disconnect(QString(), WidgetCenter::kPath, WidgetCenter::kInterface, WidgetCenter::kReloadAllSignal,
                   this, SLOT(onReloadAll()));
}

void WidgetReloadListener::onReloadKind(const QString& kind) {
    if (handler_) handler_(kind.toStdString());
}

void WidgetReloadListener::onReloadAll() {
    if (handler_) handler_(std::nullopt);
}

} // namespace plyx::widgetkit
