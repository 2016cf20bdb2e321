#include "widgets/timelines/BatteryWidgets.h"

#include "shared/views/battery/BatteryDevices.h"
#include "shared/views/battery/BatteryLog.h"
#include "shared/views/battery/BatteryPercent.h"
#include "shared/views/battery/BatteryRing.h"
#include "widgets/sources/local/PowerSource.h"
#include "widgets/timelines/LocalProvider.h"

namespace plyx {

namespace {
// Every reading outside previews also writes the day's power log.
PowerSnapshot readPower() { return PowerSource::snapshot(); }
constexpr int kRefreshMinutes = 15;
} // namespace

std::vector<DeclaredWidget> batteryWidgets() {
    const LocalProvider<PowerSnapshot> BatteryProvider{PowerSnapshot::sample(), &readPower, kRefreshMinutes};
    return {
        declare(BatteryRingWidget, BatteryProvider, viewOf<BatteryRing>),
        declare(BatteryPercentWidget, BatteryProvider, viewOf<BatteryPercent>),
        declare(BatteryDevicesWidget, BatteryProvider, viewOf<BatteryDevices>),
        declare(BatteryLogWidget, BatteryProvider, viewOf<BatteryLog>),
    };
}

} // namespace plyx
