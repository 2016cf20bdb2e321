#pragma once
// The clock group: ten faces of one, two or three cities, each entry carrying
// the widget's configuration, from which the zones are resolved when the
// entry is drawn.
#include "shared/intents/ClockConfigIntent.h"
#include "shared/intents/DualClockConfigIntent.h"
#include "widgets/timelines/DeclareWidget.h"

#include <optional>
#include <string>
#include <vector>

namespace plyx {

//                                              kind                        display name      description                                  family   tone
inline constexpr WidgetRow AnalogClassicWidget{"plyx.clock.analogClassic", "Analog Classic", "A classic dial with the Plyx second hand.", kSmall,  kLight};
inline constexpr WidgetRow AnalogMinimalWidget{"plyx.clock.analogMinimal", "Analog Minimal", "Four dots and two hands.",                  kSmall,  kDark};
inline constexpr WidgetRow HybridClassicWidget{"plyx.clock.hybridClassic", "Hybrid Classic", "Analog dial with a digital readout.",       kSmall,  kLight};
inline constexpr WidgetRow HybridMinimalWidget{"plyx.clock.hybridMinimal", "Hybrid Minimal", "Minimal dial with a digital readout.",      kSmall,  kDark};
inline constexpr WidgetRow MatrixSmallWidget  {"plyx.clock.matrixSmall",   "Matrix Digital", "Dot-matrix time with the date.",            kSmall,  kLight};
inline constexpr WidgetRow StackedClockWidget {"plyx.clock.stacked",       "Stacked",        "Hours over minutes.",                       kSmall,  kDark};
inline constexpr WidgetRow MatrixMediumWidget {"plyx.clock.matrixMedium",  "Matrix Digital", "Big dot-matrix time with hour progress.",   kMedium, kDark};
inline constexpr WidgetRow WorldClockWidget   {"plyx.clock.world",         "World Clock",    "Three cities side by side.",                kMedium, kLight};
inline constexpr WidgetRow DotDialWidget      {"plyx.clock.dotDial",       "Dot Dial",       "Numbered dial in dot matrix.",              kSmall,  kDark};
inline constexpr WidgetRow DualClockWidget    {"plyx.clock.dual",          "Dual Time",      "Home plus one more city.",                  kMedium, kDark};

/// The ten clocks, each with its provider and face, in the rows' order.
std::vector<DeclaredWidget> clockWidgets();

namespace ClockWidgetZones {

/// The small matrix clock's place name: none without a city, else the city
/// name of its identifier, also when the system knows no such zone and the
/// clock runs on the current one.
std::optional<std::string> matrixPlace(const ClockConfigIntent& intent);

/// The dual clock's home zone: the home city's, else the current zone.
std::string home(const DualClockConfigIntent& intent);
/// The dual clock's away zone: the away city's (the current zone when the
/// system does not know it), or "Australia/Sydney" when none is set.
std::string away(const DualClockConfigIntent& intent);

} // namespace ClockWidgetZones

} // namespace plyx
