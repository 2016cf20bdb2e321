#pragma once
// The screen-time group: today's use and the week from the usage log against
// the user's daily budget, one snapshot for all four widgets.
#include "widgets/timelines/DeclareWidget.h"

#include <vector>

namespace plyx {

// clang-format off
//                                             kind                      display name   description                            family   tone
inline constexpr WidgetRow UsageTotalWidget  {"plyx.screentime.total",   "Screen Time", "Today's total against your budget.", kSmall,  kDark};
inline constexpr WidgetRow UsageElapsedWidget{"plyx.screentime.elapsed", "Elapsed",     "Budget burned, as a dot grid.",      kSmall,  kLight};
inline constexpr WidgetRow UsageAppsWidget   {"plyx.screentime.apps",    "Top Apps",    "Where the time went.",               kMedium, kLight};
inline constexpr WidgetRow UsageWeeklyWidget {"plyx.screentime.weekly",  "Weekly",      "Seven days of screen time.",         kMedium, kDark};
// clang-format on

/// The four widgets, each with the usage provider and its view.
std::vector<DeclaredWidget> screenTimeWidgets();

} // namespace plyx
