#include "platform/time/Time.h"

#include <unicode/calendar.h>
#include <unicode/dtptngen.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/ulocdata.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cmath>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace plyx::time {
namespace {

// The C locale writes English names and a 24-hour clock (its "%X" is
// "%H:%M:%S"); ICU's nearest locale would prefer 12-hour times, so the hour
// cycle is set explicitly.
constexpr const char* kPosixTimeLocale = "en_US_POSIX@hours=h23";

// The system zone file as every Linux distribution sets it: a link into the
// zoneinfo tree, replaced when the user picks another zone.
constexpr const char* kSystemZoneFile = "/etc/localtime";

struct Environment {
    std::mutex mutex;
    std::function<Date()> clock;
    std::string zoneOverride;
    std::string localeOverride;
    std::filesystem::path zoneFile = kSystemZoneFile;
    std::string systemZone; // empty until first read
};

Environment& env() {
    static Environment e;
    return e;
}

std::string toUtf8(const icu::UnicodeString& s) {
    std::string out;
    s.toUTF8String(out);
    return out;
}

bool tzIsSet() {
    const char* tz = std::getenv("TZ");
    return tz && *tz;
}

// What ICU finds for the host: it understands every form TZ takes (":Area/City",
// a path, a POSIX rule). It caches its answer, so it is asked once only.
const std::string& hostZone() {
    static const std::string zone = [] {
        std::unique_ptr<icu::TimeZone> tz(icu::TimeZone::detectHostTimeZone());
        icu::UnicodeString id;
        if (tz) tz->getID(id);
        std::string s = toUtf8(id);
        return s.empty() || s == "Etc/Unknown" ? std::string("UTC") : s;
    }();
    return zone;
}

// The zone a zone file links to: the part of the link's text after
// "zoneinfo/" ("../usr/share/zoneinfo/Europe/Paris" names Europe/Paris),
// without the "posix/" or "right/" variants' folder. The link's target need
// not be readable; the name is checked against ICU's zones instead.
std::optional<std::string> zoneOfLink(const std::filesystem::path& file) {
    char buf[4096];
    const ssize_t n = ::readlink(file.c_str(), buf, sizeof buf - 1);
    if (n <= 0) return std::nullopt;
    const std::string target(buf, static_cast<std::size_t>(n));
    constexpr std::string_view kTree = "zoneinfo/";
    const auto at = target.rfind(kTree);
    if (at == std::string::npos) return std::nullopt;
    std::string id = target.substr(at + kTree.size());
    for (std::string_view variant : {"posix/", "right/"})
        if (id.starts_with(variant)) id.erase(0, variant.size());
    if (!isKnownZone(id)) return std::nullopt;
    return id;
}

std::string defaultZone() {
    if (tzIsSet()) return hostZone();
    std::filesystem::path file;
    {
        std::lock_guard lock(env().mutex);
        if (!env().systemZone.empty()) return env().systemZone;
        file = env().zoneFile;
    }
    // First look: the link, else whatever ICU makes of the host (a copied
    // zone file, which it matches by content).
    std::string zone = zoneOfLink(file).value_or(file == kSystemZoneFile ? hostZone() : std::string("UTC"));
    std::lock_guard lock(env().mutex);
    if (env().systemZone.empty()) env().systemZone = zone;
    return env().systemZone;
}

std::unique_ptr<icu::TimeZone> zoneFor(const std::string& zoneId) {
    const std::string id = zoneId.empty() ? currentZone() : zoneId;
    return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(id)));
}

icu::Locale localeFor(const std::string& localeId) {
    return icu::Locale(localeId.empty() ? currentLocale().c_str() : localeId.c_str());
}

std::unique_ptr<icu::GregorianCalendar> gregorian(const std::string& zoneId) {
    UErrorCode status = U_ZERO_ERROR;
    auto cal = std::make_unique<icu::GregorianCalendar>(zoneFor(zoneId).release(),
                                                        icu::Locale("en_US_POSIX"), status);
    // Proleptic Gregorian everywhere, so dates far in the past stay consistent.
    cal->setGregorianChange(-8.64e15, status);
    return cal;
}

} // namespace

