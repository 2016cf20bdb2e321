// Idle time from the desktop's idle monitor on the session bus: a fake
// monitor answers on the test's private bus from a connection of its own, as
// the compositor would from its process.
#include "platform/desktop/Desktop.h"
#include "platform/desktop/IdleMonitor.h"

#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QThread>
#include <QtConcurrent>

#include <atomic>

namespace plyx::desktop {
namespace {

/// The monitor's side: GetIdletime answers what the test set (an unsigned
/// 64-bit count of milliseconds, or a text to stand for a broken monitor).
class FakeIdleMonitor : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")
public:
    std::atomic<qulonglong> idleMs{0};
    std::atomic<bool> broken{false};

public slots:
    qulonglong GetIdletime() {
        if (broken) {
            setDelayedReply(true);
            connection().send(message().createReply(QVariant(QString("soon"))));
        }
        return idleMs;
    }
};

/// Serves the fake on its own bus connection from its own thread.
class MonitorOnBus {
public:
    MonitorOnBus() : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake-idle-monitor")) {
        monitor.moveToThread(&thread_);
        thread_.start();
        ok = bus_.registerObject(kIdleMonitorPath, &monitor, QDBusConnection::ExportAllSlots) &&
             bus_.registerService(kIdleMonitorService);
    }
    ~MonitorOnBus() {
        bus_.unregisterService(kIdleMonitorService);
        bus_.unregisterObject(kIdleMonitorPath);
        thread_.quit();
        thread_.wait();
        QDBusConnection::disconnectFromBus("fake-idle-monitor");
    }
    FakeIdleMonitor monitor;
    bool ok = false;

private:
    QDBusConnection bus_;
    QThread thread_;
};

/// The monitor is asked from another thread, so the test's own loop stays free.
std::optional<double> askMonitor(std::optional<double> (*ask)()) {
    auto f = QtConcurrent::run(ask);
    EXPECT_TRUE(test::spinUntil([&] { return f.isFinished(); }));
    return f.result();
}

TEST(IdleMonitor, AnswersInSecondsWhileAMonitorIsOnTheBusAndNothingOtherwise) {
    ASSERT_FALSE(test::privateBusAddress().empty());
    test::coreApp();
    EXPECT_EQ(askMonitor(&idleMonitorSeconds), std::nullopt);  // no monitor yet

    MonitorOnBus bus;
    ASSERT_TRUE(bus.ok);
    bus.monitor.idleMs = 4200;
    EXPECT_EQ(askMonitor(&idleMonitorSeconds), 4.2);
    bus.monitor.idleMs = 0;
    EXPECT_EQ(askMonitor(&idleMonitorSeconds), 0.0);

    bus.monitor.broken = true;
    EXPECT_EQ(askMonitor(&idleMonitorSeconds), std::nullopt);
}

TEST(IdleMonitor, ADesktopWithoutAnXDisplayTakesItsIdleTimeFromTheMonitor) {
    ASSERT_FALSE(test::privateBusAddress().empty());
    test::coreApp();
    test::ScopedEnv noDisplay("DISPLAY", std::nullopt);
    MonitorOnBus bus;
    ASSERT_TRUE(bus.ok);
    bus.monitor.idleMs = 181'000;
    auto fromDesktop = +[]() -> std::optional<double> {
        auto desktop = sessionDesktop();
        return desktop->idleSeconds();
    };
    EXPECT_EQ(askMonitor(fromDesktop), 181.0);
}

} // namespace
} // namespace plyx::desktop

#include "IdleMonitorTest.moc"
