#include "platform/events/ICalTime.h"


#include <cmath>

namespace plyx::events::detail {

// Some tools prefix zone names with a vendor path
// ("/freeassociation.sourceforge.net/Europe/Berlin"); the known name is a tail.
std::optional<std::string> TimeReader::knownZoneName(const std::string& tzid) const {
    std::string name = tzid;
    while (!name.empty()) {
        if (name[0] != '/' && zonesIn_.knows(name)) return name;
        const auto slash = name.find('/', 1);
        if (slash == std::string::npos) break;
        name = name.substr(slash + 1);
    }
    return std::nullopt;
}

Zone TimeReader::zoneOf(icalproperty* prop) {
    const icalvalue* value = icalproperty_get_value(prop);
    if (value) {
        const icaltimetype t = icalvalue_get_datetime(value);
        if (icaltime_is_utc(t)) return {Zone::Kind::utc, {}, nullptr};
    }
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
    } else if (icaltimezone* vtz = icalcomponent_get_timezone(calendar_, tzid)) {
        zone = {Zone::Kind::vtimezone, {}, vtz};
    }
    zones_.emplace(key, zone);
    return zone;
}

icaltimetype TimeReader::wallTime(icalproperty* prop) {
    const icalvalue* value = prop ? icalproperty_get_value(prop) : nullptr;
    if (!value) return icaltime_null_time();
    const icalvalue_kind kind = icalvalue_isa(value);
    icaltimetype t = icaltime_null_time();
    if (kind == ICAL_DATE_VALUE || kind == ICAL_DATETIME_VALUE) {
        t = icalvalue_get_datetime(value);
    } else if (kind == ICAL_DATETIMEPERIOD_VALUE) {
        const icaldatetimeperiodtype dp = icalvalue_get_datetimeperiod(value);
        t = icaltime_is_null_time(dp.time) ? dp.period.start : dp.time;
    } else {
        return icaltime_null_time();
    }
    t.zone = nullptr;
    return t;
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
