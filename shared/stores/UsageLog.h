#pragma once
// The screen-time log: seconds of use per application per local day, kept
// in the shared suite. The application's usage tracker adds to it; the
// screen-time widgets read it as a UsageSnapshot.
#include "platform/coding/Coding.h"
#include "platform/time/Date.h"
#include "shared/models/UsageSnapshot.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace plyx::UsageLog {

/// The stored log under "plyx.usage.v1": day key -> application -> seconds.
struct Store {
    std::map<std::string, std::map<std::string, double>> days;
    bool operator==(const Store&) const = default;
};
PLYX_CODABLE(Store, days)

/// Where a stored log that could not be read is kept before a new one
/// replaces it.
inline constexpr const char* kUnreadableUsageKey = "plyx.usage.v1.unreadable";

/// The most days the log keeps; older ones are dropped on the next addition.
inline constexpr std::size_t kMaxDays = 15;

/// The day key of `date` ("yyyy-MM-dd", the local day).
std::string dayFormat(Date date);

/// The stored log; an empty one when absent or undecodable. Never writes.
Store load();
/// Stores the log; nothing is written when it cannot be encoded.
void save(const Store& store);
/// Adds `seconds` of use of `app` on the day of `on`, keeps the newest 15
/// days and saves, in one atomic update of the store. A stored log that
/// does not decode is first kept under kUnreadableUsageKey.
void add(double seconds, const std::string& app, Date on);

/// Today's total and top three applications and the last seven days, with
/// the caller's budget copied in; none when neither today nor any of the
/// six days before holds a whole minute of use.
std::optional<UsageSnapshot> snapshot(std::int64_t budgetMinutes);

} // namespace plyx::UsageLog
