#pragma once
// One running copy of a program per user session: the first start takes a
// name on the session bus; a later start hands its request (reopen, or open a
// link) to the holder and exits. Without a session bus every start runs on
// its own.
#include <QDBusConnection>
#include <QObject>
#include <QString>

namespace plyx::desktop {

class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zelvanedesigns.plyx.Application")
public:
    /// `serviceName` is the bus name held while the program runs on `bus`.
    explicit SingleInstance(QString serviceName, QDBusConnection bus = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    /// Takes the name. False when another process holds it (hand over with
    /// `handOver` then); true also when there is no session bus.
    bool claim();

    /// Sends the running holder of `serviceName` a reopen, or `url` to open
    /// when not empty. Whether it took the request.
    static bool handOver(const QString& serviceName, const QString& url,
                         QDBusConnection bus = QDBusConnection::sessionBus());

    static constexpr const char* kObjectPath = "/com/zelvanedesigns/plyx/Application";

public slots:
    /// Called over the bus by a later start.
    Q_SCRIPTABLE void Reopen();
    Q_SCRIPTABLE void OpenURL(const QString& url);

signals:
    void reopenRequested();
    void urlOpened(const QString& url);

private:
    QString serviceName_;
    QDBusConnection bus_;
    bool holding_ = false;
};

} // namespace plyx::desktop
