#include "shared/views/battery/BatteryLog.h"

#include "platform/time/Time.h"
#include "shared/foundation/ClockFormat.h"
#include "shared/views/battery/BatteryKit.h"
#include "shared/views/kit/Caption.h"

namespace plyx {

namespace {
constexpr const char* kTitle = "Power log";
constexpr const char* kCharging = "Charging";
constexpr const char* kOnBattery = "On battery";
} // namespace

ui::View BatteryLog::body() const {
    const double u = ctx.u;
    ui::View header = ui::HStack({Caption{kTitle, 10, 0.16, ctx.pal.inkDim, ctx}, ui::Spacer(),
                                  DotCaption{data.isCharging ? kCharging : kOnBattery, 9, 0, ctx.pal.accent,
                                             ctx.pal.inkDim, ctx}},
                                 ui::VerticalAlignment::center);

    const std::string zone = time::currentZone();
    std::vector<ui::View> entries;
    const std::size_t first = data.log.size() > kEntries ? data.log.size() - kEntries : 0;
    for (std::size_t i = first; i < data.log.size(); ++i) {
        const auto& e = data.log[i];
        entries.push_back(ui::HStack(
            {Caption{ClockFormat::hhmm(e.time, zone), 10, 0, e.isCurrent ? ctx.pal.accent : ctx.pal.inkFaint, ctx}
                 .body()
                 .frame(40 * u, std::nullopt, ui::Alignment::leading),
             Caption{e.message, 10, 0, e.isCurrent ? ctx.pal.accent : ctx.pal.ink, ctx}},
            ui::VerticalAlignment::top, 12 * u));
    }
    ui::View list = entries.empty() ? ui::EmptyView()
                                    : ui::VStack(std::move(entries), ui::HorizontalAlignment::leading, 7 * u)
                                          .padding(ui::Edges::top, 12 * u);

    return ui::VStack({header, list, ui::Spacer(0), battery::chargeBar(data.percent, ctx.pal.fill, ctx)},
                      ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 26 * u, 20 * u, 26 * u})
        .frameFill(ui::Alignment::leading);
}

} // namespace plyx
