#include "platform/events/ICalTime.h"

#include "platform/events/EventsLog.h"
#include "platform/events/ZoneRules.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace plyx::events::detail {

// Some tools prefix zone names with a vendor path
// ("/freeassociation.sourceforge.net/Europe/Berlin"); the known name is a tail.
std::optional<std::string> TimeReader::knownZoneName(const std::string& tzid) const {
    // Every tail is looked up, so a long identifier would cost the square of its length.
    if (tzid.size() > kMaxZoneIdBytes) return std::nullopt;
    std::string name = tzid;
    while (!name.empty()) {
        if (name[0] != '/' && zonesIn_.knows(name)) return name;
        const auto slash = name.find('/', 1);
        if (slash == std::string::npos) break;
        name = name.substr(slash + 1);
    }
    return std::nullopt;
}

namespace {

// The value's time (a period's start) with the zone the parser gave it.
icaltimetype rawTime(const icalvalue* value) {
    if (!value) return icaltime_null_time();
    switch (icalvalue_isa(value)) {
    case ICAL_DATE_VALUE:
    case ICAL_DATETIME_VALUE: return icalvalue_get_datetime(value);
    case ICAL_PERIOD_VALUE: return icalvalue_get_period(value).start;
    case ICAL_DATETIMEPERIOD_VALUE: {
        const icaldatetimeperiodtype dp = icalvalue_get_datetimeperiod(value);
        return icaltime_is_null_time(dp.time) ? dp.period.start : dp.time;
    }
    default: return icaltime_null_time();
    }
}

// libical covers a few years past the one asked for, and never less than
// the current year.
int coveredYear(int year) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    return std::max(year, utc.tm_year + 1900) + 5;
}

} // namespace

bool TimeReader::affords(icaltimezone* vtz, int year) const {
    const int until = coveredYear(year);
    auto paid = paidUntil_.find(vtz);
    if (paid != paidUntil_.end() && (paid->second < 0 || paid->second >= until)) return paid->second >= 0;
    icalcomponent* definition = icaltimezone_get_component(vtz);
    const auto cost = definition ? zoneChangesUntil(definition, until) : std::nullopt;
    const auto already = paid == paidUntil_.end() || !definition ? std::optional<long>(0)
                                                                 : zoneChangesUntil(definition, paid->second);
    const long more = cost && already ? *cost - *already : 0;
    if (!cost || more > budget_.zoneChanges) {
        qCWarning(lcPlyxEvents) << "calendar zone definition not used, it would take"
                                << (cost ? "too many clock changes" : "no valid rules") << "to expand:"
                                << icaltimezone_get_tzid(vtz);
        paidUntil_[vtz] = -1;
        return false;
    }
    budget_.zoneChanges -= more;
    paidUntil_[vtz] = until;
    return true;
}

Zone TimeReader::zoneOf(icalproperty* prop) {
    if (icaltime_is_utc(rawTime(icalproperty_get_value(prop)))) return {Zone::Kind::utc, {}, nullptr};
    icalparameter* param = icalproperty_get_first_parameter(prop, ICAL_TZID_PARAMETER);
    const char* tzid = param ? icalparameter_get_tzid(param) : nullptr;
    if (!tzid || !*tzid) return {};
    const std::string key(tzid);
    if (auto it = zones_.find(key); it != zones_.end()) return it->second;
    Zone zone;
    // A zone the system knows is preferred: its rules are current, and a
    // file's VTIMEZONE usually just restates them.
    if (auto name = knownZoneName(key)) {
        zone = {Zone::Kind::named, *name, nullptr};
    } else if (icaltimezone* vtz = icalcomponent_get_timezone(calendar_, tzid); vtz && affords(vtz, 0)) {
        // (A definition that is no use, or would cost too much to expand,
        // leaves the times floating, as an unknown zone does.)
        zone = {Zone::Kind::vtimezone, {}, vtz};
    }
    zones_.emplace(key, zone);
    return zone;
}

icaltimetype TimeReader::wallTime(icalproperty* prop) {
    icaltimetype t = rawTime(prop ? icalproperty_get_value(prop) : nullptr);
    t.zone = nullptr;
    return t;
}

std::optional<WallPeriod> TimeReader::wallPeriod(icalproperty* prop) {
    const icalvalue* value = prop ? icalproperty_get_value(prop) : nullptr;
    if (!value) return std::nullopt;
    icalperiodtype p;
    if (icalvalue_isa(value) == ICAL_PERIOD_VALUE) {
        p = icalvalue_get_period(value);
    } else if (icalvalue_isa(value) == ICAL_DATETIMEPERIOD_VALUE) {
        const icaldatetimeperiodtype dp = icalvalue_get_datetimeperiod(value);
        if (!icaltime_is_null_time(dp.time)) return std::nullopt;
        p = dp.period;
    } else {
        return std::nullopt;
    }
    if (icaltime_is_null_time(p.start)) return std::nullopt;
    WallPeriod out{p.start, p.end, 0};
    out.start.zone = nullptr;
    out.end.zone = nullptr;
    if (icaltime_is_null_time(p.end)) out.durationSeconds = icaldurationtype_as_int(p.duration);
    return out;
}

std::optional<Date> TimeReader::toDate(const icaltimetype& wall, const Zone& zone) const {
    if (icaltime_is_null_time(wall) || !icaltime_is_valid_time(wall) || wall.month < 1 || wall.month > 12 ||
        wall.day < 1 || wall.day > 31)
        return std::nullopt;
    const WallClock w{wall.year, wall.month, wall.day, wall.hour, wall.minute, wall.second};
    if (wall.is_date) return zonesIn_.date({wall.year, wall.month, wall.day, 0, 0, 0}, {});
    switch (zone.kind) {
    case Zone::Kind::utc: {
        icaltimetype t = wall;
        t.zone = nullptr;
        return Date::fromUnix(static_cast<double>(icaltime_as_timet(t)));
    }
    case Zone::Kind::vtimezone:
        if (!affords(zone.vtz, wall.year)) break;
        return Date::fromUnix(static_cast<double>(icaltime_as_timet_with_zone(wall, zone.vtz)));
    case Zone::Kind::named:
        return zonesIn_.date(w, zone.name);
    case Zone::Kind::floating:
        break;
    }
    return zonesIn_.date(w, {});
}

icaltimetype TimeReader::toWall(Date moment, const Zone& zone) const {
    const auto unix = static_cast<time_t>(std::floor(moment.unixTime()));
    switch (zone.kind) {
    case Zone::Kind::utc: {
        icaltimetype t = icaltime_from_timet_with_zone(unix, 0, nullptr);
        t.zone = nullptr;
        return t;
    }
    case Zone::Kind::vtimezone: {
        if (!affords(zone.vtz, 1970 + static_cast<int>(unix / 31556952))) break;
        icaltimetype t = icaltime_from_timet_with_zone(unix, 0, zone.vtz);
        t.zone = nullptr;
        return t;
    }
    case Zone::Kind::named:
    case Zone::Kind::floating:
        break;
    }
    const auto c = zonesIn_.wall(moment, zone.kind == Zone::Kind::named ? zone.name : std::string());
    icaltimetype t = icaltime_null_time();
    t.year = c.year;
    t.month = c.month;
    t.day = c.day;
    t.hour = c.hour;
    t.minute = c.minute;
    t.second = c.second;
    return t;
}

std::optional<Date> TimeReader::dateOf(icalproperty* prop) {
    if (!prop) return std::nullopt;
    return toDate(wallTime(prop), zoneOf(prop));
}

} // namespace plyx::events::detail
