#pragma once
// The one moment the samples dated from their creation (a focus session's
// end, a stopwatch's start, a song's position, a message's arrival) are
// dated from. A preview drawn at this moment shows each sample as meant
// ("15:32" left), however long after the samples were first asked for it is
// painted.
#include "platform/time/Date.h"

namespace plyx::models {

/// The current moment at the first call, the same at every later one.
Date sampleMoment();

} // namespace plyx::models
