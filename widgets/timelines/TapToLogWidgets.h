#pragma once
// The tap-to-log group: the stopwatch, the week of habits and the step and
// water counters. Their data is written by the intents behind their buttons;
// each reads it back on the local provider.
#include "shared/models/CounterSnapshot.h"
#include "shared/models/HabitWeekRow.h"
#include "shared/models/StopwatchState.h"
#include "widgets/timelines/DeclareWidget.h"

#include <vector>

namespace plyx {

//                                          kind                display name  description                                      family   tone
inline constexpr WidgetRow StopwatchWidget{"plyx.stopwatch",   "Stopwatch",  "Tap to start, tap to lap.",                     kSmall,  kLight};
inline constexpr WidgetRow HabitsWidget   {"plyx.habits.week", "Habits",     "This week's check-ins; tap a habit for today.", kMedium, kLight};
inline constexpr WidgetRow StepsWidget    {"plyx.steps",       "Steps",      "Today's steps \u2014 tap to log 1,000.",        kSmall,  kLight};
inline constexpr WidgetRow WaterWidget    {"plyx.water",       "Water",      "Tap to log a glass.",                           kSmall,  kLight};

namespace TapToLogLive {
/// The stored stopwatch; a stopped one without laps when nothing readable is stored.
StopwatchState stopwatch();
/// This week's rows of the stored habits (the sample habits when none are stored).
std::vector<HabitWeekRow> habits();
/// Today's steps against the steps goal (10000 unless a positive one is stored).
CounterSnapshot steps();
/// Today's glasses against the water goal (8 unless a positive one is stored).
CounterSnapshot water();
} // namespace TapToLogLive

/// The four widgets with their providers and views, in the rows' order.
std::vector<DeclaredWidget> tapToLogWidgets();

} // namespace plyx
