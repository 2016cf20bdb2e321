#include "shared/views/system/NetworkView.h"

#include "platform/base/Numbers.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace plyx {

namespace {
constexpr const char* kDownLabel = "↓ Down";
constexpr const char* kUpLabel = "↑ Up";
constexpr const char* kDash = "—";
constexpr const char* kUnit = " MB/s";
constexpr const char* kUnitCaps = " MB/S";
} // namespace

std::string NetworkView::valueText(std::optional<double> value) {
    if (!value || !std::isfinite(*value)) return kDash;
    const double v = *value;
    char buf[64];
    if (v >= 10) {
        const auto whole = num::truncatedInt64(std::round(v));  // halves away from zero
        if (!whole) return kDash;
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, *whole);
        return ec == std::errc() ? std::string(buf, end) : kDash;
    }
    // One decimal, always with a full stop whatever the process locale.
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 1);
    return ec == std::errc() ? std::string(buf, end) : kDash;
}

std::string NetworkView::unitText(ThemeSettings::LabelStyle labels) {
    return labels == ThemeSettings::LabelStyle::monoCaps ? kUnitCaps : kUnit;
}

ui::View NetworkView::body() const {
    const double u = ctx.u;
    const auto down = data ? std::optional<double>(data->downMBs) : std::nullopt;
    const auto up = data ? std::optional<double>(data->upMBs) : std::nullopt;
    return ui::VStack({block(kDownLabel, down), block(kUpLabel, up)}, ui::HorizontalAlignment::leading, 14 * u)
        .padding(ui::Edges::horizontal, 22 * u)
        .frameFill(ui::Alignment::leading);
}

ui::View NetworkView::block(const std::string& label, std::optional<double> value) const {
    const double u = ctx.u;
    return ui::VStack(
        {
            Caption{label, 9, 0.16, ctx.pal.inkDim, ctx}.body(),
            ui::HStack(
                {
                    numeralFit(ui::Text(valueText(value))
                                   .font(PlyxFonts::numerals(30 * u, ctx.theme.numerals, ui::FontWeight::black)))
                        .foregroundColor(ctx.pal.ink),
                    ui::Text(unitText(ctx.theme.labels))
                        .font(PlyxFonts::numerals(14 * u, ctx.theme.numerals, ui::FontWeight::heavy))
                        .foregroundColor(ctx.pal.inkDim),
                },
                ui::VerticalAlignment::lastTextBaseline, 2 * u),
        },
        ui::HorizontalAlignment::leading, 2 * u);
}

} // namespace plyx
