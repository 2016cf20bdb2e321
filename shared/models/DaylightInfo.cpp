#include "shared/models/DaylightInfo.h"

#include "shared/models/SampleMoment.h"
#include "shared/models/WallClock.h"

#include <cmath>
#include <cstdint>

namespace plyx {

std::string DaylightInfo::lengthLabel() const {
    const double m = (sunset - sunrise) / 60.0;
    // Real days are far inside the range; anything else (a broken date) shows zero
    // rather than converting a value that does not fit.
    const std::int64_t minutes = std::isfinite(m) && std::fabs(m) < 9.0e18 ? static_cast<std::int64_t>(m) : 0;
    const std::int64_t hours = minutes / 60;
    const std::int64_t rest = minutes - 60 * hours;
    return std::to_string(hours) + "H " + std::to_string(rest) + "M";
}

const DaylightInfo& DaylightInfo::sample() {
    static const DaylightInfo s = [] {
        const Date now = models::sampleMoment();
        return DaylightInfo{models::wallClockTime(now, 5, 2, 0), models::wallClockTime(now, 20, 42, 0), "London"};
    }();
    return s;
}

} // namespace plyx
