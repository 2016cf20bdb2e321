#pragma once
// Follows the system time zone while the program runs: the zone file's link
// being replaced (what every zone setting tool ends up doing) and, where a
// system bus exists, the time-date service announcing a new zone. Either makes
// the process read its zone again; `zoneChanged` says when it did change.
// With TZ set in the environment the zone is fixed and nothing is watched.
#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace plyx::time {

class ZoneWatcher : public QObject {
    Q_OBJECT
public:
    explicit ZoneWatcher(QObject* parent = nullptr);

    /// Whether anything is watched (false when TZ fixes the zone).
    bool isWatching() const { return watching_; }

signals:
    /// The process's system zone is now `zoneId`.
    void zoneChanged(const QString& zoneId);

private slots:
    void onServicePropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&);

private:
    void reread();

    QFileSystemWatcher files_;
    bool watching_ = false;
};

} // namespace plyx::time
