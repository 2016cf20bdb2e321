#pragma once
// Wall-clock times to moments and back in named zones, with one calendar
// per zone made on first use and reused: making an ICU calendar costs far
// more than using one, and a calendar source converts thousands of times.
// Not shared between threads: each store owns its own.
#include "platform/time/Date.h"

#include <unicode/uversion.h>

#include <map>
#include <memory>
#include <string>

U_NAMESPACE_BEGIN
class Calendar;
U_NAMESPACE_END

namespace plyx::events::detail {

struct WallClock {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class ZoneCalendars {
public:
    ZoneCalendars();
    ~ZoneCalendars();
    ZoneCalendars(const ZoneCalendars&) = delete;
    ZoneCalendars& operator=(const ZoneCalendars&) = delete;

    /// Whether the system knows the zone identifier.
    bool knows(const std::string& zoneId);
    /// The moment of a wall-clock time in `zoneId` (the current zone when
    /// empty); a time skipped by a clock change moves forward with it.
    Date date(const WallClock& wall, const std::string& zoneId);
    /// The wall-clock time of `moment` in `zoneId` (current when empty).
    WallClock wall(Date moment, const std::string& zoneId);

private:
    icu::Calendar& calendar(const std::string& zoneId);

    std::string current_;
    std::map<std::string, std::unique_ptr<icu::Calendar>> calendars_;
    std::map<std::string, bool> known_;
};

} // namespace plyx::events::detail
