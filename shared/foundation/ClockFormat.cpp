#include "shared/foundation/ClockFormat.h"

#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace plyx::ClockFormat {
namespace {
constexpr const char* kPreferredHourSkeleton = "j";
constexpr const char* kNoPatternFallback = "H";
} // namespace

bool uses24Hour() {
    switch (SharedStorage::integer(StorageKeys::timeFormat)) {
    case 12: return false;
    case 24: return true;
    default: break;
    }
    const std::string found = time::bestPattern(kPreferredHourSkeleton, time::currentLocale());
    // The facade hands the skeleton back when ICU has no pattern for it.
    const std::string_view pattern =
        found.empty() || found == kPreferredHourSkeleton ? std::string_view(kNoPatternFallback) : found;
    if (pattern.find('H') != std::string_view::npos) return true;
    return pattern.find('k') != std::string_view::npos;
}

std::string hhmm(Date date, const std::string& timeZone) {
    return time::formatPOSIX(date, uses24Hour() ? "HH:mm" : "h:mm", timeZone);
}

Parts parts(Date date, const std::string& timeZone) {
    const bool h24 = uses24Hour();
    return {time::formatPOSIX(date, h24 ? "HH" : "h", timeZone), time::formatPOSIX(date, "mm", timeZone)};
}

std::string gmtLabelForOffset(int s) {
    const int h = s / 3600; // truncates toward zero
    const int r = std::abs(s - 3600 * h);
    char buf[32];
    if (r > 59)
        std::snprintf(buf, sizeof buf, "GMT%c%d:%02d", s < 0 ? '-' : '+', std::abs(h), (r / 60) % 100);
    else
        std::snprintf(buf, sizeof buf, "GMT%c%d", s < 0 ? '-' : '+', std::abs(h));
    return buf;
}

std::string gmtLabel(const std::string& timeZone, Date at) {
    return gmtLabelForOffset(time::secondsFromGMT(at, timeZone));
}

} // namespace plyx::ClockFormat
