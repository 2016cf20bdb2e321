#include "platform/widgetkit/WidgetCenter.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace plyx::widgetkit {

namespace {
WidgetCenter::BusNames& names() {
    static WidgetCenter::BusNames n;
    return n;
}
bool configured() { return !names().path.empty() && !names().interface.empty(); }
QString path() { return QString::fromStdString(names().path); }
QString interface() { return QString::fromStdString(names().interface); }

bool send(const char* signal, const QVariantList& args) {
    if (!configured()) return false;
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    auto msg = QDBusMessage::createSignal(path(), interface(), signal);
    msg.setArguments(args);
    return bus.send(msg);
}
} // namespace

void WidgetCenter::setBusNames(BusNames n) { names() = std::move(n); }

const WidgetCenter::BusNames& WidgetCenter::busNames() { return names(); }

bool WidgetCenter::reloadTimelines(const std::string& kind) {
    return send(kReloadKindSignal, {QString::fromStdString(kind)});
}

bool WidgetCenter::reloadAllTimelines() { return send(kReloadAllSignal, {}); }

WidgetReloadListener::WidgetReloadListener(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
    auto bus = QDBusConnection::sessionBus();
    if (!configured() || !bus.isConnected()) return;
    const bool kind = bus.connect(QString(), path(), interface(),
                                  WidgetCenter::kReloadKindSignal, this, SLOT(onReloadKind(QString)));
    const bool all = bus.connect(QString(), path(), interface(),
                                 WidgetCenter::kReloadAllSignal, this, SLOT(onReloadAll()));
    listening_ = kind && all;
}

WidgetReloadListener::~WidgetReloadListener() {
    auto bus = QDBusConnection::sessionBus();
    if (!listening_ || !bus.isConnected()) return;
    bus.disconnect(QString(), path(), interface(), WidgetCenter::kReloadKindSignal,
                   this, SLOT(onReloadKind(QString)));
    bus.disconnect(QString(), path(), interface(), WidgetCenter::kReloadAllSignal,
                   this, SLOT(onReloadAll()));
}

void WidgetReloadListener::onReloadKind(const QString& kind) {
    if (handler_) handler_(kind.toStdString());
}

void WidgetReloadListener::onReloadAll() {
    if (handler_) handler_(std::nullopt);
}

} // namespace plyx::widgetkit
