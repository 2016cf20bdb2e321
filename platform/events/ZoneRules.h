#pragma once
// The cost of a calendar file's own zone definition (VTIMEZONE): expanding
// one lists every clock change from its first observance on, so a
// definition written to recur often, or from long ago, can cost more than
// everything else in the file.
#include <libical/ical.h>

#include <optional>

namespace plyx::events::detail {

/// At most how many clock changes expanding `vtimezone` up to `year` gives.
/// None when the definition is no use at any cost: no observances, an
/// observance without both offsets or start, an offset of a day or more, or
/// a rule that recurs more often than daily.
std::optional<long> zoneChangesUntil(icalcomponent* vtimezone, int year);

} // namespace plyx::events::detail
