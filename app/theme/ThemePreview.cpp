#include "app/theme/ThemePreview.h"

#include "app/catalog/CatalogPreview.h"
#include "platform/time/Time.h"
#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/models/PowerSnapshot.h"
#include "shared/models/WeatherSnapshot.h"
#include "shared/views/battery/BatteryPercent.h"
#include "shared/views/clock/ClockMatrixMedium.h"
#include "shared/views/weather/WeatherCurrent.h"


namespace plyx {

namespace ThemePreview {

namespace {
constexpr double kCardCornerRadius = 26; // at design scale

ui::View sampleView(Sample sample, const WCtx& ctx) {
    switch (sample) {
    case Sample::clock: return ClockMatrixMedium{WidgetCatalog::previewDate(), clockZone(), ctx}.body();
    case Sample::weather: return WeatherCurrent{WeatherSnapshot::sample(), ctx}.body();
    case Sample::battery: return BatteryPercent{PowerSnapshot::sample(), ctx}.body();
    }
    return ui::EmptyView();
}
} // namespace

std::string clockZone() {
    static const char* london = "Europe/London";
    return time::isKnownZone(london) ? london : time::currentZone();
}

ui::View cardView(const Card& card, const ThemeSettings& theme) {
    // The palette and background come from the edited theme, never from the
    // stored one, which is what makes this a preview.
    const ui::Color accent = theme.accentColor();
    const WidgetPalette pal = WidgetPalette::resolve(theme.surface, card.tone, accent);
    const ui::ShapeStyle background = shapeStyle(WidgetPalette::background(theme.surface, card.tone, accent));
    const ui::Size design = card.designSize;
    const Sample sample = card.sample;
    return ui::GeometryReader([=](ui::Size offered) {
        // Fit, not fill: the largest size of the design's aspect ratio.
        const double scale = std::max(0.0, scaleUnit(offered, design));
        const double w = design.width * scale, h = design.height * scale;
        const double radius = kCardCornerRadius * scale;
        const WCtx ctx{theme, pal, scale};
        return ui::ZStack({
                   ui::RoundedRectangle(radius).fill(background).frame(w, h),
                   sampleView(sample, ctx).frame(w, h).clipShape(ui::RoundedRectangle(radius)),
               })
            .frame(w, h)
            .frame(offered.width, offered.height, ui::Alignment::center);
    });
}

ui::Environment environment() {
    ui::Environment env;
    env.now = WidgetCatalog::previewDate();
    return env;
}

} // namespace ThemePreview

} // namespace plyx
