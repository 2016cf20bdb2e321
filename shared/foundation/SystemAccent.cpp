#include "shared/foundation/SystemAccent.h"

#include <QColor>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QPalette>

namespace plyx {

namespace {

constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kSettingsInterface = "org.freedesktop.portal.Settings";
constexpr const char* kAppearanceNamespace = "org.freedesktop.appearance";
constexpr const char* kAccentKey = "accent-color";
// Every widget render may ask; a portal that hangs must not hold a render
// for long, and a healthy one answers in well under a millisecond.
constexpr int kTimeoutMs = 500;

QDBusMessage readSetting(const QDBusConnection& bus, const char* method) {
    QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kSettingsInterface, method);
    call << QString(kAppearanceNamespace) << QString(kAccentKey);
    return bus.call(call, QDBus::Block, kTimeoutMs);
}

// "ReadOne" answers the value in one variant; the older "Read", which every
// portal still offers, wraps it in a second one. Unwrap however many there are.
QVariant unwrapped(QVariant v) {
    while (v.userType() == qMetaTypeId<QDBusVariant>()) v = v.value<QDBusVariant>().variant();
    return v;
}

std::optional<ui::Color> colorOf(const QVariant& value) {
    if (value.userType() != qMetaTypeId<QDBusArgument>()) return std::nullopt;
    const auto arg = value.value<QDBusArgument>();
    if (arg.currentSignature() != QLatin1String("(ddd)")) return std::nullopt;
    double rgb[3] = {};
    arg.beginStructure();
    arg >> rgb[0] >> rgb[1] >> rgb[2];
    arg.endStructure();
    // Components outside 0...1 mean the user chose no accent.
    for (const double c : rgb)
        if (!(c >= 0 && c <= 1)) return std::nullopt;
    return ui::Color::rgb(rgb[0], rgb[1], rgb[2]);
}

ui::Color paletteHighlight() {
    // Without a GUI application there is no desktop palette to ask; Qt's
    // built-in palette is what an application would see on a bare desktop.
    // A plain core application counts as none: the GUI palette would be read
    // through an application object that is not one, and crash.
    const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    const QColor c = gui ? QGuiApplication::palette().color(QPalette::Highlight) : QPalette().color(QPalette::Highlight);
    const QColor s = c.toRgb();
    return ui::Color::rgb(s.redF(), s.greenF(), s.blueF(), s.alphaF());
}

} // namespace

std::optional<ui::Color> portalAccentColor() {
    // Qt's bus connections need an application object to run on.
    if (!QCoreApplication::instance()) return std::nullopt;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return std::nullopt;
    QDBusMessage reply = readSetting(bus, "ReadOne");
    if (reply.type() == QDBusMessage::ErrorMessage && reply.errorName() == QDBusError::errorString(QDBusError::UnknownMethod))
        reply = readSetting(bus, "Read");
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return std::nullopt;
    return colorOf(unwrapped(reply.arguments().constFirst()));
}

ui::Color systemAccentColor() { return portalAccentColor().value_or(paletteHighlight()); }

} // namespace plyx
