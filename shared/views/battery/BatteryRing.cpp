#include "shared/views/battery/BatteryRing.h"

#include "shared/views/battery/BatteryKit.h"
#include "shared/views/kit/Caption.h"

namespace plyx {

ui::View BatteryRing::body() const {
    const double u = ctx.u;
    const double fraction = static_cast<double>(data.percent) / 100.0;
    ui::View number = ui::HStack({battery::percentText(data.percent, 22, ui::FontWeight::black, ctx)
                                      .foregroundColor(ctx.pal.ink),
                                  Caption{"%", 9, 0, ctx.pal.inkDim, ctx}},
                                 ui::VerticalAlignment::lastTextBaseline, 1 * u)
                          .frame(ui::FlexFrame{.maxWidth = 62 * u});
    ui::View ring = ui::ZStack({ui::Circle().stroke(ctx.pal.track, 14 * u),
                                ui::Circle().trim(0, fraction).stroke(ctx.pal.fill, 14 * u).rotationEffect(-90), number})
                        .frame(96 * u, 96 * u)
                        .frameFill(ui::Alignment::center)
                        .padding(ui::Edges::top, 10 * u);
    return ui::ZStack({Caption{kOwnBatteryName, 9, 0.16, ctx.pal.inkDim, ctx}
                           .body()
                           .padding(ui::Edges::top, 20 * u)
                           .padding(ui::Edges::leading, 22 * u),
                       ring},
                      ui::Alignment::topLeading)
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
