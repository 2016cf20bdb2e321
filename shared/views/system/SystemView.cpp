#include "shared/views/system/SystemView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"

namespace plyx {

namespace {
constexpr const char* kCpuLabel = "CPU";
constexpr const char* kMemoryLabel = "Memory";
constexpr const char* kGpuLabel = "GPU";
} // namespace

ui::View SystemView::body() const {
    const double u = ctx.u;
    return ui::VStack({row(kCpuLabel, data.cpuPercent), row(kMemoryLabel, data.memoryPercent),
                       data.gpuPercent ? row(kGpuLabel, *data.gpuPercent) : ui::EmptyView()},
                      ui::HorizontalAlignment::center, 13 * u)
        .padding(ui::Edges::horizontal, 26 * u)
        .frameFill(ui::Alignment::center);
}

ui::View SystemView::row(const std::string& label, std::int64_t percent) const {
    const double u = ctx.u;
    const bool flagged = percent >= kFlagPercent;
    const ui::Color ink = flagged ? ctx.pal.accent : ctx.pal.ink;
    // Not clamped: above 100 fills every dot, below 0 fills none.
    const double fraction = static_cast<double>(percent) / 100.0;
    return ui::HStack(
        {
            Caption{label, 10, 0.1, ink, ctx}.body().frame(56 * u, std::nullopt, ui::Alignment::leading),
            DotBar{fraction, 0, 8, 6.7, ctx.pal.track, flagged ? ctx.pal.accent : ctx.pal.fill, ui::Color::clear(),
                   u}
                .body(),
            numeralFit(ui::Text(std::to_string(percent) + "%")
                           .font(PlyxFonts::numerals(15 * u, ctx.theme.numerals, ui::FontWeight::heavy)))
                .foregroundColor(ink)
                .frame(44 * u, std::nullopt, ui::Alignment::trailing),
        },
        ui::VerticalAlignment::center, 14 * u);
}

} // namespace plyx
