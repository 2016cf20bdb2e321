#include "platform/bus/Bus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QLoggingCategory>

#include <atomic>
#include <optional>

namespace plyx::bus {

namespace {

Q_LOGGING_CATEGORY(lcBus, "com.zelvanedesigns.plyx.bus")

// How long a post waits for the bus to confirm it holds the signal; a bus
// that takes longer is stuck, and the post goes on without the answer.
constexpr int kDeliveryTimeoutMs = 500;

// The session bus when one is reachable. A missing bus is logged once per
// process: every later post would say the same thing.
std::optional<QDBusConnection> sessionBus() {
    auto bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) return bus;
    static std::atomic_flag told = ATOMIC_FLAG_INIT;
    if (!told.test_and_set())
        qCInfo(lcBus) << "no session bus: notifications are not delivered" << bus.lastError().message();
    return std::nullopt;
}

// Asks the bus daemon for an answer; it answers only after handling every
// message this connection sent before.
void roundTrip(QDBusConnection& bus) {
    auto ping = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                               QStringLiteral("/org/freedesktop/DBus"),
                                               QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    bus.call(ping, QDBus::Block, kDeliveryTimeoutMs);
}

} // namespace

bool post(const std::string& name) {
    auto bus = sessionBus();
    if (!bus) return false;
    auto msg = QDBusMessage::createSignal(kPath, kInterface, kSignal);
    msg << QString::fromStdString(name);
    if (!bus->send(msg)) return false;
    // Sending only queues the signal for the connection's own thread; a
    // process that exits right after (an intent run, a command) would lose
    // it. A round trip to the bus, answered after everything queued before
    // it, makes sure the bus has it, and with it whatever this process sent
    // earlier (such as widget reloads).
    roundTrip(*bus);
    return true;
}

Observation::Observation(std::string name, std::function<void()> handler)
    : name_(std::move(name)), handler_(std::move(handler)) {
    auto bus = sessionBus();
    if (!bus) return;
    // The bus filters by the name (a match on the first argument), so an
    // observer only wakes for its own notifications.
    observing_ = bus->connect(QString(), kPath, kInterface, kSignal, {QString::fromStdString(name_)}, QString(),
                              this, SLOT(onPosted(QString)));
    // One round trip to the bus: it handles a connection's messages in order,
    // so once it answers, the match above is in place and every post made
    // from now on is heard.
    if (observing_) roundTrip(*bus);
}

Observation::~Observation() {
    if (!observing_) return;
    auto bus = QDBusConnection::sessionBus();
    if (bus.isConnected())
        bus.disconnect(QString(), kPath, kInterface, kSignal, {QString::fromStdString(name_)}, QString(), this,
                       SLOT(onPosted(QString)));
}

void Observation::onPosted(const QString& name) {
    // The match rule already filters; the check keeps a bus without argument
    // matching from delivering other names.
    if (handler_ && name.toStdString() == name_) handler_();
}

std::unique_ptr<Observation> observe(const std::string& name, std::function<void()> handler) {
    return std::make_unique<Observation>(name, std::move(handler));
}

} // namespace plyx::bus
