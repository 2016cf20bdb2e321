#pragma once
// The weather group: current conditions, feels-like, the six-day forecast
// and rain over the coming hours on the weather provider, each opening the
// weather link; daylight and air quality on their own providers. All six are
// configured with a place and a unit.
#include "widgets/timelines/DeclareWidget.h"

#include <vector>

namespace plyx {

/// Opened by a tap on any of the four weather widgets.
inline constexpr const char* kWeatherLink = "plyxwidgets://open/weather";

//                                                kind                       display name      description                                     family   tone    link
inline constexpr WidgetRow WeatherCurrentWidget {"plyx.weather.current",    "Conditions",     "Now, with highs and lows.",                    kSmall,  kDark,  kWeatherLink};
inline constexpr WidgetRow WeatherNightWidget   {"plyx.weather.night",      "Feels Like",     "Temperature and how it feels.",                kSmall,  kLight, kWeatherLink};
inline constexpr WidgetRow WeatherForecastWidget{"plyx.weather.forecast",   "6-Day Forecast", "The week ahead.",                              kMedium, kLight, kWeatherLink};
inline constexpr WidgetRow WeatherRainWidget    {"plyx.weather.rain",       "Rain Radar",     "Rain chance over the next 12 hours.",          kMedium, kDark,  kWeatherLink};
inline constexpr WidgetRow DaylightWidget       {"plyx.weather.daylight",   "Daylight",       "Sunrise to sunset, with the sun on its arc.",  kMedium, kLight};
inline constexpr WidgetRow AirQualityWidget     {"plyx.weather.airquality", "Air Quality",    "US AQI where you are.",                        kSmall,  kLight};

/// The six widgets, each with its provider and view, in the rows' order.
std::vector<DeclaredWidget> weatherWidgets();

} // namespace plyx
