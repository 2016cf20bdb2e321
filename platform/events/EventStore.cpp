#include "platform/events/EventStore.h"

#include "platform/events/CompletionEdit.h"
#include "platform/events/EventsLog.h"
#include "platform/events/ICalFile.h"
#include "platform/events/LockedRewrite.h"
#include "platform/events/Occurrences.h"
#include "platform/events/ReadLimits.h"
#include "platform/events/Todos.h"
#include "platform/events/ZoneCalendars.h"

#include <algorithm>

namespace plyx::events {

namespace fs = std::filesystem;

void Reminder::setCompleted(bool completed, Date now) {
    isCompleted = completed;
    completionDate = completed ? std::optional<Date>(now) : std::nullopt;
}

EventStore::EventStore(std::vector<fs::path> sources) : sources_(std::move(sources)) {}

EventStore::~EventStore() = default;

AuthorizationStatus EventStore::authorizationStatus(EntityType, const std::vector<fs::path>& sources) {
    if (sources.empty()) return AuthorizationStatus::notDetermined;
    for (const auto& s : sources)
        if (!detail::isReadable(s)) return AuthorizationStatus::denied;
    return AuthorizationStatus::fullAccess;
}

std::vector<std::shared_ptr<detail::CalendarFile>>* EventStore::files() {
    if (!loaded_) {
        loaded_ = true;
        if (auto read = detail::loadSources(sources_))
            files_ = std::make_unique<std::vector<std::shared_ptr<detail::CalendarFile>>>(std::move(*read));
    }
    return files_.get();
}

std::optional<std::vector<const detail::CalendarFile*>> EventStore::parsed(const char* component) {
    auto* all = files();
    if (!all) return std::nullopt;
    // Parsing is most of a read's cost; a file that names no such component
    // has nothing to give.
    std::vector<const detail::CalendarFile*> out;
    for (auto& f : *all)
        if (f->mentions(component) && f->calendar()) out.push_back(f.get());
    return out;
}

detail::ZoneCalendars& EventStore::zones() {
    if (!zones_) zones_ = std::make_unique<detail::ZoneCalendars>();
    return *zones_;
}

std::optional<std::vector<Event>> EventStore::events(Date start, Date end) {
    std::lock_guard lock(detail::calendarLock());
    const auto all = parsed("VEVENT");
    if (!all) return std::nullopt;
    std::vector<Event> out;
    detail::ReadBudget budget;
    for (const auto* f : *all) detail::collectEvents(*f, start, end, zones(), budget, out);
    return out;
}

std::optional<std::vector<Reminder>> EventStore::incompleteReminders(std::optional<Date> dueStart,
                                                                     std::optional<Date> dueEnd) {
    std::lock_guard lock(detail::calendarLock());
    const auto all = parsed("VTODO");
    if (!all) return std::nullopt;
    std::vector<detail::Todo> todos;
    detail::ReadBudget budget;
    for (const auto* f : *all) detail::collectTodos(*f, zones(), budget, todos);
    std::vector<Reminder> out;
    for (auto& t : todos) {
        if (t.reminder.isCompleted || t.cancelled) continue;
        const auto& due = t.reminder.dueDateComponents;
        if (due && due->date) {
            if (dueStart && *due->date < *dueStart) continue;
            if (dueEnd && !(*due->date < *dueEnd)) continue;
        }
        out.push_back(std::move(t.reminder));
    }
    return out;
}

std::optional<std::vector<Reminder>> EventStore::completedReminders(Date start, Date end) {
    std::lock_guard lock(detail::calendarLock());
    const auto all = parsed("VTODO");
    if (!all) return std::nullopt;
    std::vector<detail::Todo> todos;
    detail::ReadBudget budget;
    for (const auto* f : *all) detail::collectTodos(*f, zones(), budget, todos);
    std::vector<Reminder> out;
    for (auto& t : todos) {
        const auto& r = t.reminder;
        if (r.isCompleted && r.completionDate && *r.completionDate >= start && *r.completionDate < end)
            out.push_back(std::move(t.reminder));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Reminder& a, const Reminder& b) { return *a.completionDate < *b.completionDate; });
    return out;
}

std::optional<CalendarItem> EventStore::calendarItem(const std::string& identifier) {
    if (identifier.empty()) return std::nullopt;
    std::lock_guard lock(detail::calendarLock());
    const auto todos = parsed("VTODO");
    const auto events = parsed("VEVENT");
    if (!todos || !events) return std::nullopt;
    detail::ReadBudget budget;
    for (const auto* f : *todos) {
        std::vector<detail::Todo> found;
        detail::collectTodos(*f, zones(), budget, found);
        for (auto& t : found)
            if (t.reminder.calendarItemIdentifier == identifier) return CalendarItem(std::move(t.reminder));
    }
    for (const auto* f : *events)
        if (auto e = detail::eventNamed(*f, identifier, zones(), budget)) return CalendarItem(std::move(*e));
    return std::nullopt;
}

bool EventStore::save(const Reminder& reminder, Date now) {
    const std::string& id = reminder.calendarItemIdentifier;
    // The in-process lock is always taken before the folder lock of a
    // rewrite, never the other way round, so the two cannot deadlock.
    std::lock_guard lock(detail::calendarLock());
    auto* all = files();
    if (id.empty() || !all) {
        qCWarning(lcPlyxEvents) << "reminder not saved, its sources cannot be read:" << id.c_str();
        return false;
    }
    std::optional<Date> completedAt;
    if (reminder.isCompleted) completedAt = reminder.completionDate.value_or(now);
    auto edit = [&](const detail::CalendarFile& f, const std::string& text) {
        return detail::withCompletion(text, f.path, id, completedAt, now);
    };
    for (const auto& file : *all) {
        const auto& f = *file;
        // A first look at the text as loaded finds the file; the edit itself
        // is made on the file as it is under the lock.
        if (!f.mentions("VTODO") || !edit(f, f.text)) continue;
        bool damaged = false;
        const auto result = detail::rewriteLocked(f.path, [&](const std::string& text) -> std::optional<std::string> {
            if (!detail::rewritable(text)) {
                damaged = true;
                return std::nullopt;
            }
            auto edited = edit(f, text);
            if (edited && !detail::rewritable(*edited)) {
                damaged = true;
                return std::nullopt;
            }
            return edited;
        });
        if (result == detail::Rewrite::written) return true;
        if (damaged)
            qCWarning(lcPlyxEvents) << "calendar file left as it is, it does not parse cleanly:" << f.path.c_str();
        else if (result == detail::Rewrite::nothingToWrite)
            qCWarning(lcPlyxEvents) << "reminder not saved, it is gone from its file:" << id.c_str();
        return false;
    }
    qCWarning(lcPlyxEvents) << "reminder not saved, no calendar file holds it:" << id.c_str();
    return false;
}

} // namespace plyx::events
