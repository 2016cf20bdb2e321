#include "widgets/timelines/EventProviders.h"

#include "platform/time/Time.h"
#include "shared/sync/EventSync.h"

namespace plyx {

namespace {

constexpr double kRefreshSeconds = 15 * 60;

// How one kind of snapshot is read, kept and stood in for.
template <class T> struct Kind {
    events::EntityType type;
    std::optional<T> (*read)();
    void (*store)(const T&);
    std::optional<T> (*stored)();
};

const Kind<RemindersSnapshot> kReminders{events::EntityType::reminder, &EventSync::readReminders,
                                         &EventSync::storeReminders, &EventSync::storedReminders};
const Kind<CalendarSnapshot> kCalendar{events::EntityType::event, &EventSync::readCalendar, &EventSync::storeCalendar,
                                       &EventSync::storedCalendar};

// With full access a successful read is stored and shown, an empty one
// included; a failed read, like no access, falls back on what is stored.
template <class T> std::optional<T> current(const Kind<T>& kind) {
    if (EventSync::authorizationStatus(kind.type) == events::AuthorizationStatus::fullAccess)
        if (auto read = kind.read()) {
            kind.store(*read);
            return read;
        }
    return kind.stored();
}

template <class T>
PlyxEntry<T> snapshotEntry(const Kind<T>& kind, const T& sample, SurfaceOption surface,
                           const widgetkit::TimelineProviderContext& ctx) {
    const Date date = time::now();
    if (ctx.isPreview) return {date, sample, surface};
    return {date, current(kind).value_or(sample), surface};
}

template <class T> widgetkit::Timeline<PlyxEntry<T>> timelineOf(const Kind<T>& kind, SurfaceOption surface) {
    const Date date = time::now();
    PlyxEntry<T> entry{date, current(kind).value_or(T{}), surface};
    return {{std::move(entry)}, widgetkit::TimelineReloadPolicy::after(time::now() + kRefreshSeconds)};
}

} // namespace

RemindersProvider::Entry RemindersProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    return {time::now(), RemindersSnapshot::sample(), SurfaceOption::followApp};
}

RemindersProvider::Entry RemindersProvider::snapshot(const Intent& intent,
                                                     const widgetkit::TimelineProviderContext& ctx) const {
    return snapshotEntry(kReminders, RemindersSnapshot::sample(), intent.surface, ctx);
}

widgetkit::Timeline<RemindersProvider::Entry>
RemindersProvider::timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
    return timelineOf(kReminders, intent.surface);
}

CalendarProvider::Entry CalendarProvider::placeholder(const widgetkit::TimelineProviderContext&) const {
    return {time::now(), CalendarSnapshot::sample(), SurfaceOption::followApp};
}

CalendarProvider::Entry CalendarProvider::snapshot(const Intent& intent,
                                                   const widgetkit::TimelineProviderContext& ctx) const {
    return snapshotEntry(kCalendar, CalendarSnapshot::sample(), intent.surface, ctx);
}

widgetkit::Timeline<CalendarProvider::Entry>
CalendarProvider::timeline(const Intent& intent, const widgetkit::TimelineProviderContext&) const {
    return timelineOf(kCalendar, intent.surface);
}

} // namespace plyx
