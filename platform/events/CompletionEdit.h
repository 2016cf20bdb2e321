#pragma once
// Rewriting the completion of one to-do inside a calendar file's text, and
// nothing else: every line that is not the to-do's own completion lines is
// kept byte for byte, folding, line endings and a byte-order mark included.
//
// A to-do is completed in place: STATUS, COMPLETED, PERCENT-COMPLETE,
// LAST-MODIFIED and DTSTAMP replaced (or added before its first
// sub-component, or its end). A status or percentage other than the plain
// open ones is kept in X-PLYX-PRIOR-STATUS and X-PLYX-PRIOR-PERCENT-COMPLETE,
// which other programs ignore, so reopening brings back an in-process to-do
// as it was. An occurrence of a recurring to-do is completed by a new
// instance of its own (same UID, RECURRENCE-ID, STATUS:COMPLETED) written just
// before the series, so the series goes on; reopening removes that instance
// again, which leaves the file as it was before.
#include "platform/time/Date.h"

#include <filesystem>
#include <optional>
#include <string>

namespace plyx::events::detail {

/// The text with the to-do `id` (as TodoIds.h names them) of `file`
/// completed at `completedAt`, or reopened when that is none, stamped with
/// `now`. None when the text holds no such to-do, or the occurrence to
/// reopen has no completion.
std::optional<std::string> withCompletion(const std::string& text, const std::filesystem::path& file,
                                          const std::string& id, std::optional<Date> completedAt, Date now);

/// Whether every calendar in the text parses without anything skipped or
/// repaired: only such a text is written back.
bool rewritable(const std::string& text);

/// A moment as an iCalendar UTC date-time: "20260317T091500Z".
std::string utcStamp(Date d);

} // namespace plyx::events::detail
