#include "platform/events/Occurrences.h"

#include "platform/events/ICalTime.h"

#include <cmath>
#include <cstring>
#include <map>
#include <set>

namespace plyx::events::detail {

namespace {

// Rules that would run away (a secondly rule over years) stop here.
constexpr int kMaxStepsPerRule = 100000;
// How far before the window a rule is started when it can be started late,
// so an occurrence that began earlier and still runs is not missed.
constexpr double kJumpMarginSeconds = 2 * 86400.0;

std::optional<std::string> text(const char* s) {
    if (!s || !*s) return std::nullopt;
    return std::string(s);
}

// A component keeps one cursor for all its property (and sub-component)
// walks, and every lookup by kind moves it; lists taken up front are immune.
std::vector<icalproperty*> properties(icalcomponent* c, icalproperty_kind kind) {
    std::vector<icalproperty*> out;
    for (icalproperty* p = icalcomponent_get_first_property(c, kind); p; p = icalcomponent_get_next_property(c, kind))
        out.push_back(p);
    return out;
}

std::vector<icalcomponent*> components(icalcomponent* root, icalcomponent_kind kind) {
    std::vector<icalcomponent*> out;
    for (icalcomponent* c = icalcomponent_get_first_component(root, kind); c;
         c = icalcomponent_get_next_component(root, kind))
        out.push_back(c);
    return out;
}

std::optional<std::string> uidOf(icalcomponent* c) { return text(icalcomponent_get_uid(c)); }

bool isCancelled(icalcomponent* c) { return icalcomponent_get_status(c) == ICAL_STATUS_CANCELLED; }

// A moment reduced to whole seconds, for matching instances to exclusions.
long long key(Date d) { return std::llround(d.unixTime()); }

struct Span {
    icaltimetype wall;  // start as written, zone stripped
    Zone zone;
    Date start;
    double seconds = 0;  // timed events: exact length
    int days = 0;        // all-day events: length in days
    bool allDay = false;
};

// Start and length of one event component; none without a usable DTSTART.
std::optional<Span> spanOf(icalcomponent* c, TimeReader& times) {
    icalproperty* dtstart = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
    if (!dtstart) return std::nullopt;
    Span s;
    s.wall = TimeReader::wallTime(dtstart);
    s.zone = times.zoneOf(dtstart);
    auto start = times.toDate(s.wall, s.zone);
    if (!start) return std::nullopt;
    s.start = *start;
    s.allDay = s.wall.is_date != 0;
    if (icalproperty* dtend = icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY)) {
        const icaltimetype endWall = TimeReader::wallTime(dtend);
        if (s.allDay && endWall.is_date) {
            icaltimetype a = s.wall, b = endWall;
            s.days = static_cast<int>(std::lround((double(icaltime_as_timet(b)) - double(icaltime_as_timet(a))) / 86400.0));
        } else if (auto end = times.toDate(endWall, times.zoneOf(dtend))) {
            s.seconds = *end - s.start;
        }
    } else if (icalproperty* dur = icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY)) {
        const int secs = icaldurationtype_as_int(icalproperty_get_duration(dur));
        if (s.allDay) s.days = secs / 86400;
        else s.seconds = secs;
    } else if (s.allDay) {
        s.days = 1;
    }
    if (s.seconds < 0) s.seconds = 0;
    if (s.days < 0) s.days = 0;
    return s;
}

// The end of an occurrence that starts at `wall` / `start`.
Date endOf(const Span& s, icaltimetype wall, Date start, TimeReader& times) {
    if (!s.allDay) return start + s.seconds;
    icaltimetype end = wall;
    icaltime_adjust(&end, s.days, 0, 0, 0);
    return times.toDate(end, s.zone).value_or(start);
}

bool overlaps(Date start, Date end, Date from, Date to) {
    if (start >= to) return false;
    return end > from || (end == start && start >= from);
}

Event eventOf(icalcomponent* c, Date start, Date end, bool allDay) {
    Event e;
    e.eventIdentifier = uidOf(c);
    e.title = text(icalcomponent_get_summary(c));
    e.location = text(icalcomponent_get_location(c));
    e.isAllDay = allDay;
    e.startDate = start;
    e.endDate = end;
    return e;
}

// A UTC UNTIL compared with wall times written in another zone must be in
// that zone's wall time too, or the last occurrence is kept or dropped by
// the zone's offset.
icalrecurrencetype ruleInZone(icalrecurrencetype rule, const Span& s, TimeReader& times) {
    if (icaltime_is_null_time(rule.until)) return rule;
    if (!rule.until.is_date && icaltime_is_utc(rule.until) && s.zone.kind != Zone::Kind::utc && !s.allDay) {
        icaltimetype utc = rule.until;
        utc.zone = nullptr;
        const Date until = Date::fromUnix(double(icaltime_as_timet(utc)));
        rule.until = times.toWall(until, s.zone);
    }
    rule.until.zone = nullptr;
    if (s.allDay && !rule.until.is_date) {
        rule.until.is_date = 1;
        rule.until.hour = rule.until.minute = rule.until.second = 0;
    }
    return rule;
}

