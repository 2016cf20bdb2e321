#pragma once
// The hub of the application's background work: starts every collector once,
// keeps the reminders and calendar snapshots in step with the event sources,
// refreshes the fast-changing widgets on the stats timer, and reloads every
// widget when the extension says shared data changed. Lives on the main
// thread.
//
// The header stays free of the coding headers (the meta-object compiler
// cannot read them); the ports come in through app/services/ServicePorts.h.
#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

namespace plyx::time {
class ZoneWatcher;
}

namespace plyx {

struct ServicePorts;

class AppServices : public QObject {
    Q_OBJECT
public:
    /// The reload notification the extension posts after changing shared data.
    static constexpr const char* kReloadNotification = "com.zelvanedesigns.plyx.reloadwidgets";

    explicit AppServices(ServicePorts ports, QObject* parent = nullptr);
    ~AppServices() override;

    bool remindersConnected() const { return remindersConnected_; }
    bool calendarConnected() const { return calendarConnected_; }

    /// Starts the background services; every call after the first returns at once.
    void start();
    /// Replaces the stats timer with one at the interval read now.
    void restartStatsTimer();
    /// Asks for one sync of the reminders and calendar snapshots and returns
    /// at once. Syncs run one after the other: one asked for while another
    /// runs starts after it (once, however often it was asked for).
    void syncEventData();
    /// Ask for access on a worker thread, then set the flag and sync.
    void connectReminders();
    void connectCalendar();

    /// The stats interval in seconds: "plyx.pollseconds" of the standard
    /// defaults when above 0, else 60.
    static int statsIntervalSeconds();
    /// The running stats timer; none before `start()`.
    const QTimer* statsTimer() const { return statsTimer_; }
    /// How many observers `start()` has registered.
    std::size_t observerCount() const { return observerTokens_.size(); }

signals:
    void remindersConnectedChanged(bool connected);
    void calendarConnectedChanged(bool connected);
    /// A sync has finished (its snapshots stored and widgets reloaded).
    void syncFinished();

private:
    void statsTick();
    void runSync();
    void syncCalendarAndFinish();
    void refreshFlags();
    void setRemindersConnected(bool v);
    void setCalendarConnected(bool v);

    std::unique_ptr<ServicePorts> ports_;
    bool remindersConnected_ = false;
    bool calendarConnected_ = false;
    bool started_ = false;
    std::vector<std::unique_ptr<QObject>> observerTokens_;
    QTimer* statsTimer_ = nullptr;
    std::unique_ptr<time::ZoneWatcher> zoneWatcher_;
    bool syncRunning_ = false;
    bool syncAgain_ = false;
};

} // namespace plyx
