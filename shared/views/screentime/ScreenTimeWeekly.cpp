#include "shared/views/screentime/ScreenTimeWeekly.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/screentime/Hm.h"

#include <algorithm>

namespace plyx {

namespace {
constexpr const char* kTitle = "Daily average";
// Ordinary days: a fixed grey, whatever the palette.
constexpr ui::Color kOrdinaryDay = ui::Color::grey255(76);
} // namespace

std::int64_t ScreenTimeWeekly::average(const UsageSnapshot& data) {
    if (data.week.empty()) return 0;
    std::int64_t sum = 0;
    for (const auto& d : data.week) sum += d.minutes;
    return sum / static_cast<std::int64_t>(data.week.size());
}

std::vector<DotBarChart::Bar> ScreenTimeWeekly::bars() const {
    double peak = 1;
    if (!data.week.empty())
        peak = static_cast<double>(std::max_element(data.week.begin(), data.week.end(), [](const auto& a, const auto& b) {
                                       return a.minutes < b.minutes;
                                   })->minutes);
    std::vector<DotBarChart::Bar> out;
    out.reserve(data.week.size());
    for (const auto& d : data.week) {
        // A week without minutes draws empty bars, not 0 / 0.
        const double value = peak > 0 ? static_cast<double>(d.minutes) / peak : 0;
        if (d.isToday)
            out.emplace_back(value, ctx.pal.accent, d.label, ctx.pal.accent);
        else if (d.isPeak)
            out.emplace_back(value, ctx.pal.fill, d.label);
        else
            out.emplace_back(value, kOrdinaryDay, d.label);
    }
    return out;
}

ui::View ScreenTimeWeekly::body() const {
    const double u = ctx.u;
    ui::View header = ui::HStack(
        {Caption{kTitle, 10, 0.14, ctx.pal.inkDim, ctx}, ui::Spacer(),
         numeralFit(ui::Text(hm(average(data)))
                        .font(PlyxFonts::numerals(20 * u, ctx.theme.numerals, ui::FontWeight::heavy)))
             .foregroundColor(ctx.pal.ink)},
        ui::VerticalAlignment::firstTextBaseline);
    ui::Font labelFont = ctx.theme.labels == ThemeSettings::LabelStyle::systemSans
                             ? ui::Font::system(8.5 * u, ui::FontWeight::medium)
                             : PlyxFonts::label(8.5 * u, ctx.theme.labels);
    DotBarChart chart{bars(), 30, 56, 8, 6.4, ctx.pal.track, labelFont, ctx.pal.inkFaint, u};
    return ui::VStack({header, ui::Spacer(0), chart.body()}, ui::HorizontalAlignment::center, 0)
        .padding(ui::EdgeInsets{20 * u, 26 * u, 16 * u, 26 * u})
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
