// The desktop's accent colour through the XDG desktop portal: a fake portal
// on this test process's own session bus answers the way the real one does.
#include "shared/foundation/SystemAccent.h"
#include "shared/foundation/ThemeSettings.h"
#include "tests/support/bus/PrivateBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QGuiApplication>
#include <QMutex>
#include <QPalette>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace plyx {
namespace {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

/// What the fake portal answers for the accent.
struct PortalState {
    bool readOneKnown = true;  ///< false: a portal older than "ReadOne"
    std::optional<Rgb> accent; ///< none: the key is not found
    bool answerText = false;   ///< a value of the wrong type
};

/// The portal's Settings interface, answering the way the real one does:
/// "ReadOne" gives the value in a variant, the older "Read" wraps it twice.
class FakeSettings : public QDBusVirtualObject {
public:
    void setState(PortalState s) {
        QMutexLocker lock(&mutex_);
        state_ = s;
    }

    QString introspect(const QString&) const override {
        return R"(<interface name="org.freedesktop.portal.Settings">
  <method name="ReadOne"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
  <method name="Read"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
</interface>)";
    }

    bool handleMessage(const QDBusMessage& call, const QDBusConnection& bus) override {
        PortalState s;
        {
            QMutexLocker lock(&mutex_);
            s = state_;
        }
        const QString method = call.member();
        if (call.interface() != "org.freedesktop.portal.Settings" || (method != "ReadOne" && method != "Read") ||
            (method == "ReadOne" && !s.readOneKnown)) {
            return bus.send(call.createErrorReply(QDBusError::UnknownMethod, "No such method"));
        }
        const auto args = call.arguments();
        if (args.size() != 2 || args[0].toString() != "org.freedesktop.appearance" ||
            args[1].toString() != "accent-color" || !s.accent)
            return bus.send(call.createErrorReply("org.freedesktop.portal.Error.NotFound", "Requested setting not found"));
        QVariant value;
        if (s.answerText) {
            value = QString("red");
        } else {
            QDBusArgument rgb;
            rgb.beginStructure();
            rgb << s.accent->r << s.accent->g << s.accent->b;
            rgb.endStructure();
            value = QVariant::fromValue(rgb);
        }
        QVariant answer = QVariant::fromValue(QDBusVariant(value));
        if (method == "Read") answer = QVariant::fromValue(QDBusVariant(answer));
        return bus.send(call.createReply(answer));
    }

private:
    QMutex mutex_;
    PortalState state_;
};

/// The portal's service on its own connection, served from its own thread:
/// the accent is read with a blocking call, so the answer cannot come from
/// the thread that waits for it.
class FakePortal {
public:
    FakePortal() {
        settings_.moveToThread(&thread_);
        thread_.start();
        QMetaObject::invokeMethod(
            &settings_,
            [this] {
                auto bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnection);
                registered_ = bus.registerVirtualObject("/org/freedesktop/portal/desktop", &settings_) &&
                              bus.registerService("org.freedesktop.portal.Desktop");
            },
            Qt::BlockingQueuedConnection);
    }
    ~FakePortal() {
        QThread* const owner = QThread::currentThread();
        QMetaObject::invokeMethod(
            &settings_,
            [this, owner] {
                auto bus = QDBusConnection(kConnection);
                bus.unregisterService("org.freedesktop.portal.Desktop");
                bus.unregisterObject("/org/freedesktop/portal/desktop");
                QDBusConnection::disconnectFromBus(kConnection);
                settings_.moveToThread(owner);
            },
            Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    bool registered() const { return registered_; }
    void answer(PortalState s) { settings_.setState(s); }

private:
    static constexpr const char* kConnection = "plyx-fake-portal";
    QThread thread_;
    FakeSettings settings_;
    bool registered_ = false;
};

// Qt keeps palette colours in 16 bits a channel, so the highlight reads back
// to within a rounding of the 8-bit value set.
bool near(const ui::Color& a, const ui::Color& b) {
    return std::abs(a.r - b.r) < 1e-6 && std::abs(a.g - b.g) < 1e-6 && std::abs(a.b - b.b) < 1e-6 && a.a == b.a;
}

void setHighlight(const QColor& c) {
    QPalette p = QGuiApplication::palette();
    p.setColor(QPalette::Highlight, c);
    QGuiApplication::setPalette(p);
}

TEST(SystemAccent, ThePortalsAccentElseThePaletteHighlight) {
    ASSERT_FALSE(test::privateBusAddress().empty()) << "dbus-daemon could not be started";
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
    setHighlight(QColor(12, 34, 200));
    const ui::Color highlight = ui::Color::rgb(12 / 255.0, 34 / 255.0, 200 / 255.0);

    // No portal on the bus at all.
    EXPECT_EQ(portalAccentColor(), std::nullopt);
    EXPECT_TRUE(near(systemAccentColor(), highlight));

    FakePortal portal;
    ASSERT_TRUE(portal.registered());
    struct Case {
        const char* name;
        PortalState state;
        std::optional<ui::Color> want; ///< none: the palette's highlight
    };
    const Case cases[] = {
        {"accent", {true, Rgb{0.2, 0.4, 0.6}, false}, ui::Color::rgb(0.2, 0.4, 0.6)},
        {"older portal", {false, Rgb{1, 0.5, 0}, false}, ui::Color::rgb(1, 0.5, 0)},
        {"edges", {true, Rgb{0, 1, 0}, false}, ui::Color::rgb(0, 1, 0)},
        {"no accent chosen", {true, Rgb{-1, -1, -1}, false}, std::nullopt},
        {"one component out of range", {true, Rgb{0.5, 1.5, 0.5}, false}, std::nullopt},
        {"key not found", {true, std::nullopt, false}, std::nullopt},
        {"wrong type", {true, Rgb{}, true}, std::nullopt},
    };
    for (const auto& c : cases) {
        portal.answer(c.state);
        EXPECT_EQ(portalAccentColor(), c.want) << c.name;
        EXPECT_TRUE(near(systemAccentColor(), c.want.value_or(highlight))) << c.name;
    }

    // A theme that follows the desktop takes it; one that does not keeps its own.
    portal.answer({true, Rgb{0.2, 0.4, 0.6}, false});
    ThemeSettings t;
    t.accent = ThemeSettings::Accent::named(ThemeSettings::Accent::Kind::green);
    t.followSystemAccent = true;
    EXPECT_EQ(t.accentColor(), ui::Color::rgb(0.2, 0.4, 0.6));
    t.followSystemAccent = false;
    EXPECT_EQ(t.accentColor(), t.accent.color());
}

} // namespace
} // namespace plyx
