#include "app/theme/ThemePreview.h"

#include "app/catalog/CatalogPreview.h"
#include "app/catalog/WidgetCard.h"
#include "platform/time/Time.h"
#include "shared/models/PowerSnapshot.h"
#include "shared/models/WeatherSnapshot.h"
#include "shared/views/battery/BatteryPercent.h"
#include "shared/views/clock/ClockMatrixMedium.h"
#include "shared/views/weather/WeatherCurrent.h"

namespace plyx {

namespace ThemePreview {

namespace {
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
    // Drawn in the edited theme, never the stored one: that is what makes it a preview.
    const Sample sample = card.sample;
    return WidgetCard{card.tone, card.designSize, theme, std::nullopt, true,
                      [sample](const WCtx& ctx) { return sampleView(sample, ctx); }}
        .body();
}

ui::Environment environment() {
    ui::Environment env;
    env.now = WidgetCatalog::previewDate();
    return env;
}

} // namespace ThemePreview

} // namespace plyx
