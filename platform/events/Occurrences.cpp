#include "platform/events/Occurrences.h"

#include "platform/events/ICalTime.h"
#include "platform/events/ReadLimits.h"

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <set>

namespace plyx::events::detail {

namespace {

// How far before the window a rule is started when it can be started late,
// so an occurrence that began earlier and still runs is not missed.
constexpr double kJumpMarginSeconds = 2 * 86400.0;

std::optional<std::string> text(const char* s) {
    if (!s || !*s) return std::nullopt;
    return std::string(s);
}

// Event components with the reader of times of the calendar they are in: a file may hold several calendars, each with its own zones.
struct Item {
    icalcomponent* c;
    TimeReader* times;
};
struct FileItems {
    std::vector<std::unique_ptr<TimeReader>> readers;
    std::vector<Item> items;
};

// A component keeps one cursor for all its property (and sub-component)
// walks, and every lookup by kind moves it; lists taken up front are immune.
std::vector<icalproperty*> properties(icalcomponent* c, icalproperty_kind kind) {
    std::vector<icalproperty*> out;
    for (icalproperty* p = icalcomponent_get_first_property(c, kind); p; p = icalcomponent_get_next_property(c, kind))
        out.push_back(p);
    return out;
}

std::optional<std::string> uidOf(icalcomponent* c) { return text(icalcomponent_get_uid(c)); }

FileItems itemsOf(const CalendarFile& file, icalcomponent_kind kind, ZoneCalendars& zones, ReadBudget& budget) {
    FileItems out;
    for (icalcomponent* calendar : file.calendars()) {
        out.readers.push_back(std::make_unique<TimeReader>(calendar, zones, budget));
        for (icalcomponent* c : components(calendar, kind)) out.items.push_back({c, out.readers.back().get()});
    }
    return out;
}

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

// One occurrence of an event already described (finding a property walks
// every property of the component, and a component may have thousands).
Event occurrence(const Event& described, Date start, Date end) {
    Event e = described;
    e.startDate = start;
    e.endDate = end;
    return e;
}

Event eventOf(icalcomponent* c, Date start, Date end, bool allDay) {
    Event e;
    e.eventIdentifier = uidOf(c);
    e.title = oneLine(icalcomponent_get_summary(c));
    e.location = oneLine(icalcomponent_get_location(c));
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

// Occurrences of one rule, into `out`, within what the read has left.
void expandRule(const Event& described, icalproperty* rrule, const Span& s, const std::set<long long>& skip, Date from,
                Date to, TimeReader& times, ReadBudget& budget, std::vector<Event>& out) {
    const icalrecurrencetype rule = ruleInZone(icalproperty_get_rrule(rrule), s, times);
    icalrecur_iterator* it = icalrecur_iterator_new(rule, s.wall);
    if (!it) return;
    // An occurrence that starts before `jump` has ended before the window.
    const double length = s.allDay ? s.days * 86400.0 : s.seconds;
    const Date jump = from - length - kJumpMarginSeconds;
    icaltimetype jumpWall = times.toWall(jump, s.zone);
    if (s.allDay) {
        jumpWall.is_date = 1;
        jumpWall.hour = jumpWall.minute = jumpWall.second = 0;
    }
    // Rules without a count can start there instead of at DTSTART.
    if (rule.count == 0 && jump > s.start) icalrecur_iterator_set_start(it, jumpWall);
    for (int step = 0; step < kMaxStepsPerRule; ++step) {
        if (!budget.takeStep()) break;
        icaltimetype wall = icalrecur_iterator_next(it);
        if (icaltime_is_null_time(wall)) break;
        wall.zone = nullptr;
        // Steps before the window (a counted rule walks from its start) are
        // passed over without converting them.
        if (icaltime_compare(wall, jumpWall) < 0) continue;
        const auto start = times.toDate(wall, s.zone);
        if (!start) continue;
        if (*start >= to) break;
        if (skip.count(key(*start))) continue;
        const Date end = endOf(s, wall, *start, times);
        if (overlaps(*start, end, from, to)) {
            --budget.occurrences;
            out.push_back(occurrence(described, *start, end));
        }
    }
    icalrecur_iterator_free(it);
}

// The window widened by two days each way, as wall-clock times: no zone is
// that far from UTC, so an event written wholly outside it is outside the
// window wherever it is.
struct WallWindow {
    icaltimetype early, late;
};

WallWindow wallWindow(Date from, Date to) {
    auto wall = [](Date d) {
        icaltimetype t = icaltime_from_timet_with_zone(static_cast<time_t>(std::floor(d.unixTime())), 0, nullptr);
        t.zone = nullptr;
        return t;
    };
    return {wall(from - 2 * 86400.0), wall(to + 2 * 86400.0)};
}

// Whether a single (not recurring) event is written wholly outside the
// window; most of a calendar is, and converting its times is most of a read.
bool plainlyOutside(icalcomponent* c, const WallWindow& window) {
    icalproperty* dtstart = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
    if (!dtstart) return false;
    const icaltimetype start = TimeReader::wallTime(dtstart);
    if (icaltime_is_null_time(start)) return false;
    if (icaltime_compare(start, window.late) > 0) return true;
    icaltimetype end = start;
    if (icalproperty* dtend = icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY)) {
        end = TimeReader::wallTime(dtend);
        if (icaltime_is_null_time(end)) return false;
    } else if (icalproperty* dur = icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY)) {
        end = icaltime_add(start, icalproperty_get_duration(dur));
    } else if (start.is_date) {
        icaltime_adjust(&end, 1, 0, 0, 0);
    }
    return icaltime_compare(end, window.early) < 0;
}

void expand(icalcomponent* master, const std::set<long long>& overridden, Date from, Date to,
            const WallWindow& window, TimeReader& times, ReadBudget& budget, std::vector<Event>& out) {
    const bool recurs = icalcomponent_get_first_property(master, ICAL_RRULE_PROPERTY) ||
                        icalcomponent_get_first_property(master, ICAL_RDATE_PROPERTY);
    if (!recurs && plainlyOutside(master, window)) return;
    const auto s = spanOf(master, times);
    if (!s) return;
    const auto rrules = properties(master, ICAL_RRULE_PROPERTY);
    const auto rdates = properties(master, ICAL_RDATE_PROPERTY);
    if (rrules.empty() && rdates.empty()) {
        const Date end = endOf(*s, s->wall, s->start, times);
        if (!overridden.count(key(s->start)) && overlaps(s->start, end, from, to) && !budget.exhausted()) {
            --budget.occurrences;
            out.push_back(eventOf(master, s->start, end, s->allDay));
        }
        return;
    }
    const Event described = eventOf(master, s->start, s->start, s->allDay);
    std::set<long long> skip = overridden;
    for (icalproperty* p : properties(master, ICAL_EXDATE_PROPERTY))
        if (auto d = times.dateOf(p)) skip.insert(key(*d));
    // DTSTART is the first instance whether or not a rule names it.
    std::set<long long> seen;
    auto emit = [&](Date start, Date end) {
        if (skip.count(key(start)) || !seen.insert(key(start)).second) return;
        if (overlaps(start, end, from, to)) {
            --budget.occurrences;
            out.push_back(occurrence(described, start, end));
        }
    };
    std::vector<Event> ruled;
    for (icalproperty* rrule : rrules) expandRule(described, rrule, *s, skip, from, to, times, budget, ruled);
    emit(s->start, endOf(*s, s->wall, s->start, times));
    for (auto& e : ruled)
        if (seen.insert(key(e.startDate)).second) out.push_back(std::move(e));
    for (icalproperty* p : rdates) {
        if (!budget.takeStep()) break;
        const Zone zone = times.zoneOf(p);
        // A period brings its own end (or length), in the property's zone.
        if (const auto period = TimeReader::wallPeriod(p)) {
            const auto start = times.toDate(period->start, zone);
            if (!start) continue;
            std::optional<Date> end = *start + double(period->durationSeconds);
            if (!icaltime_is_null_time(period->end)) end = times.toDate(period->end, zone);
            if (end && *end >= *start) emit(*start, *end);
            continue;
        }
        const icaltimetype wall = TimeReader::wallTime(p);
        if (auto d = times.toDate(wall, zone)) emit(*d, endOf(*s, wall, *d, times));
    }
}

} // namespace

