#include "shared/sync/EventSync.h"

#include "platform/coding/Uuid.h"
#include "platform/events/EventSources.h"
#include "platform/time/Time.h"
#include "shared/foundation/ClockFormat.h"
#include "shared/storage/SharedStorage.h"

#include <QString>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>
#include <limits>

namespace plyx::EventSync {

namespace {

constexpr const char* kUntitled = "Untitled";
constexpr const char* kDone = "Done";
constexpr const char* kMinutesSuffix = " min";
constexpr const char* kLocationSeparator = " \u00B7 ";
constexpr int kLocationCharacters = 24;
constexpr int kMaxEvents = 6;
constexpr int kMaxDone = 2;
constexpr double kUrgentSeconds = 7200;
constexpr double kWakingStart = 25200;  // 07:00 as plain seconds after the day's start
constexpr double kWakingEnd = 82800;    // 23:00

// The day that holds `now`: its start and the start of the next.
struct Day {
    Date start, end;
};
Day today(Date now) {
    const Date start = time::startOfDay(now);
    return {start, time::addingDays(start, 1)};
}

std::optional<Date> dueDate(const events::Reminder& r) {
    return r.dueDateComponents ? r.dueDateComponents->date : std::nullopt;
}

std::string titleOf(const std::optional<std::string>& title) { return title ? *title : kUntitled; }

// Times of day as `ClockFormat::hhmm` writes them, in the current zone, with
// the 12/24-hour setting read once per snapshot: reading it costs a visit to
// the shared suite, and a snapshot may hold dozens of times.
struct TimeText {
    bool h24 = ClockFormat::uses24Hour();
    std::string zone = time::currentZone();
    std::string operator()(Date d) const { return time::formatPOSIX(d, h24 ? "HH:mm" : "h:mm", zone); }
};

ReminderItem item(const events::Reminder& r, bool done, Date now, const TimeText& hhmm) {
    ReminderItem it;
    it.id = r.calendarItemIdentifier;
    it.title = titleOf(r.title);
    it.done = done;
    if (const auto due = dueDate(r)) {
        it.isUrgent = !done && (*due - now) < kUrgentSeconds;
        if (r.dueDateComponents->hour) it.time = hhmm(*due);
    }
    return it;
}

// The first `n` user-perceived characters of a text.
std::string prefix(const std::string& text, int n) {
    const QString s = QString::fromStdString(text);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    int count = 0;
    qsizetype end = s.size();
    while (finder.toNextBoundary() != -1) {
        if (++count == n) {
            end = finder.position();
            break;
        }
    }
    return s.left(end).toStdString();
}

events::EventStore openStore() { return events::EventStore(sources()); }

} // namespace

std::vector<std::filesystem::path> sources() { return events::configuredSources(SharedStorage::suite()); }

events::AuthorizationStatus authorizationStatus(events::EntityType type) {
    return events::EventStore::authorizationStatus(type, sources());
}

RemindersSnapshot remindersSnapshot(const std::vector<events::Reminder>& open,
                                    const std::vector<events::Reminder>& completed, Date now) {
    // 1. Open ones by due date; no date sorts last, equal dates keep the store's order.
    std::vector<events::Reminder> sorted = open;
    const Date farFuture{std::numeric_limits<double>::max()};
    std::stable_sort(sorted.begin(), sorted.end(), [&](const events::Reminder& a, const events::Reminder& b) {
        return dueDate(a).value_or(farFuture) < dueDate(b).value_or(farFuture);
    });

    // 2. The last two completed, as the store listed them, then every open one.
    RemindersSnapshot s;
    const TimeText hhmm;
    const size_t firstDone = completed.size() > kMaxDone ? completed.size() - kMaxDone : 0;
    for (size_t i = firstDone; i < completed.size(); ++i) s.items.push_back(item(completed[i], true, now, hhmm));
    for (const auto& r : sorted) s.items.push_back(item(r, false, now, hhmm));

    // 3. The next one is the first due strictly later than now; an undated
    //    one counts as long past, so it is never next.
    for (const auto& r : sorted) {
        const auto due = dueDate(r);
        if (!due || !(*due > now)) continue;
        s.nextUp = item(r, false, now, hhmm);
        const auto minutes = static_cast<std::int64_t>(std::trunc((*due - now) / 60.0));
        s.minutesToNext = std::max<std::int64_t>(minutes, 1);
        break;
    }
    return s;
}

CalendarSnapshot calendarSnapshot(const std::vector<events::Event>& events, Date dayStart, Date now) {
    // 1. Timed events only, by start, the first six.
    std::vector<events::Event> timed;
    for (const auto& e : events)
        if (!e.isAllDay) timed.push_back(e);
    std::stable_sort(timed.begin(), timed.end(),
                     [](const events::Event& a, const events::Event& b) { return a.startDate < b.startDate; });
    if (timed.size() > kMaxEvents) timed.resize(kMaxEvents);

    // 2. Flags and texts; one event at most is next, and one in progress is
    //    neither past nor next.
    CalendarSnapshot s;
    bool nextFound = false;
    const TimeText hhmm;
    for (const auto& e : timed) {
        EventItem it;
        it.id = e.eventIdentifier ? *e.eventIdentifier : Uuid::random().string();
        it.start = hhmm(e.startDate);
        it.end = hhmm(e.endDate);
        it.title = titleOf(e.title);
        it.isPast = e.endDate < now;
        it.isNext = !it.isPast && !nextFound && e.startDate > now;
        if (it.isNext) nextFound = true;
        const auto minutes = static_cast<std::int64_t>(std::trunc((e.endDate - e.startDate) / 60.0));
        if (it.isPast) it.detail = kDone;
        else if (e.location && !e.location->empty())
            it.detail = prefix(*e.location, kLocationCharacters) + kLocationSeparator + std::to_string(minutes) +
                        kMinutesSuffix;
        else it.detail = std::to_string(minutes) + kMinutesSuffix;
        s.events.push_back(std::move(it));
    }

    // 3. The waking day, 07:00 to 23:00 as plain seconds from the day's
    //    start (a clock change shifts it); anything not at least 0 is 0.
    const double raw = (now - (dayStart + kWakingStart)) / (kWakingEnd - kWakingStart);
    s.dayProgress = std::min(raw >= 0 ? raw : 0.0, 1.0);
    return s;
}

std::optional<RemindersSnapshot> readReminders() {
    const Date now = time::now();
    const Day day = today(now);
    auto store = openStore();
    // Both lists come from one reading of the sources.
    auto open = store.incompleteReminders(std::nullopt, day.end);
    if (!open) return std::nullopt;
    auto done = store.completedReminders(day.start, day.end);
    if (!done) return std::nullopt;
    return remindersSnapshot(*open, *done, now);
}

std::optional<CalendarSnapshot> readCalendar() {
    const Date now = time::now();
    const Day day = today(now);
    auto store = openStore();
    auto events = store.events(day.start, day.end);
    if (!events) return std::nullopt;
    return calendarSnapshot(*events, day.start, now);
}

void storeReminders(const RemindersSnapshot& snapshot) {
    SharedStorage::write(StorageKeys::remindersSnapshot, snapshot);
}

std::optional<RemindersSnapshot> storedReminders() {
    return SharedStorage::read<RemindersSnapshot>(StorageKeys::remindersSnapshot);
}

void storeCalendar(const CalendarSnapshot& snapshot) { SharedStorage::write(StorageKeys::calendarSnapshot, snapshot); }

std::optional<CalendarSnapshot> storedCalendar() {
    return SharedStorage::read<CalendarSnapshot>(StorageKeys::calendarSnapshot);
}

bool toggleReminder(const std::string& id) {
    bool saved = false;
    {
        auto store = openStore();
        const auto item = store.calendarItem(id);
        if (!item || !std::holds_alternative<events::Reminder>(*item)) return false;
        auto reminder = std::get<events::Reminder>(*item);
        const Date now = time::now();
        reminder.setCompleted(!reminder.isCompleted, now);
        // The store logs a failed save; the re-read below shows what the file holds.
        saved = store.save(reminder, now);
    }
    if (authorizationStatus(events::EntityType::reminder) == events::AuthorizationStatus::fullAccess)
        if (auto snapshot = readReminders()) storeReminders(*snapshot);
    return saved;
}

bool requestRemindersAccess() {
    auto suite = SharedStorage::suite();
    return events::requestFullAccess(events::EntityType::reminder, suite);
}

bool requestCalendarAccess() {
    auto suite = SharedStorage::suite();
    return events::requestFullAccess(events::EntityType::event, suite);
}

} // namespace plyx::EventSync
