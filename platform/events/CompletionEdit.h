#pragma once
// Rewriting the completion of one to-do inside a calendar file's text, and
// nothing else: the to-do's STATUS, COMPLETED, PERCENT-COMPLETE,
// LAST-MODIFIED and DTSTAMP lines are replaced in place (or added before its
// first sub-component, or its end), every other line is kept byte for byte,
// folding and line endings included.
#include "platform/time/Date.h"

#include <optional>
#include <string>

namespace plyx::events::detail {

/// The text with the to-do `uid` (its main component, not an instance of a
/// recurring one) completed at `completedAt`, or reopened when that is none
/// (COMPLETED and PERCENT-COMPLETE dropped, STATUS:NEEDS-ACTION), stamped
/// with `now`. None when the text holds no such to-do.
std::optional<std::string> withCompletion(const std::string& text, const std::string& uid,
                                          std::optional<Date> completedAt, Date now);

/// A moment as an iCalendar UTC date-time: "20260317T091500Z".
std::string utcStamp(Date d);

} // namespace plyx::events::detail
