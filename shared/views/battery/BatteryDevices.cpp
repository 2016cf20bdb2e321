#include "shared/views/battery/BatteryDevices.h"

#include "shared/views/battery/BatteryKit.h"
#include "shared/views/kit/Caption.h"

namespace plyx {

ui::View BatteryDevices::body() const {
    const double u = ctx.u;
    std::vector<ui::View> rows;
    rows.reserve(data.devices.size());
    for (const auto& device : data.devices) {
        const bool low = device.percent <= kLowPercent;
        const ui::Color ink = low ? ctx.pal.accent : ctx.pal.ink;
        rows.push_back(ui::HStack(
            {Caption{device.name, 10, 0.1, ink, ctx}.body().frame(76 * u, std::nullopt, ui::Alignment::leading),
             battery::chargeBar(device.percent, low ? ctx.pal.accent : ctx.pal.fill, ctx),
             battery::percentText(device.percent, 16, ui::FontWeight::heavy, ctx)
                 .foregroundColor(ink)
                 .frame(38 * u, std::nullopt, ui::Alignment::trailing)},
            ui::VerticalAlignment::center, 14 * u));
    }
    return ui::VStack(std::move(rows), ui::HorizontalAlignment::center, 13 * u)
        .padding(ui::Edges::horizontal, 26 * u)
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