Date now() {
    std::function<Date()> clock;
    {
        std::lock_guard lock(env().mutex);
        clock = env().clock;
    }
    if (clock) return clock();
    const auto t = std::chrono::system_clock::now().time_since_epoch();
    return Date::fromUnix(std::chrono::duration<double>(t).count());
}

void setClock(std::function<Date()> clock) {
    std::lock_guard lock(env().mutex);
    env().clock = std::move(clock);
}

std::string currentZone() {
    {
        std::lock_guard lock(env().mutex);
        if (!env().zoneOverride.empty()) return env().zoneOverride;
    }
    return defaultZone();
}

void setCurrentZone(const std::string& zoneId) {
    std::lock_guard lock(env().mutex);
    env().zoneOverride = zoneId;
}

std::filesystem::path zoneFile() {
    std::lock_guard lock(env().mutex);
    return env().zoneFile;
}

void setZoneFile(const std::filesystem::path& file) {
    std::lock_guard lock(env().mutex);
    env().zoneFile = file;
    env().systemZone.clear();
}

bool zoneFixedByEnvironment() { return tzIsSet(); }

bool refreshSystemZone() {
    if (tzIsSet()) return false;
    const auto zone = zoneOfLink(zoneFile());
    return zone && adoptSystemZone(*zone);
}

bool adoptSystemZone(const std::string& zoneId) {
    if (tzIsSet() || !isKnownZone(zoneId)) return false;
    const std::string before = defaultZone();
    std::lock_guard lock(env().mutex);
    env().systemZone = zoneId;
    return zoneId != before;
}

std::string localeFromPosixName(std::string_view name) {
    // language[_territory][.codeset][@modifier]: ICU wants neither of the last two.
    const std::string_view base = name.substr(0, name.find_first_of(".@"));
    if (base.empty() || base == "C" || base == "POSIX") return kPosixTimeLocale;
    return std::string(base);
}

