#pragma once
// The battery group: the computer's charge, every battery-powered device and
// today's power log, all four from one reading of the power source.
#include "widgets/timelines/DeclareWidget.h"

#include <vector>

namespace plyx {

// clang-format off
//                                              kind                    display name    description                            family   tone
inline constexpr WidgetRow BatteryRingWidget   {"plyx.battery.ring",    "Battery Ring", "Charge as a ring.",                   kSmall,  kLight};
inline constexpr WidgetRow BatteryPercentWidget{"plyx.battery.percent", "Battery",      "Charge with time remaining.",         kSmall,  kDark};
inline constexpr WidgetRow BatteryDevicesWidget{"plyx.battery.devices", "Devices",      "Computer, keyboard, mouse and more.", kMedium, kLight};
inline constexpr WidgetRow BatteryLogWidget    {"plyx.battery.log",     "Power Log",    "Today's charge story.",               kMedium, kDark};
// clang-format on

/// The four widgets, each with the battery provider and its view.
std::vector<DeclaredWidget> batteryWidgets();

} // namespace plyx
