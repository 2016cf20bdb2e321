#include "shared/views/weather/WeatherRain.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/weather/WeatherTexts.h"

#include <string>

namespace plyx {

namespace {
constexpr const char* kTitle = "Rain · Next 12h";
} // namespace

std::vector<DotBarChart::Bar> WeatherRain::bars() const {
    std::vector<DotBarChart::Bar> out;
    out.reserve(data.rainHours.size());
    for (const auto& h : data.rainHours) {
        if (h.isPeak)
            out.emplace_back(h.chance, ctx.pal.accent, h.label, ctx.pal.accent);
        else if (h.chance >= kLikelyChance)
            out.emplace_back(h.chance, ctx.pal.fill, h.label);
        else
            out.emplace_back(h.chance, kUnlikelyGrey, h.label);
    }
    return out;
}

ui::View WeatherRain::body() const {
    const double u = ctx.u;
    const ui::View header = ui::HStack(
        {
            DotCaption{kTitle, 10, 0.14, ctx.pal.accent, ctx.pal.ink, ctx},
            ui::Spacer(),
            WeatherTexts::figure(std::to_string(WeatherTexts::rainPercent(data.rainChance)) + "%", 20 * u,
                                 ui::FontWeight::heavy, ctx.pal.ink, ctx),
        },
        ui::VerticalAlignment::firstTextBaseline);
    // The chart takes its sizes in design units and scales them itself.
    DotBarChart chart{bars(), 32, 64, 8, 6.4, ctx.pal.track, PlyxFonts::label(8.5 * u, ctx.theme.labels),
                      ctx.pal.inkFaint, u};
    return ui::VStack({header, ui::Spacer(0), chart}, ui::HorizontalAlignment::center, 0)
        .padding(ui::EdgeInsets{20 * u, 26 * u, 16 * u, 26 * u})
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