std::vector<icalcomponent*> components(icalcomponent* root, icalcomponent_kind kind) {
    std::vector<icalcomponent*> out;
    for (icalcomponent* c = icalcomponent_get_first_component(root, kind); c;
         c = icalcomponent_get_next_component(root, kind))
        out.push_back(c);
    return out;
}

std::optional<std::string> oneLine(const char* s) {
    if (!s || !*s) return std::nullopt;
    std::string out;
    bool broke = false;
    for (const char* p = s; *p; ++p) {
        size_t skip = 0;
        if (*p == '\r' || *p == '\n' || *p == '\v' || *p == '\f') skip = 1;
        else if (p[0] == '\xC2' && p[1] == '\x85') skip = 2;
        else if (p[0] == '\xE2' && p[1] == '\x80' && (p[2] == '\xA8' || p[2] == '\xA9')) skip = 3;
        if (skip) {
            broke = true;
            p += skip - 1;
            continue;
        }
        if (broke && !out.empty() && out.back() != ' ' && *p != ' ') out += ' ';
        broke = false;
        out += *p;
    }
    if (out.empty()) return std::nullopt;
    return out;
}

void collectEvents(const CalendarFile& file, Date from, Date to, ZoneCalendars& zones, ReadBudget& budget,
                   std::vector<Event>& out) {
    const FileItems events = itemsOf(file, ICAL_VEVENT_COMPONENT, zones, budget);
    // Moved or cancelled instances of a recurring event, by UID: the start
    // of the instance they replace.
    std::map<std::string, std::set<long long>> overridden;
    std::vector<Item> masters, instances;
    for (const Item& item : events.items) {
        icalproperty* rid = icalcomponent_get_first_property(item.c, ICAL_RECURRENCEID_PROPERTY);
        if (!rid) {
            masters.push_back(item);
            continue;
        }
        instances.push_back(item);
        if (auto uid = uidOf(item.c))
            if (auto d = item.times->dateOf(rid)) overridden[*uid].insert(key(*d));
    }
    static const std::set<long long> none;
    const WallWindow window = wallWindow(from, to);
    for (const Item& m : masters) {
        if (budget.exhausted()) {
            budget.noteCut();
            return;
        }
        const auto uid = uidOf(m.c);
        const auto it = uid ? overridden.find(*uid) : overridden.end();
        expand(m.c, it == overridden.end() ? none : it->second, from, to, window, *m.times, budget, out);
    }
    for (const Item& i : instances) {
        if (isCancelled(i.c)) continue;
        const auto s = spanOf(i.c, *i.times);
        if (!s) continue;
        const Date end = endOf(*s, s->wall, s->start, *i.times);
        if (overlaps(s->start, end, from, to) && !budget.exhausted()) {
            --budget.occurrences;
            out.push_back(eventOf(i.c, s->start, end, s->allDay));
        }
    }
}

std::optional<Event> eventNamed(const CalendarFile& file, const std::string& uid, ZoneCalendars& zones,
                                ReadBudget& budget) {
    const FileItems events = itemsOf(file, ICAL_VEVENT_COMPONENT, zones, budget);
    for (const auto& [c, reader] : events.items) {
        TimeReader& times = *reader;
        const char* id = icalcomponent_get_uid(c);
        if (!id || uid != id || icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) continue;
        const auto s = spanOf(c, times);
        if (!s) continue;
        return eventOf(c, s->start, endOf(*s, s->wall, s->start, times), s->allDay);
    }
    return std::nullopt;
}

} // namespace plyx::events::detail
