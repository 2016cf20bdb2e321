#include "platform/events/ZoneRules.h"

#include <algorithm>
#include <cstdlib>

namespace plyx::events::detail {

namespace {

template <size_t N> long listed(const short (&values)[N]) {
    long n = 0;
    while (n < long(N) && values[n] != ICAL_RECURRENCE_ARRAY_MAX) ++n;
    return n;
}

// At most how many times a rule fires in one year. Every list a rule has
// multiplies its occurrences (an unpositioned weekday fires every week of
// the period); with at most one time of day, never more than once a day.
double perYear(const icalrecurrencetype& r) {
    double base = 1;
    switch (r.freq) {
    case ICAL_DAILY_RECURRENCE: base = 366; break;
    case ICAL_WEEKLY_RECURRENCE: base = 53; break;
    case ICAL_MONTHLY_RECURRENCE: base = 12; break;
    default: break;
    }
    double days = 0;
    for (long i = 0; i < listed(r.by_day); ++i)
        days += icalrecurrencetype_day_position(r.by_day[i]) != 0 ? 1
                : r.freq == ICAL_YEARLY_RECURRENCE                ? 53
                : r.freq == ICAL_MONTHLY_RECURRENCE               ? 5
                                                                  : 1;
    double n = base * std::max(1.0, days);
    for (long k : {listed(r.by_month), listed(r.by_month_day), listed(r.by_year_day), listed(r.by_week_no),
                   listed(r.by_set_pos)})
        n *= std::max(1L, k);
    return std::min(366.0, n);
}

bool offsetUsable(icalcomponent* c, icalproperty_kind kind) {
    icalproperty* p = icalcomponent_get_first_property(c, kind);
    if (!p) return false;
    const int seconds = kind == ICAL_TZOFFSETFROM_PROPERTY ? icalproperty_get_tzoffsetfrom(p)
                                                           : icalproperty_get_tzoffsetto(p);
    return std::abs(seconds) < 86400;
}

} // namespace

std::optional<long> zoneChangesUntil(icalcomponent* vtimezone, int year) {
    double total = 0;
    bool observed = false;
    for (icalcomponent* c = icalcomponent_get_first_component(vtimezone, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(vtimezone, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        if (kind != ICAL_XSTANDARD_COMPONENT && kind != ICAL_XDAYLIGHT_COMPONENT) continue;
        observed = true;
        total += 1;
        if (!offsetUsable(c, ICAL_TZOFFSETFROM_PROPERTY) || !offsetUsable(c, ICAL_TZOFFSETTO_PROPERTY))
            return std::nullopt;
        icalproperty* dtstart = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
        if (!dtstart) return std::nullopt;
        const icaltimetype start = icalproperty_get_dtstart(dtstart);
        if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start)) return std::nullopt;
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_RDATE_PROPERTY))
            total += 1;
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_RRULE_PROPERTY)) {
            const icalrecurrencetype r = icalproperty_get_rrule(p);
            if (r.freq < ICAL_DAILY_RECURRENCE || r.freq > ICAL_YEARLY_RECURRENCE) return std::nullopt;
            if (listed(r.by_hour) > 1 || listed(r.by_minute) > 1 || listed(r.by_second) > 1) return std::nullopt;
            int last = year;
            if (!icaltime_is_null_time(r.until)) last = std::min(last, r.until.year);
            double n = perYear(r) * std::max(0, last - start.year + 1);
            if (r.count > 0) n = std::min(n, double(r.count));
            total += n;
        }
    }
    if (!observed) return std::nullopt;
    return static_cast<long>(std::min(total, 1e15));
}

} // namespace plyx::events::detail
