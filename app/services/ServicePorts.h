#pragma once
// What the services hub talks to, as plain functions: the event sources and
// their snapshots, widget reloads, and the collectors it starts. The
// application hands in the real ones (`ServicePorts::live`); tests hand in
// doubles.
#include "platform/events/EventTypes.h"
#include "shared/models/CalendarSnapshot.h"
#include "shared/models/RemindersSnapshot.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>

namespace plyx {

struct ServicePorts {
    // Event sources. The reminders read and store run on a worker thread;
    // everything else on the main thread.
    std::function<events::AuthorizationStatus(events::EntityType)> authorizationStatus;
    std::function<std::optional<RemindersSnapshot>()> readReminders;
    std::function<void(const RemindersSnapshot&)> storeReminders;
    std::function<std::optional<CalendarSnapshot>()> readCalendar;
    std::function<void(const CalendarSnapshot&)> storeCalendar;
    /// Asked on a worker thread; whether access was granted.
    std::function<bool()> requestRemindersAccess;
    std::function<bool()> requestCalendarAccess;
    /// Calls `onChange` whenever the event sources change, for as long as
    /// `owner` lives.
    std::function<void(QObject* owner, std::function<void()> onChange)> observeEventStore;
    /// Watches the sources configured now as well: every sync calls it, so a
    /// source connected after start is watched from its first sync on.
    std::function<void()> refreshEventStoreWatch;

    // Widget reloads.
    std::function<void(const std::string& kind)> reloadTimelines;
    std::function<void()> reloadAllTimelines;

    // Collectors started once by the hub, in this order; any left empty is skipped.
    std::function<void()> startUsageTracker;
    std::function<void()> startMusicListener;
    /// Started only while "plyx.mail.enabled" is on in the standard defaults.
    std::function<void()> startMailPoller;
    std::function<void()> startBatteryPoller;
    /// Whether location access is granted, and one location fix: asked for
    /// at start only while access is granted.
    std::function<bool()> locationAuthorized;
    std::function<void()> requestOneLocation;
    /// Re-reads the music player; the stats timer calls it before its reloads.
    std::function<void()> syncFromMusic;

    /// The real ones: the configured calendar sources, the widget center on
    /// the session bus. The collectors are left for the caller.
    static ServicePorts live();
};

} // namespace plyx
