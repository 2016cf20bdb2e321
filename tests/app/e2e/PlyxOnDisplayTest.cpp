// Plyx as a user meets it, on an X display: the first start holds the
// session, a second start opens the first one's window and exits, a link
// reaches the running copy, and its tray item, with its menu, is in the
// panel. The panel is a small status-notifier watcher on the test's own bus, the way desktop
// panels host tray items.
#include "tests/support/bus/PrivateBus.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QProcess>
#include <QProcessEnvironment>
#include <QMutex>
#include <QThread>

#include "tests/app/e2e/DisplayWindows.h"
#include "tests/support/gui/XServer.h"

#include <string>
#include <vector>

namespace {

using plyx::test::plyxWindows;

/// The panel's side of the tray: items register here.
class TrayWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
public:
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const {
        QMutexLocker lock(&m_);
        return items_;
    }

public slots:
    void RegisterStatusNotifierItem(const QString& service) {
        QMutexLocker lock(&m_);
        items_ << service;
    }
    void RegisterStatusNotifierHost(const QString&) {}

private:
    mutable QMutex m_;
    QStringList items_;
};

QProcessEnvironment plyxEnvironment() {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("QT_LOGGING_RULES", "com.zelvanedesigns.plyx.app.info=true");
    return env;
}

/// A later start: runs to its end and gives its exit code.
int startAgain(const QStringList& args) {
    QProcess p;
    p.setProcessEnvironment(plyxEnvironment());
    p.start(PLYX_APP, args);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(PlyxOnDisplay, OneCopyReopensAndTakesLinksWithItsTrayItemInThePanel) {
    plyx::test::XServer x;
    ASSERT_FALSE(x.display().isEmpty()) << "Xvfb could not be started";
    ASSERT_FALSE(plyx::test::privateBusAddress().empty());
    plyx::test::coreApp();
    auto bus = QDBusConnection::sessionBus();
    // The panel answers from a thread of its own, as it would from its own
    // process, while the test waits on a later start.
    QThread panel;
    TrayWatcher watcher;
    watcher.moveToThread(&panel);
    panel.start();
    struct Stop {
        QThread& t;
        ~Stop() {
            t.quit();
            t.wait();
        }
    } stopPanel{panel};
    ASSERT_TRUE(bus.registerObject("/StatusNotifierWatcher", &watcher,
                                   QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(bus.registerService("org.kde.StatusNotifierWatcher"));

    QProcess first;
    first.setProcessEnvironment(plyxEnvironment());
    first.setProcessChannelMode(QProcess::SeparateChannels);
    QByteArray log;
    QObject::connect(&first, &QProcess::readyReadStandardError, [&] { log += first.readAllStandardError(); });
    first.start(PLYX_APP, {"--login"});
    ASSERT_TRUE(first.waitForStarted());

    // Up: the session's name is held and the tray item is in the panel.
    ASSERT_TRUE(plyx::test::spinUntil([&] {
        return bus.interface()->isServiceRegistered("com.zelvanedesigns.plyx").value() && !watcher.items().isEmpty();
    })) << log.constData();
    EXPECT_TRUE(plyxWindows().empty());  // a login start shows no window

    // A second start opens the first one's window and exits.
    EXPECT_EQ(startAgain({}), 0);
    ASSERT_TRUE(plyx::test::spinUntil([] { return !plyxWindows().empty(); }));
    const auto windows = plyxWindows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].width, 1144);
    EXPECT_EQ(windows[0].height, 720);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A link goes to the running copy.
    EXPECT_EQ(startAgain({"plyxwidgets://notes?id=1"}), 0);
    ASSERT_TRUE(plyx::test::spinUntil([&] { return log.contains("link opened: \"plyxwidgets://notes?id=1\""); }))
        << log.constData();
    EXPECT_EQ(plyxWindows().size(), 1u);

    // The tray item registered with the panel and offers its menu.
    QString item = watcher.items().first();
    QString service = item, path = "/StatusNotifierItem";
    if (const auto slash = item.indexOf('/'); slash > 0) {
        service = item.left(slash);
        path = item.mid(slash);
    }
    QDBusInterface sni(service, path, "org.kde.StatusNotifierItem", bus);
    const QString menuPath = sni.property("Menu").value<QDBusObjectPath>().path();
    ASSERT_FALSE(menuPath.isEmpty());
    // The menu itself is not driven from here: its calls go unanswered on
    // this bus, so the copy is ended from outside.
    first.terminate();
    EXPECT_TRUE(first.waitForFinished(10000));
}

} // namespace

#include "PlyxOnDisplayTest.moc"