std::string environmentLocaleName(std::string_view categoryVariable) {
    const std::string category(categoryVariable);
    for (const char* variable : {"LC_ALL", category.c_str(), "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "C";
}

std::string environmentTimeLocale() {
    // LC_MESSAGES, which ICU's own default follows, has no say in dates.
    return localeFromPosixName(environmentLocaleName("LC_TIME"));
}

bool measuresInUSUnits(const std::string& localeId) {
    std::string locale = localeId;
    if (locale.empty()) {
        std::lock_guard lock(env().mutex);
        locale = env().localeOverride;
    }
    if (locale.empty()) {
        const std::string name = environmentLocaleName("LC_MEASUREMENT");
        const std::string_view base = std::string_view(name).substr(0, name.find_first_of(".@"));
        // The C library's own locale measures in metric units (ICU's stand-in
        // for it, en_US_POSIX, would say US).
        if (base.empty() || base == "C" || base == "POSIX") return false;
        locale = std::string(base);
    }
    UErrorCode status = U_ZERO_ERROR;
    const UMeasurementSystem system = ulocdata_getMeasurementSystem(locale.c_str(), &status);
    return U_SUCCESS(status) && system == UMS_US;
}

std::string currentLocale() {
    {
        std::lock_guard lock(env().mutex);
        if (!env().localeOverride.empty()) return env().localeOverride;
    }
    return environmentTimeLocale();
}

void setCurrentLocale(const std::string& localeId) {
    std::lock_guard lock(env().mutex);
    env().localeOverride = localeId;
}

bool isKnownZone(const std::string& zoneId) {
    if (zoneId.empty()) return false;
    icu::UnicodeString canonical;
    UBool isSystem = false;
    UErrorCode status = U_ZERO_ERROR;
    icu::TimeZone::getCanonicalID(icu::UnicodeString::fromUTF8(zoneId), canonical, isSystem, status);
    return U_SUCCESS(status) && isSystem;
}

Components components(Date d, const std::string& zoneId) {
    auto cal = gregorian(zoneId);
    UErrorCode status = U_ZERO_ERROR;
    const double ms = d.unixMillis();
    const double wholeMs = std::floor(ms);
    cal->setTime(wholeMs, status);
    Components c;
    c.era = cal->get(UCAL_ERA, status);
    c.year = cal->get(UCAL_EXTENDED_YEAR, status);
    c.month = cal->get(UCAL_MONTH, status) + 1;
    c.day = cal->get(UCAL_DATE, status);
    c.hour = cal->get(UCAL_HOUR_OF_DAY, status);
    c.minute = cal->get(UCAL_MINUTE, status);
    c.second = cal->get(UCAL_SECOND, status);
    c.fraction = (cal->get(UCAL_MILLISECOND, status) + (ms - wholeMs)) / 1000.0;
    c.weekday = cal->get(UCAL_DAY_OF_WEEK, status);
    c.dayOfYear = cal->get(UCAL_DAY_OF_YEAR, status);
    return c;
}

Date dateFrom(int year, int month, int day, int hour, int minute, double second, const std::string& zoneId) {
    auto cal = gregorian(zoneId);
    UErrorCode status = U_ZERO_ERROR;
    cal->clear();
    cal->set(UCAL_EXTENDED_YEAR, year);
    cal->set(UCAL_MONTH, month - 1);
    cal->set(UCAL_DATE, day);
    cal->set(UCAL_HOUR_OF_DAY, hour);
    cal->set(UCAL_MINUTE, minute);
    const double whole = std::floor(second);
    cal->set(UCAL_SECOND, static_cast<int>(whole));
    const double ms = cal->getTime(status);
    return Date::fromUnixMillis(ms + (second - whole) * 1000.0);
}

Date startOfDay(Date d, const std::string& zoneId) {
    auto cal = gregorian(zoneId);
    UErrorCode status = U_ZERO_ERROR;
    cal->setTime(std::floor(d.unixMillis()), status);
    cal->set(UCAL_HOUR_OF_DAY, 0);
    cal->set(UCAL_MINUTE, 0);
    cal->set(UCAL_SECOND, 0);
    cal->set(UCAL_MILLISECOND, 0);
    return Date::fromUnixMillis(cal->getTime(status));
}

Date addingDays(Date d, int days, const std::string& zoneId) {
    auto cal = gregorian(zoneId);
    UErrorCode status = U_ZERO_ERROR;
    const double ms = d.unixMillis();
    const double wholeMs = std::floor(ms);
    cal->setTime(wholeMs, status);
    cal->add(UCAL_DATE, days, status);
    return Date::fromUnixMillis(cal->getTime(status) + (ms - wholeMs));
}

int secondsFromGMT(Date d, const std::string& zoneId) {
    auto tz = zoneFor(zoneId);
    int32_t raw = 0, dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    tz->getOffset(d.unixMillis(), false, raw, dst, status);
    return (raw + dst) / 1000;
}

bool isSameDay(Date a, Date b, const std::string& zoneId) {
    const auto ca = components(a, zoneId);
    const auto cb = components(b, zoneId);
    return ca.year == cb.year && ca.month == cb.month && ca.day == cb.day;
}

Date startOfWeek(Date d, int firstWeekday, const std::string& zoneId) {
    const Date start = startOfDay(d, zoneId);
    const int weekday = components(start, zoneId).weekday;
    const int back = ((weekday - firstWeekday) % 7 + 7) % 7;
    return addingDays(start, -back, zoneId);
}

int firstWeekday(const std::string& localeId) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> cal(icu::Calendar::createInstance(localeFor(localeId), status));
    if (U_FAILURE(status) || !cal) return 1;
    return static_cast<int>(cal->getFirstDayOfWeek(status));
}

std::string calendarType(const std::string& localeId) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> cal(icu::Calendar::createInstance(localeFor(localeId), status));
    if (U_FAILURE(status) || !cal) return "gregorian";
    return cal->getType();
}

