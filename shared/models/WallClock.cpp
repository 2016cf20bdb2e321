#include "shared/models/WallClock.h"

#include "platform/time/Time.h"

#include <algorithm>
#include <cmath>

namespace plyx::models {

namespace {
// The zone's wall-clock reading of `t`, counted like an instant in UTC.
double wall(double t) { return t + time::secondsFromGMT(Date{t}); }
} // namespace

Date wallClockTime(Date day, int hour, int minute, int second) {
    const auto c = time::components(day);
    const double target = time::dateFrom(c.year, c.month, c.day, hour, minute, second, "UTC").sinceReferenceDate;

    // Every instant showing the target reading is target minus one of the
    // zone's offsets around it; the earliest of them is the first of a repeated time.
    double best = NAN;
    for (double probe : {target - 43200.0, target, target + 43200.0}) {
        const double t = target - time::secondsFromGMT(Date{probe});
        if (wall(t) == target && (std::isnan(best) || t < best)) best = t;
    }
    if (!std::isnan(best)) return Date{best};

    // Skipped by a clock change: the first whole second whose reading passes the target.
    double lo = target - 15 * 3600.0, hi = target + 13 * 3600.0;
    if (!(wall(lo) < target && wall(hi) >= target)) return day;
    while (hi - lo > 1) {
        const double mid = std::floor((lo + hi) / 2);
        if (wall(mid) >= target) hi = mid;
        else lo = mid;
    }
    return Date{hi};
}

} // namespace plyx::models
