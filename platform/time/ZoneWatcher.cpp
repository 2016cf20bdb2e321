#include "platform/time/ZoneWatcher.h"

#include "platform/time/Time.h"

#include <QDBusConnection>
#include <QDBusVariant>
#include <QLoggingCategory>

namespace plyx::time {
namespace {

Q_LOGGING_CATEGORY(lcZone, "com.zelvanedesigns.plyx.time.zone")

constexpr const char* kTimedateInterface = "org.freedesktop.timedate1";
constexpr const char* kTimedatePath = "/org/freedesktop/timedate1";
constexpr const char* kTimezoneProperty = "Timezone";

} // namespace

ZoneWatcher::ZoneWatcher(QObject* parent) : QObject(parent) {
    if (zoneFixedByEnvironment()) return;
    watching_ = true;
    // The link is replaced, not written: a watch on the link itself would
    // follow it to the old zone's file and never fire. The folder sees the
    // replacement (and a remove-then-create as two changes).
    const auto file = zoneFile();
    const QString folder = QString::fromStdString(file.parent_path().string());
    if (!files_.addPath(folder)) qCInfo(lcZone).noquote() << "cannot watch" << folder << "for zone changes";
    connect(&files_, &QFileSystemWatcher::directoryChanged, this, [this] { reread(); });

    // Any sender: the service is started on demand and has a new name each time.
    auto bus = QDBusConnection::systemBus();
    if (bus.isConnected())
        bus.connect(QString(), kTimedatePath, "org.freedesktop.DBus.Properties", "PropertiesChanged", this,
                    SLOT(onServicePropertiesChanged(QString, QVariantMap, QStringList)));
}

void ZoneWatcher::reread() {
    if (refreshSystemZone()) emit zoneChanged(QString::fromStdString(currentZone()));
}

void ZoneWatcher::onServicePropertiesChanged(const QString& interface, const QVariantMap& changed,
                                             const QStringList&) {
    if (interface != QLatin1String(kTimedateInterface)) return;
    QVariant zone = changed.value(kTimezoneProperty);
    if (zone.canConvert<QDBusVariant>()) zone = zone.value<QDBusVariant>().variant();
    // The service names the zone even where the zone file is a copy, not a link.
    if (zone.typeId() == QMetaType::QString && adoptSystemZone(zone.toString().toStdString())) {
        emit zoneChanged(QString::fromStdString(currentZone()));
        return;
    }
    reread();
}

} // namespace plyx::time
