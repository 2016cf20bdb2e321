#include "platform/events/EventStore.h"

#include "platform/events/CompletionEdit.h"
#include "platform/events/EventsLog.h"
#include "platform/events/ICalFile.h"
#include "platform/events/Occurrences.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

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

const std::vector<detail::CalendarFile>* EventStore::files() {
    if (!loaded_) {
        loaded_ = true;
        if (auto read = detail::loadSources(sources_))
            files_ = std::make_unique<std::vector<detail::CalendarFile>>(std::move(*read));
    }
    return files_.get();
}

std::optional<std::vector<Event>> EventStore::events(Date start, Date end) {
    const auto* all = files();
    if (!all) return std::nullopt;
    std::vector<Event> out;
    for (const auto& f : *all) detail::collectEvents(f, start, end, out);
    return out;
}

std::optional<std::vector<Reminder>> EventStore::incompleteReminders(std::optional<Date> dueStart,
                                                                     std::optional<Date> dueEnd) {
    const auto* all = files();
    if (!all) return std::nullopt;
    std::vector<detail::Todo> todos;
    for (const auto& f : *all) detail::collectTodos(f, todos);
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
    const auto* all = files();
    if (!all) return std::nullopt;
    std::vector<detail::Todo> todos;
    for (const auto& f : *all) detail::collectTodos(f, todos);
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
    const auto* all = files();
    if (!all) return std::nullopt;
    for (const auto& f : *all) {
        if (detail::holdsTodo(f, identifier)) {
            std::vector<detail::Todo> todos;
            detail::collectTodos(f, todos);
            for (auto& t : todos)
                if (t.reminder.calendarItemIdentifier == identifier) return CalendarItem(std::move(t.reminder));
        }
        if (auto e = detail::eventNamed(f, identifier)) return CalendarItem(std::move(*e));
    }
    return std::nullopt;
}

bool EventStore::save(const Reminder& reminder, Date now) {
    const auto* all = files();
    if (!all || reminder.calendarItemIdentifier.empty()) return false;
    for (const auto& f : *all) {
        if (!detail::holdsTodo(f, reminder.calendarItemIdentifier)) continue;
        // Read again: the file may have changed since the store loaded it.
        const auto text = detail::readWhole(f.path);
        if (!text || !detail::parseCalendar(*text, true)) {
            qCWarning(lcPlyxEvents) << "calendar file left as it is, it does not parse cleanly:" << f.path.c_str();
            return false;
        }
        std::optional<Date> completedAt;
        if (reminder.isCompleted) completedAt = reminder.completionDate.value_or(now);
        const auto edited = detail::withCompletion(*text, reminder.calendarItemIdentifier, completedAt, now);
        if (!edited || !detail::parseCalendar(*edited, true)) return false;
        QSaveFile out(QString::fromStdString(f.path.string()));
        if (!out.open(QIODevice::WriteOnly)) return false;
        const QByteArray bytes = QByteArray::fromStdString(*edited);
        if (out.write(bytes) != bytes.size()) {
            out.cancelWriting();
            return false;
        }
        if (!out.commit()) {
            qCWarning(lcPlyxEvents) << "calendar file could not be replaced:" << f.path.c_str();
            return false;
        }
        return true;
    }
    return false;
}

} // namespace plyx::events
