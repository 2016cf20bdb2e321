#include "platform/ui/Timers.h"

#include "platform/ui/Shape.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plyx::ui {

std::string timerString(Date from, Date to, Date now, bool countsDown, bool showsHours) {
    const double length = std::max(0.0, to - from);
    double seconds = countsDown ? std::clamp(to - now, 0.0, length) : std::clamp(now - from, 0.0, length);
    if (!std::isfinite(seconds)) seconds = 0;
    // Whole seconds, and never more than a 64-bit count can hold (an interval to the distant future).
    seconds = countsDown ? std::ceil(seconds - 1e-9) : std::floor(seconds + 1e-9);
    const long long total = (long long)std::min(seconds, 9.0e15);
    const long long s = total % 60;
    char buf[48];
    if (showsHours && total >= 3600) {
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", total / 3600, (total / 60) % 60, s);
    } else {
        std::snprintf(buf, sizeof buf, "%lld:%02lld", total / 60, s);
    }
    return buf;
}

View TimerText(Date from, Date to, bool countsDown, bool showsHours) {
    return ReadEnvironment([=](const Environment& env) {
        return Text(timerString(from, to, env.now, countsDown, showsHours));
    });
}

double timerFraction(Date from, Date to, Date now, bool countsDown) {
    const double length = to - from;
    double passed = length > 0 ? std::clamp((now - from) / length, 0.0, 1.0) : 1.0;
    if (!std::isfinite(passed)) passed = 0;
    return countsDown ? 1.0 - passed : passed;
}

View TimerProgress(Date from, Date to, bool countsDown, const Color& tint) {
    return ReadEnvironment([=](const Environment& env) {
        const double f = timerFraction(from, to, env.now, countsDown);
        return GeometryReader([=](Size size) {
            return ZStack({Capsule().fill(tint.opacity(0.2)), Capsule().fill(tint).frame(size.width * f, std::nullopt)},
                          Alignment::leading);
        }).frame(std::nullopt, kTimerProgressHeight);
    });
}

} // namespace plyx::ui