void expandRule(icalcomponent* c, icalproperty* rrule, const Span& s, const std::set<long long>& skip, Date from,
                Date to, TimeReader& times, std::vector<Event>& out) {
    const icalrecurrencetype rule = ruleInZone(icalproperty_get_rrule(rrule), s, times);
    icalrecur_iterator* it = icalrecur_iterator_new(rule, s.wall);
    if (!it) return;
    // Rules without a count can start near the window instead of at DTSTART.
    const double length = s.allDay ? s.days * 86400.0 : s.seconds;
    const Date jump = from - length - kJumpMarginSeconds;
    if (rule.count == 0 && jump > s.start) {
        icaltimetype at = times.toWall(jump, s.zone);
        if (s.allDay) {
            at.is_date = 1;
            at.hour = at.minute = at.second = 0;
        }
        icalrecur_iterator_set_start(it, at);
    }
    for (int step = 0; step < kMaxStepsPerRule; ++step) {
        icaltimetype wall = icalrecur_iterator_next(it);
        if (icaltime_is_null_time(wall)) break;
        wall.zone = nullptr;
        const auto start = times.toDate(wall, s.zone);
        if (!start) continue;
        if (*start >= to) break;
        if (skip.count(key(*start))) continue;
        const Date end = endOf(s, wall, *start, times);
        if (overlaps(*start, end, from, to)) out.push_back(eventOf(c, *start, end, s.allDay));
    }
    icalrecur_iterator_free(it);
}

void expand(icalcomponent* master, const std::set<long long>& overridden, Date from, Date to, TimeReader& times,
            std::vector<Event>& out) {
    const auto s = spanOf(master, times);
    if (!s) return;
    const auto rrules = properties(master, ICAL_RRULE_PROPERTY);
    const auto rdates = properties(master, ICAL_RDATE_PROPERTY);
    if (rrules.empty() && rdates.empty()) {
        const Date end = endOf(*s, s->wall, s->start, times);
        if (!overridden.count(key(s->start)) && overlaps(s->start, end, from, to))
            out.push_back(eventOf(master, s->start, end, s->allDay));
        return;
    }
    std::set<long long> skip = overridden;
    for (icalproperty* p : properties(master, ICAL_EXDATE_PROPERTY))
        if (auto d = times.dateOf(p)) skip.insert(key(*d));
    // DTSTART is the first instance whether or not a rule names it.
    std::set<long long> seen;
    auto emit = [&](icaltimetype wall, Date start) {
        if (skip.count(key(start)) || !seen.insert(key(start)).second) return;
        const Date end = endOf(*s, wall, start, times);
        if (overlaps(start, end, from, to)) out.push_back(eventOf(master, start, end, s->allDay));
    };
    std::vector<Event> ruled;
    for (icalproperty* rrule : rrules) expandRule(master, rrule, *s, skip, from, to, times, ruled);
    emit(s->wall, s->start);
    for (auto& e : ruled)
        if (seen.insert(key(e.startDate)).second) out.push_back(std::move(e));
    for (icalproperty* p : rdates) {
        const icaltimetype wall = TimeReader::wallTime(p);
        if (auto d = times.toDate(wall, times.zoneOf(p))) emit(wall, *d);
    }
}

} // namespace

void collectEvents(const CalendarFile& file, Date from, Date to, ZoneCalendars& zones, std::vector<Event>& out) {
    icalcomponent* root = file.root.get();
    TimeReader times(root, zones);
    // Moved or cancelled instances of a recurring event, by UID: the start
    // of the instance they replace.
    std::map<std::string, std::set<long long>> overridden;
    std::vector<icalcomponent*> masters, instances;
    for (icalcomponent* c : components(root, ICAL_VEVENT_COMPONENT)) {
        icalproperty* rid = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY);
        if (!rid) {
            masters.push_back(c);
            continue;
        }
        instances.push_back(c);
        if (auto uid = uidOf(c))
            if (auto d = times.dateOf(rid)) overridden[*uid].insert(key(*d));
    }
    static const std::set<long long> none;
    for (icalcomponent* m : masters) {
        const auto uid = uidOf(m);
        const auto it = uid ? overridden.find(*uid) : overridden.end();
        expand(m, it == overridden.end() ? none : it->second, from, to, times, out);
    }
    for (icalcomponent* c : instances) {
        if (isCancelled(c)) continue;
        const auto s = spanOf(c, times);
        if (!s) continue;
        const Date end = endOf(*s, s->wall, s->start, times);
        if (overlaps(s->start, end, from, to)) out.push_back(eventOf(c, s->start, end, s->allDay));
    }
}

std::optional<Event> eventNamed(const CalendarFile& file, const std::string& uid, ZoneCalendars& zones) {
    icalcomponent* root = file.root.get();
    TimeReader times(root, zones);
    for (icalcomponent* c : components(root, ICAL_VEVENT_COMPONENT)) {
        const char* id = icalcomponent_get_uid(c);
        if (!id || uid != id || icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) continue;
        const auto s = spanOf(c, times);
        if (!s) continue;
        return eventOf(c, s->start, endOf(*s, s->wall, s->start, times), s->allDay);
    }
    return std::nullopt;
}

} // namespace plyx::events::detail
