#pragma once
// The app-group suite both processes share, its keys, and reading and writing
// records under them. Every access opens the suite afresh by name (falling
// back to the standard defaults when it cannot be opened), does one read or
// one write, and lets the store go.
#include "platform/coding/Coding.h"
#include "platform/store/Defaults.h"
#include "platform/time/Date.h"
#include "shared/identity/AppIdentity.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace plyx {

namespace StorageKeys {
/// The app-group identifier: the suite name and the container's group.
inline constexpr const char* kSuiteName = AppIdentity::kAppGroup;

inline constexpr const char* theme = "plyx.theme.v1";
inline constexpr const char* timeFormat = "plyx.timeformat";
inline constexpr const char* remindersSnapshot = "plyx.snapshot.reminders.v1";
inline constexpr const char* calendarSnapshot = "plyx.snapshot.calendar.v1";
inline constexpr const char* nowPlaying = "plyx.nowplaying.v1";
inline constexpr const char* inbox = "plyx.inbox.v1";
inline constexpr const char* stockCachePrefix = "plyx.stock.cache.";
inline constexpr const char* airQualityCache = "plyx.aq.cache.v1";
inline constexpr const char* weatherCachePrefix = "plyx.weather.cache.v1";
inline constexpr const char* weatherDefaultPlace = "plyx.weather.defaultplace.v1";
inline constexpr const char* weatherMyLocation = "plyx.weather.mylocation.v1";
/// The time zone the stored default place was found for.
inline constexpr const char* weatherDefaultPlaceZone = "plyx.weather.defaultplace.zone.v1";
inline constexpr const char* focus = "plyx.focus.v1";
inline constexpr const char* stopwatch = "plyx.stopwatch.v1";
inline constexpr const char* habits = "plyx.habits.v1";
inline constexpr const char* counterPrefix = "plyx.counter.";
inline constexpr const char* waterGoal = "plyx.watergoal";
inline constexpr const char* stepsGoal = "plyx.stepsgoal";
inline constexpr const char* focusMinutes = "plyx.focusminutes";
inline constexpr const char* screenTimeBudgetMinutes = "plyx.screenTimeBudgetMinutes";
inline constexpr const char* usage = "plyx.usage.v1";
inline constexpr const char* btBatteries = "plyx.btbatteries.v1";
inline constexpr const char* powerLog = "plyx.powerlog.v1";
inline constexpr const char* cpuTicks = "plyx.sys.cputicks.v1";
inline constexpr const char* netBytes = "plyx.sys.netbytes.v1";

// The application's own settings, in its standard defaults.
inline constexpr const char* launchAtLogin = "plyx.launchAtLogin";
inline constexpr const char* mailEnabled = "plyx.mail.enabled";
inline constexpr const char* pollSeconds = "plyx.pollseconds";

/// The notes file in the app-group container.
inline constexpr const char* notesFileName = "notes.json";

/// "plyx.counter." + name + "." + the local day of `day` as "yyyy-MM-dd".
std::string counterKey(const std::string& name, Date day);
/// "plyx.stock.cache." + the symbol as the stock client normalises it.
std::string stockCacheKey(const std::string& normalisedSymbol);
/// "plyx.weather.cache.v1" + the place suffix.
std::string weatherCacheKey(const std::string& placeSuffix);
} // namespace StorageKeys

namespace SharedStorage {

/// The shared suite, or the standard defaults when it cannot be opened.
store::Defaults suite();
/// The app-group container folder (temporary folder when it cannot be made).
std::filesystem::path container();

/// Reads and decodes the record under `key`; nothing when absent or undecodable.
template <class T> std::optional<T> read(const std::string& key) {
    auto bytes = suite().data(key);
    if (!bytes) return std::nullopt;
    return coding::decode<T>(*bytes);
}

/// Encodes `value` and stores it under `key`; when encoding fails nothing is
/// written and the previous value stays. Returns whether it was written. For
/// the user's own data: waits for another program's lock, as the store does.
template <class T> bool write(const std::string& key, const T& value) {
    auto bytes = coding::encode(value);
    return bytes && suite().setData(key, *bytes);
}

/// As write, for caches and samples: gives up at once while another program
/// holds the suite, and the next refresh writes it again. A render never
/// waits on a lock for these.
template <class T> bool writeIfFree(const std::string& key, const T& value) {
    auto bytes = coding::encode(value);
    return bytes && suite().withoutWaiting().setData(key, *bytes);
}

/// Whether a cache entry made at `updated` is still fresh at `now`: younger
/// than `lifetime` seconds and not dated after now, so an entry written
/// before the clock was set back is not served until its date comes.
bool isFresh(Date updated, double lifetime, Date now);

bool remove(const std::string& key);
std::int64_t integer(const std::string& key);
bool setInteger(const std::string& key, std::int64_t v);
/// The integer under `key` when positive, else `fallback` (goals, budgets).
std::int64_t positiveInteger(const std::string& key, std::int64_t fallback);

} // namespace SharedStorage
} // namespace plyx
