#include "widgets/timelines/ClockWidgets.h"

#include "platform/time/Time.h"
#include "shared/intents/ClockIntentParameters.h"
#include "shared/views/clock/ClockAnalogClassic.h"
#include "shared/views/clock/ClockAnalogMinimal.h"
#include "shared/views/clock/ClockDotDial.h"
#include "shared/views/clock/ClockDual.h"
#include "shared/views/clock/ClockMatrixMedium.h"
#include "shared/views/clock/ClockMatrixSmall.h"
#include "shared/views/clock/ClockStacked.h"
#include "shared/views/clock/ClockWorld.h"
#include "widgets/timelines/ClockProviders.h"

namespace plyx {

namespace ClockWidgetZones {

std::optional<std::string> matrixPlace(const ClockConfigIntent& intent) {
    if (!intent.city) return std::nullopt;
    return TimeZoneEntity::cityName(intent.city->id);
}

std::string home(const DualClockConfigIntent& intent) {
    return intent.home ? ClockIntentParameters::zoneOrCurrent(intent.home->id) : time::currentZone();
}

std::string away(const DualClockConfigIntent& intent) {
    return ClockIntentParameters::zoneOrCurrent(intent.away ? intent.away->id : DualClockConfigIntent::awayFallback);
}

} // namespace ClockWidgetZones

namespace {

using ClockEntry = ClockProvider::Entry;

} // namespace

std::vector<DeclaredWidget> clockWidgets() {
    // The analog faces and the dot dial never get live seconds: one picture a minute.
    return {
        declare(AnalogClassicWidget, ClockProvider{},
                [](const ClockEntry& e, const WCtx& ctx) {
                    return ClockAnalogClassic{e.date, e.data.timeZone(), std::nullopt, false, ctx}.body();
                }),
        declare(AnalogMinimalWidget, ClockProvider{},
                [](const ClockEntry& e, const WCtx& ctx) {
                    return ClockAnalogMinimal{e.date, e.data.timeZone(), std::nullopt, false, ctx}.body();
                }),
        declare(HybridClassicWidget, ClockProvider{},
                [](const ClockEntry& e, const WCtx& ctx) {
                    return ClockAnalogClassic{e.date, e.data.timeZone(), std::nullopt, true, ctx}.body();
                }),
        declare(HybridMinimalWidget, ClockProvider{},
                [](const ClockEntry& e, const WCtx& ctx) {
                    return ClockAnalogMinimal{e.date, e.data.timeZone(), std::nullopt, true, ctx}.body();
                }),
        declare(MatrixSmallWidget, ClockProvider{},
                [](const ClockEntry& e, const WCtx& ctx) {
                    return ClockMatrixSmall{e.date, e.data.timeZone(), ClockWidgetZones::matrixPlace(e.data), ctx}
                        .body();
                }),
        declare(StackedClockWidget, ClockProvider{},
                [](const ClockEntry& e, const WCtx& ctx) { return ClockStacked{e.date, e.data.timeZone(), ctx}.body(); }),
        declare(MatrixMediumWidget, ClockProvider{},
                [](const ClockEntry& e, const WCtx& ctx) {
                    return ClockMatrixMedium{e.date, e.data.timeZone(), ctx}.body();
                }),
        declare(WorldClockWidget, WorldClockProvider{},
                [](const WorldClockProvider::Entry& e, const WCtx& ctx) {
                    return ClockWorld{e.date, e.data.zones(), 0, ctx}.body();
                }),
        declare(DotDialWidget, ClockProvider{},
                [](const ClockEntry& e, const WCtx& ctx) {
                    return ClockDotDial{e.date, e.data.timeZone(), std::nullopt, ctx}.body();
                }),
        declare(DualClockWidget, DualClockProvider{},
                [](const DualClockProvider::Entry& e, const WCtx& ctx) {
                    return ClockDual{e.date, ClockWidgetZones::home(e.data), ClockWidgetZones::away(e.data), ctx}
                        .body();
                }),
    };
}

} // namespace plyx
