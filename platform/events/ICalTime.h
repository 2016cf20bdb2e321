#pragma once
// Turning the date and date-time values of one calendar file into moments.
// A value is in UTC ("Z"), in a named zone (TZID: a zone the system knows,
// else the file's own VTIMEZONE), or floating (the user's current zone); a
// date without time is the start of that day in the current zone.
#include "platform/events/ReadLimits.h"
#include "platform/events/ZoneCalendars.h"
#include "platform/time/Date.h"

#include <libical/ical.h>

#include <map>
#include <optional>
#include <string>

namespace plyx::events::detail {

/// How the wall-clock time of one value maps to a moment.
struct Zone {
    enum class Kind { floating, utc, named, vtimezone };
    Kind kind = Kind::floating;
    std::string name;               ///< `named`: a zone identifier the system knows
    icaltimezone* vtz = nullptr;    ///< `vtimezone`: owned by the calendar file
};

/// Start and end of a period value (RDATE;VALUE=PERIOD), both as written.
struct WallPeriod {
    icaltimetype start;
    icaltimetype end;  ///< the null time when the period gives a duration
    int durationSeconds = 0;
};

class TimeReader {
public:
    /// `calendar` is one VCALENDAR of the file, where its VTIMEZONEs live;
    /// `zones` converts in named zones; the file's own zone definitions are
    /// expanded only as far as `budget` allows.
    TimeReader(icalcomponent* calendar, ZoneCalendars& zones, ReadBudget& budget)
        : calendar_(calendar), zonesIn_(zones), budget_(budget) {}

    /// The zone of a date or date-time property (its TZID parameter, or UTC).
    Zone zoneOf(icalproperty* prop);
    /// The wall-clock value of a date or date-time property, zone stripped;
    /// the null time when it holds none.
    static icaltimetype wallTime(icalproperty* prop);
    /// The period of a period-valued property; none for any other value.
    static std::optional<WallPeriod> wallPeriod(icalproperty* prop);
    /// The moment of a wall-clock value in `zone`; none for an invalid value.
    std::optional<Date> toDate(const icaltimetype& wall, const Zone& zone) const;
    /// The wall-clock time of `moment` in `zone`, for comparing with values
    /// written in that zone.
    icaltimetype toWall(Date moment, const Zone& zone) const;

    /// A property's value as a moment in its own zone; none when absent or invalid.
    std::optional<Date> dateOf(icalproperty* prop);

private:
    std::optional<std::string> knownZoneName(const std::string& tzid) const;
    /// Whether the file's zone may be expanded to cover `year`, paying for
    /// the expansion from the budget.
    bool affords(icaltimezone* vtz, int year) const;

    icalcomponent* calendar_;
    ZoneCalendars& zonesIn_;
    ReadBudget& budget_;
    std::map<std::string, Zone> zones_;
    /// How far each of the file's zones has been paid for.
    mutable std::map<icaltimezone*, int> paidUntil_;
};

} // namespace plyx::events::detail
