#include "platform/events/Todos.h"

#include "platform/events/ICalTime.h"
#include "platform/events/Occurrences.h"
#include "platform/events/ReadLimits.h"
#include "platform/events/TodoIds.h"

#include <cmath>
#include <map>
#include <set>

namespace plyx::events::detail {

namespace {

std::optional<std::string> text(const char* s) {
    if (!s || !*s) return std::nullopt;
    return std::string(s);
}

long long key(Date d) { return std::llround(d.unixTime()); }

bool isCompleted(icalcomponent* c) {
    return icalcomponent_get_first_property(c, ICAL_COMPLETED_PROPERTY) ||
           icalcomponent_get_status(c) == ICAL_STATUS_COMPLETED;
}

bool isCancelled(icalcomponent* c) { return icalcomponent_get_status(c) == ICAL_STATUS_CANCELLED; }

DateComponents dueComponents(icaltimetype wall, const Zone& zone, TimeReader& times) {
    DateComponents dc;
    dc.year = wall.year;
    dc.month = wall.month;
    dc.day = wall.day;
    if (!wall.is_date) {
        dc.hour = wall.hour;
        dc.minute = wall.minute;
        dc.second = wall.second;
    }
    dc.date = times.toDate(wall, zone);
    return dc;
}

Todo todoOf(icalcomponent* c, std::string id, TimeReader& times) {
    Todo t;
    Reminder& r = t.reminder;
    r.calendarItemIdentifier = std::move(id);
    r.title = oneLine(icalcomponent_get_summary(c));
    if (icalproperty* due = icalcomponent_get_first_property(c, ICAL_DUE_PROPERTY)) {
        const icaltimetype wall = TimeReader::wallTime(due);
        if (!icaltime_is_null_time(wall)) r.dueDateComponents = dueComponents(wall, times.zoneOf(due), times);
    }
    icalproperty* completed = icalcomponent_get_first_property(c, ICAL_COMPLETED_PROPERTY);
    r.isCompleted = isCompleted(c);
    if (completed) r.completionDate = times.dateOf(completed);
    t.cancelled = isCancelled(c);
    return t;
}

// A UTC UNTIL compared with wall times written in another zone must be in
// that zone's wall time too, or the last occurrence is kept or dropped by
// the zone's offset.
icalrecurrencetype ruleInZone(icalrecurrencetype rule, icaltimetype base, const Zone& zone, TimeReader& times) {
    if (icaltime_is_null_time(rule.until)) return rule;
    if (!rule.until.is_date && icaltime_is_utc(rule.until) && zone.kind != Zone::Kind::utc && !base.is_date) {
        icaltimetype utc = rule.until;
        utc.zone = nullptr;
        rule.until = times.toWall(Date::fromUnix(double(icaltime_as_timet(utc))), zone);
    }
    rule.until.zone = nullptr;
    if (base.is_date && !rule.until.is_date) {
        rule.until.is_date = 1;
        rule.until.hour = rule.until.minute = rule.until.second = 0;
    }
    return rule;
}

// The value a RECURRENCE-ID of this occurrence has, in the series' own form.
std::string recurrenceValue(icaltimetype wall, const Zone& zone) {
    std::string v = icaltime_as_ical_string(wall);
    if (zone.kind == Zone::Kind::utc && !wall.is_date) v += "Z";
    return v;
}

std::string valueText(icalproperty* p) {
    const char* v = icalproperty_get_value_as_string(p);
    return v ? v : "";
}

// A recurring to-do: its completed instances, and the earliest occurrence
// still open (written as an instance, or not written at all).
void collectSeries(icalcomponent* master, const std::string& uid, const std::vector<icalcomponent*>& instances,
                   TimeReader& times, ReadBudget& budget, std::vector<Todo>& out) {
    icalproperty* start = icalcomponent_get_first_property(master, ICAL_DTSTART_PROPERTY);
    icalproperty* due = icalcomponent_get_first_property(master, ICAL_DUE_PROPERTY);
    icalproperty* base = start ? start : due;
    const icaltimetype baseWall = TimeReader::wallTime(base);
    if (!base || icaltime_is_null_time(baseWall)) {
        out.push_back(todoOf(master, uid, times));
        return;
    }
    const Zone zone = times.zoneOf(base);

    std::map<long long, icalcomponent*> written;
    for (icalcomponent* inst : instances) {
        icalproperty* rid = icalcomponent_get_first_property(inst, ICAL_RECURRENCEID_PROPERTY);
        const auto at = times.dateOf(rid);
        if (!at) continue;
        written[key(*at)] = inst;
        if (isCompleted(inst)) {
            Todo t = todoOf(inst, occurrenceId(uid, valueText(rid)), times);
            if (!t.reminder.title) t.reminder.title = oneLine(icalcomponent_get_summary(master));
            out.push_back(std::move(t));
        }
    }
    std::set<long long> excluded;
    for (icalproperty* p = icalcomponent_get_first_property(master, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(master, ICAL_EXDATE_PROPERTY))
        if (auto d = times.dateOf(p)) excluded.insert(key(*d));

    icalproperty* rrule = icalcomponent_get_first_property(master, ICAL_RRULE_PROPERTY);
    icalrecur_iterator* it =
        icalrecur_iterator_new(ruleInZone(icalproperty_get_rrule(rrule), baseWall, zone, times), baseWall);
    if (!it) return;
    // A rule whose occurrences are all completed or excluded is walked as
    // far as one rule and the read's budget allow; the series is then left
    // out, as the events of an exhausted read are.
    for (int step = 0; step < kMaxStepsPerRule; ++step) {
        if (!budget.takeStep()) break;
        icaltimetype wall = icalrecur_iterator_next(it);
        if (icaltime_is_null_time(wall)) break;
        wall.zone = nullptr;
        const auto at = times.toDate(wall, zone);
        if (!at || excluded.count(key(*at))) continue;
        if (auto w = written.find(key(*at)); w != written.end()) {
            if (isCompleted(w->second) || isCancelled(w->second)) continue;
            icalproperty* rid = icalcomponent_get_first_property(w->second, ICAL_RECURRENCEID_PROPERTY);
            Todo t = todoOf(w->second, occurrenceId(uid, valueText(rid)), times);
            if (!t.reminder.title) t.reminder.title = oneLine(icalcomponent_get_summary(master));
            out.push_back(std::move(t));
            break;
        }
        // Not written yet: the series' own fields, its due moved with the occurrence.
        Todo t = todoOf(master, occurrenceId(uid, recurrenceValue(wall, zone)), times);
        if (base == due) {
            t.reminder.dueDateComponents = dueComponents(wall, zone, times);
        } else if (t.reminder.dueDateComponents) {
            icaltimetype dueWall = TimeReader::wallTime(due);
            const long long shift = static_cast<long long>(icaltime_as_timet(wall)) -
                                    static_cast<long long>(icaltime_as_timet(baseWall));
            icaltime_adjust(&dueWall, int(shift / 86400), 0, 0, int(shift % 86400));
            t.reminder.dueDateComponents = dueComponents(dueWall, times.zoneOf(due), times);
        }
        out.push_back(std::move(t));
        break;
    }
    icalrecur_iterator_free(it);
}

} // namespace

void collectTodos(const CalendarFile& file, ZoneCalendars& zones, ReadBudget& budget, std::vector<Todo>& out) {
    int ordinal = 0;  // counts every to-do of the file, as its place names it
    for (icalcomponent* calendar : file.calendars()) {
        TimeReader times(calendar, zones, budget);
        const auto all = components(calendar, ICAL_VTODO_COMPONENT);
        std::map<std::string, std::vector<icalcomponent*>> instances;
        for (icalcomponent* c : all)
            if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY))
                if (auto uid = text(icalcomponent_get_uid(c))) instances[*uid].push_back(c);
        for (icalcomponent* c : all) {
            ++ordinal;
            // Instances are read with their series; one without a series is
            // left out, its series' own fields being what the user faces.
            if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) continue;
            const auto uid = text(icalcomponent_get_uid(c));
            const bool recurring = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY) != nullptr;
            if (uid && recurring && !isCompleted(c) && !isCancelled(c)) {
                collectSeries(c, *uid, instances[*uid], times, budget, out);
                continue;
            }
            out.push_back(todoOf(c, uid ? *uid : placeId(file.path, ordinal), times));
        }
    }
}

} // namespace plyx::events::detail
