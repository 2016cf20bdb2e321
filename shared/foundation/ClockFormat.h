#pragma once
// The one place that decides between 12- and 24-hour times, and the few time
// strings the widgets print. Every call reads the setting afresh and formats
// in the zone it is given, never the process's zone.
#include "platform/time/Date.h"

#include <string>

namespace plyx::ClockFormat {

/// True for 24-hour form: "plyx.timeformat" 24 gives true, 12 gives false,
/// anything else follows the current locale's preferred hour field (its "j"
/// pattern holds "H" or "k"; a locale without a pattern counts as 24-hour).
bool uses24Hour();

/// The time of day of `date` in `timeZone` (a zone identifier): "HH:mm" in
/// 24-hour form, "h:mm" without a day-period marker otherwise; ASCII digits.
std::string hhmm(Date date, const std::string& timeZone);

struct Parts {
    std::string hh; ///< "HH" in 24-hour form, "h" otherwise
    std::string mm; ///< always two digits
    bool operator==(const Parts&) const = default;
};
/// Hour and minute of `date` in `timeZone` as separate texts.
Parts parts(Date date, const std::string& timeZone);

/// The zone's offset at `at` as a short label: "GMT+0", "GMT-5", "GMT+5:30",
/// "GMT-0:30". Minutes appear only when the offset has at least one beyond
/// the whole hours; seconds are dropped.
std::string gmtLabel(const std::string& timeZone, Date at);

/// The label for an offset in seconds, as `gmtLabel` writes it.
std::string gmtLabelForOffset(int seconds);

} // namespace plyx::ClockFormat
