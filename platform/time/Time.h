#pragma once
// The process's notion of "now", its time zone, locale and calendar, and the
// date arithmetic and formatting the widgets need, over ICU. Everything here
// is injectable so tests can fix the moment, the zone and the locale.
#include "platform/time/Date.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plyx::time {

// ---- the injectable environment -------------------------------------------

/// The current moment (the injected clock when one is set).
Date now();
/// Replaces the clock; an empty function restores the system clock.
void setClock(std::function<Date()> clock);

/// Identifier of the current time zone ("Europe/Paris"); by default the
/// system's: TZ when set (read once, never again), else the zone the zone
/// file links to, as last read by `refreshSystemZone`.
std::string currentZone();
/// Overrides the current zone; an empty string restores the default.
void setCurrentZone(const std::string& zoneId);

/// The link naming the system zone ("/etc/localtime" unless pointed
/// elsewhere); setting it makes the next look at the zone read it.
std::filesystem::path zoneFile();
void setZoneFile(const std::filesystem::path& file);
/// Whether TZ fixes the process's zone (then the zone file is never read).
bool zoneFixedByEnvironment();
/// Reads the system zone again from the zone file; true when it changed.
/// A file that names no known zone (missing, mid-replace, not a link)
/// keeps the zone read before. Does nothing when TZ is set.
bool refreshSystemZone();
/// Takes `zoneId` as the system zone (a zone service announced it); true
/// when it changed. Ignored when TZ is set or the zone is not known.
bool adoptSystemZone(const std::string& zoneId);

/// The current locale identifier in ICU form ("en_US", "de_DE@calendar=buddhist");
/// by default the environment's time locale, read at each call.
std::string currentLocale();
/// Overrides the current locale; an empty string restores the default.
void setCurrentLocale(const std::string& localeId);

/// The ICU locale of a POSIX locale name: "en_GB.UTF-8" and "en_GB@euro"
/// give "en_GB". The C and POSIX locales (and an empty name) give English
/// with a 24-hour clock, as the C library formats times there.
std::string localeFromPosixName(std::string_view name);
/// The POSIX locale name the environment gives one category, found as the
/// C library finds it: LC_ALL, then the category's own variable
/// ("LC_TIME", "LC_MEASUREMENT", "LC_MESSAGES"), then LANG, the first that
/// is set and not empty; "C" when none is.
std::string environmentLocaleName(std::string_view categoryVariable);
/// The locale dates and times are written in by the environment: the first
/// of LC_ALL, LC_TIME and LANG that is set and not empty, else C.
std::string environmentTimeLocale();
/// Whether temperatures and lengths are given in US units: by the current
/// locale when one is set in-process (or by `localeId` when given), else by
/// the environment's measurement category (LC_ALL, LC_MEASUREMENT, LANG).
/// The C and POSIX locales are metric, as the C library's own is.
bool measuresInUSUnits(const std::string& localeId = {});

/// Whether a zone identifier names a zone ICU knows.
bool isKnownZone(const std::string& zoneId);

// ---- calendar values ------------------------------------------------------

/// Gregorian components of a moment in a zone.
struct Components {
    int era = 1;
    int year = 2001;
    int month = 1;        ///< 1...12
    int day = 1;          ///< 1...31
    int hour = 0;
    int minute = 0;
    int second = 0;
    double fraction = 0;  ///< fraction of the second, 0..<1
    int weekday = 1;      ///< 1 = Sunday ... 7 = Saturday
    int dayOfYear = 1;    ///< 1...366
};

/// Components of `d` in `zoneId` (the current zone when empty), Gregorian.
Components components(Date d, const std::string& zoneId = {});
/// The moment of the given Gregorian wall-clock time in `zoneId` (current when empty).
Date dateFrom(int year, int month, int day, int hour = 0, int minute = 0, double second = 0,
              const std::string& zoneId = {});
/// Start of the local day that holds `d`.
Date startOfDay(Date d, const std::string& zoneId = {});
/// `d` moved by whole calendar days, keeping the wall-clock time where it exists.
Date addingDays(Date d, int days, const std::string& zoneId = {});
/// Seconds the zone is ahead of UTC at `d` (daylight saving included).
int secondsFromGMT(Date d, const std::string& zoneId = {});
/// Whether `a` and `b` fall on the same local day.
bool isSameDay(Date a, Date b, const std::string& zoneId = {});

/// Start of the calendar week that holds `d`, with weeks starting on
/// `firstWeekday` (1 = Sunday ... 7 = Saturday).
Date startOfWeek(Date d, int firstWeekday, const std::string& zoneId = {});
/// The first weekday of the locale (1 = Sunday, 2 = Monday, ...).
int firstWeekday(const std::string& localeId = {});

// ---- the user's calendar --------------------------------------------------

/// ICU's calendar type for the locale (the current one when empty):
/// "gregorian", "islamic-umalqura" for ar_SA, "persian" for fa_IR, or what
/// an "@calendar=" keyword names.
std::string calendarType(const std::string& localeId = {});

/// A day as the user's calendar counts it: the one dates are formatted in.
struct CalendarDay {
    int day = 1;             ///< the day of the month
    std::optional<int> monthLength; ///< days in that month; none when the calendar gives no range
};
/// The day of `d` in the locale's calendar, in the zone given (current ones when empty).
CalendarDay calendarDay(Date d, const std::string& zoneId = {}, const std::string& localeId = {});

// ---- formatting -----------------------------------------------------------

/// Formats `d` with an ICU/Unicode date pattern ("HH:mm", "EEE d MMM") in
/// the zone and locale given (current ones when empty), with the locale's
/// own calendar and digits.
std::string format(Date d, const std::string& pattern, const std::string& zoneId = {},
                   const std::string& localeId = {});
/// Like `format`, but always Gregorian with ASCII digits (for keys and
/// machine-read texts), locale "en_US_POSIX".
std::string formatPOSIX(Date d, const std::string& pattern, const std::string& zoneId = {});
/// The locale's best pattern for a skeleton ("j", "jm", "MMMd").
std::string bestPattern(const std::string& skeleton, const std::string& localeId = {});
/// Formats `d` with the locale's best pattern for `skeleton`.
std::string formatSkeleton(Date d, const std::string& skeleton, const std::string& zoneId = {},
                           const std::string& localeId = {});

/// The per-day key "yyyy-MM-dd" of `d` in the current zone, Gregorian with
/// ASCII digits whatever the user's calendar or numbering system, so stored
/// keys never change with a locale setting.
std::string dayKey(Date d);
/// Parses "yyyy-MM-dd" (as written by dayKey) to the start of that day in
/// the current zone; nothing when malformed.
std::optional<Date> parseDayKey(const std::string& key);

} // namespace plyx::time
