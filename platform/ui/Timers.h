#pragma once
// Live texts and progress bars over a date interval: they show the time or the
// share of the interval at the render moment, so a widget counts time between
// its timeline entries when the host simply repaints it.
#include "platform/ui/ViewCore.h"

#include <functional>
#include <string>

namespace plyx::ui {

/// Builds its content from the render moment. A host that keeps a layout while
/// only the moment moves builds these parts again, and nothing else: a view
/// that reads the moment reads it here, not through ReadEnvironment.
View ReadMoment(std::function<View(Date now)> content);

/// The time on a timer over `from`…`to` at `now`, as "m:ss" (or "h:mm:ss" from one
/// hour up when `showsHours`; without hours the minutes run past 59). Counting up
/// shows the time since `from`, counting down the time left until `to`; both stay
/// within the interval. Counting down rounds partial seconds up, so a countdown
/// shows its full length at the start and 0:00 only at the end; counting up
/// rounds them down.
std::string timerString(Date from, Date to, Date now, bool countsDown, bool showsHours = true);

/// A text of `timerString` at the render moment, in the inherited text style.
View TimerText(Date from, Date to, bool countsDown, bool showsHours = true);

/// The share of `from`…`to` passed at `now` (0…1), or left when counting down.
double timerFraction(Date from, Date to, Date now, bool countsDown);

/// A linear progress bar of `timerFraction` at the render moment: a capsule track
/// with a capsule fill in `tint`, as wide as offered and `kTimerProgressHeight` high.
View TimerProgress(Date from, Date to, bool countsDown, const Color& tint);

/// The height of a linear progress bar.
inline constexpr double kTimerProgressHeight = 4;

} // namespace plyx::ui
