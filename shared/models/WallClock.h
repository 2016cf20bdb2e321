#pragma once
// Placing a wall-clock time on the local day of a moment, the way the
// samples need it across clock changes: a time the day skips gives the first
// moment after the gap, a time the day repeats gives the first of the two.
#include "platform/time/Date.h"

namespace plyx::models {

/// The moment at hour:minute:second on the local day (current zone) that
/// holds `day`; `day` itself when no such moment can be found.
Date wallClockTime(Date day, int hour, int minute, int second);

} // namespace plyx::models
