#include "app/services/AppServices.h"

#include "app/services/ServicePorts.h"
#include "platform/bus/Bus.h"
#include "platform/store/Defaults.h"
#include "platform/time/ZoneWatcher.h"
#include "shared/storage/SharedStorage.h"

#include <QFutureWatcher>
#include <QPointer>
#include <QtConcurrent>

#include <algorithm>
#include <array>
#include <cstdint>

namespace plyx {

namespace {

using events::AuthorizationStatus;
using events::EntityType;

constexpr int kDefaultStatsSeconds = 60;
constexpr std::int64_t kLongestStatsSeconds = 2'000'000;

constexpr std::array<const char*, 4> kStatsKinds = {"plyx.system.monitor", "plyx.system.network", "plyx.nowplaying",
                                                    "plyx.remote"};
constexpr std::array<const char*, 4> kRemindersKinds = {"plyx.reminders.checklist", "plyx.reminders.nextUp",
                                                        "plyx.reminders.single", "plyx.reminders.today"};
constexpr std::array<const char*, 4> kCalendarKinds = {"plyx.calendar.bigDate", "plyx.calendar.monthGrid",
                                                       "plyx.calendar.dayEvents", "plyx.calendar.agenda"};

/// Runs `fn` on the main thread after the work now running there.
template <class F> void later(QObject* context, F fn) {
    QMetaObject::invokeMethod(context, std::move(fn), Qt::QueuedConnection);
}

} // namespace

AppServices::AppServices(ServicePorts ports, QObject* parent)
    : QObject(parent), ports_(std::make_unique<ServicePorts>(std::move(ports))) {
    remindersConnected_ = ports_->authorizationStatus(EntityType::reminder) == AuthorizationStatus::fullAccess;
    calendarConnected_ = ports_->authorizationStatus(EntityType::event) == AuthorizationStatus::fullAccess;
}

AppServices::~AppServices() = default;

void AppServices::start() {
    // Both the launch and the main window's first showing start the
    // services; the flag goes up first so only one of them does.
    if (started_) return;
    started_ = true;

    if (ports_->startUsageTracker) ports_->startUsageTracker();
    if (ports_->startMusicListener) ports_->startMusicListener();
    if (ports_->startMailPoller && store::Defaults::standard().boolean(StorageKeys::mailEnabled))
        ports_->startMailPoller();
    if (ports_->startBatteryPoller) ports_->startBatteryPoller();
    // Without access nothing is asked for, not even the permission.
    if (ports_->locationAuthorized && ports_->requestOneLocation && ports_->locationAuthorized())
        ports_->requestOneLocation();

    syncEventData();
    restartStatsTimer();

    auto storeToken = std::make_unique<QObject>();
    ports_->observeEventStore(storeToken.get(), [this] { later(this, [this] { syncEventData(); }); });
    observerTokens_.push_back(std::move(storeToken));

    observerTokens_.push_back(bus::observe(kReloadNotification, [this] {
        later(this, [this] { ports_->reloadAllTimelines(); });
    }));

    // A new system zone moves "today": the calendar snapshot is taken again
    // (the day keys and the stats read the zone each time anyway).
    zoneWatcher_ = std::make_unique<time::ZoneWatcher>();
    connect(zoneWatcher_.get(), &time::ZoneWatcher::zoneChanged, this, [this] { syncEventData(); });
}

int AppServices::statsIntervalSeconds() {
    const auto seconds = store::Defaults::standard().integer(StorageKeys::pollSeconds);
    if (seconds <= 0) return kDefaultStatsSeconds;
    // A timer counts milliseconds in an int: longer intervals are held at
    // its longest rather than wrapping round to a negative one.
    return static_cast<int>(std::min<std::int64_t>(seconds, kLongestStatsSeconds));
}

void AppServices::restartStatsTimer() {
    delete statsTimer_;
    statsTimer_ = new QTimer(this);
    statsTimer_->setInterval(statsIntervalSeconds() * 1000);
    connect(statsTimer_, &QTimer::timeout, this, [this] { later(this, [this] { statsTick(); }); });
    statsTimer_->start();
}

void AppServices::statsTick() {
    // The player is read again first, so the reloads show what it plays now.
    if (ports_->syncFromMusic) ports_->syncFromMusic();
    for (const char* kind : kStatsKinds) ports_->reloadTimelines(kind);
}

void AppServices::syncEventData() {
    if (syncRunning_) {
        // Two reads overlapping could store the older one last; the one asked
        // for now runs after the current one instead.
        syncAgain_ = true;
        return;
    }
    syncRunning_ = true;
    later(this, [this] { runSync(); });
}

void AppServices::runSync() {
    // The sources may have changed since the last sync (a first "Connect").
    if (ports_->refreshEventStoreWatch) ports_->refreshEventStoreWatch();
    if (ports_->authorizationStatus(EntityType::reminder) != AuthorizationStatus::fullAccess) {
        syncCalendarAndFinish();
        return;
    }
    // Only the reminders read leaves the main thread; its snapshot is stored
    // there too, and the reloads come back here after the store.
    auto* watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcher<void>::finished, this, [this, watcher] {
        watcher->deleteLater();
        for (const char* kind : kRemindersKinds) ports_->reloadTimelines(kind);
        syncCalendarAndFinish();
    });
    const ServicePorts* ports = ports_.get();
    watcher->setFuture(QtConcurrent::run([ports] {
        if (ports->authorizationStatus(EntityType::reminder) != AuthorizationStatus::fullAccess) return;
        if (auto snapshot = ports->readReminders()) ports->storeReminders(*snapshot);
    }));
}

void AppServices::syncCalendarAndFinish() {
    if (ports_->authorizationStatus(EntityType::event) == AuthorizationStatus::fullAccess) {
        if (auto snapshot = ports_->readCalendar()) ports_->storeCalendar(*snapshot);
        for (const char* kind : kCalendarKinds) ports_->reloadTimelines(kind);
    }
    refreshFlags();
    syncRunning_ = false;
    emit syncFinished();
    if (syncAgain_) {
        syncAgain_ = false;
        syncEventData();
    }
}

void AppServices::refreshFlags() {
    setRemindersConnected(ports_->authorizationStatus(EntityType::reminder) == AuthorizationStatus::fullAccess);
    setCalendarConnected(ports_->authorizationStatus(EntityType::event) == AuthorizationStatus::fullAccess);
}

void AppServices::setRemindersConnected(bool v) {
    if (v == remindersConnected_) return;
    remindersConnected_ = v;
    emit remindersConnectedChanged(v);
}

void AppServices::setCalendarConnected(bool v) {
    if (v == calendarConnected_) return;
    calendarConnected_ = v;
    emit calendarConnectedChanged(v);
}

void AppServices::connectReminders() {
    auto* watcher = new QFutureWatcher<bool>(this);
    connect(watcher, &QFutureWatcher<bool>::finished, this, [this, watcher] {
        watcher->deleteLater();
        setRemindersConnected(watcher->result());
        syncEventData();
    });
    watcher->setFuture(QtConcurrent::run(ports_->requestRemindersAccess));
}

void AppServices::connectCalendar() {
    auto* watcher = new QFutureWatcher<bool>(this);
    connect(watcher, &QFutureWatcher<bool>::finished, this, [this, watcher] {
        watcher->deleteLater();
        setCalendarConnected(watcher->result());
        syncEventData();
    });
    watcher->setFuture(QtConcurrent::run(ports_->requestCalendarAccess));
}

} // namespace plyx
