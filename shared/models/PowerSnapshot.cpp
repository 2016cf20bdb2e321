#include "shared/models/PowerSnapshot.h"

#include "shared/models/SampleMoment.h"
#include "shared/models/WallClock.h"

namespace plyx {

const PowerSnapshot& PowerSnapshot::sample() {
    static const PowerSnapshot s = [] {
        const Date now = models::sampleMoment();
        PowerSnapshot p;
        p.percent = 68;
        p.isCharging = false;
        p.remaining = "2H 40M";
        p.devices = {{kOwnBatteryName, 68}, {"Keyboard", 84}, {"Mouse", 12}};
        p.log = {{models::wallClockTime(now, 7, 40, 0), "Fully charged at 100%", false},
                 {models::wallClockTime(now, 8, 15, 0), "Disconnected \u00B7 Drain 9%/h", false},
                 {models::wallClockTime(now, 16, 32, 0), "68% \u00B7 2H 40M remaining", true}};
        return p;
    }();
    return s;
}

} // namespace plyx
