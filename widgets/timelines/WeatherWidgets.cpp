#include "widgets/timelines/WeatherWidgets.h"

#include "shared/views/sky/AirQualityView.h"
#include "shared/views/sky/DaylightView.h"
#include "shared/views/weather/WeatherCurrent.h"
#include "shared/views/weather/WeatherForecast.h"
#include "shared/views/weather/WeatherNight.h"
#include "shared/views/weather/WeatherRain.h"
#include "widgets/timelines/AirQualityTimelineProvider.h"
#include "widgets/timelines/DaylightTimelineProvider.h"
#include "widgets/timelines/WeatherTimelineProvider.h"

namespace plyx {

std::vector<DeclaredWidget> weatherWidgets() {
    const WeatherTimelineProvider weather;
    return {
        declare(WeatherCurrentWidget, weather, viewOf<WeatherCurrent>),
        declare(WeatherNightWidget, weather, viewOf<WeatherNight>),
        declare(WeatherForecastWidget, weather, viewOf<WeatherForecast>),
        declare(WeatherRainWidget, weather, viewOf<WeatherRain>),
        // The sun stands where the entry's moment puts it.
        declare(DaylightWidget, DaylightTimelineProvider{},
                [](const PlyxEntry<DaylightInfo>& e, const WCtx& ctx) { return DaylightView{e.data, e.date, ctx}.body(); }),
        declare(AirQualityWidget, AirQualityTimelineProvider{}, viewOf<AirQualityView>),
    };
}

} // namespace plyx