CalendarDay calendarDay(Date d, const std::string& zoneId, const std::string& localeId) {
    // The same calendar `format` writes month and weekday names in, so a
    // day number never sits under another calendar's month name.
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> cal(
        icu::Calendar::createInstance(zoneFor(zoneId).release(), localeFor(localeId), status));
    CalendarDay out;
    if (U_FAILURE(status) || !cal) {
        out.day = components(d, zoneId).day;
        return out;
    }
    cal->setTime(std::floor(d.unixMillis()), status);
    out.day = cal->get(UCAL_DATE, status);
    const int length = cal->getActualMaximum(UCAL_DATE, status);
    if (U_SUCCESS(status) && length >= 1) out.monthLength = length;
    return out;
}

std::string format(Date d, const std::string& pattern, const std::string& zoneId, const std::string& localeId) {
    UErrorCode status = U_ZERO_ERROR;
    icu::SimpleDateFormat fmt(icu::UnicodeString::fromUTF8(pattern), localeFor(localeId), status);
    if (U_FAILURE(status)) return {};
    fmt.adoptTimeZone(zoneFor(zoneId).release());
    icu::UnicodeString out;
    fmt.format(d.unixMillis(), out);
    return toUtf8(out);
}

std::string formatPOSIX(Date d, const std::string& pattern, const std::string& zoneId) {
    UErrorCode status = U_ZERO_ERROR;
    icu::SimpleDateFormat fmt(icu::UnicodeString::fromUTF8(pattern), icu::Locale("en_US_POSIX"), status);
    if (U_FAILURE(status)) return {};
    fmt.adoptCalendar(gregorian(zoneId).release());
    icu::UnicodeString out;
    fmt.format(d.unixMillis(), out);
    return toUtf8(out);
}

static std::string bestPatternUncached(const std::string& skeleton, const std::string& localeId);

std::string bestPattern(const std::string& skeleton, const std::string& localeId) {
    // A pattern generator takes a third of a millisecond to make, and a clock
    // face asks for the same few patterns on every render: answers are kept
    // per thread, keyed by locale and skeleton.
    const std::string key = (localeId.empty() ? currentLocale() : localeId) + '\n' + skeleton;
    thread_local std::unordered_map<std::string, std::string> known;
    if (auto it = known.find(key); it != known.end()) return it->second;
    if (known.size() > 256) known.clear();
    return known.emplace(key, bestPatternUncached(skeleton, localeId)).first->second;
}

static std::string bestPatternUncached(const std::string& skeleton, const std::string& localeId) {
    // One generator per locale and thread serves every skeleton: the first
    // render of a desktop asks for a dozen of them.
    thread_local std::unordered_map<std::string, std::unique_ptr<icu::DateTimePatternGenerator>> generators;
    const std::string locale = localeId.empty() ? currentLocale() : localeId;
    UErrorCode status = U_ZERO_ERROR;
    auto it = generators.find(locale);
    if (it == generators.end()) {
        std::unique_ptr<icu::DateTimePatternGenerator> made(
            icu::DateTimePatternGenerator::createInstance(localeFor(localeId), status));
        if (U_FAILURE(status) || !made) return skeleton;
        if (generators.size() >= 16) generators.clear();
        it = generators.emplace(locale, std::move(made)).first;
    }
    icu::UnicodeString p = it->second->getBestPattern(icu::UnicodeString::fromUTF8(skeleton), status);
    if (U_FAILURE(status)) return skeleton;
    return toUtf8(p);
}

std::string formatSkeleton(Date d, const std::string& skeleton, const std::string& zoneId,
                           const std::string& localeId) {
    return format(d, bestPattern(skeleton, localeId), zoneId, localeId);
}

std::string dayKey(Date d) {
    const auto c = components(d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", c.year, c.month, c.day);
    return buf;
}

std::optional<Date> parseDayKey(const std::string& key) {
    int y = 0, m = 0, dd = 0;
    char tail = 0;
    if (key.size() != 10 || std::sscanf(key.c_str(), "%4d-%2d-%2d%c", &y, &m, &dd, &tail) != 3) return std::nullopt;
    if (m < 1 || m > 12 || dd < 1 || dd > 31) return std::nullopt;
    const Date d = dateFrom(y, m, dd);
    const auto c = components(d);
    if (c.year != y || c.month != m || c.day != dd) return std::nullopt;
    return startOfDay(d);
}

} // namespace plyx::time
