#pragma once
// The shared-suite side of the interactive widgets: the day counters of the
// water and steps widgets with their goals, the habits with their daily
// check-ins, the focus session and the stopwatch. No state of its own: every
// call opens the suite afresh, so the extension and the application see the
// same values.
//
// Each change is one atomic read-modify-write of the suite, so taps made at
// the same moment in two processes (the extension and the application's
// gallery previews) are all kept.
#include "platform/coding/Uuid.h"
#include "shared/models/CounterSnapshot.h"
#include "shared/models/FocusSession.h"
#include "shared/models/HabitItem.h"
#include "shared/models/HabitWeekRow.h"
#include "shared/models/StopwatchState.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plyx::ExtrasStore {

/// Where a habits list that could not be read is kept before a toggle writes
/// over it, so the user's habits can still be recovered.
inline constexpr const char* kUnreadableHabitsKey = "plyx.habits.v1.unreadable";

// ---- counters ---------------------------------------------------------------

/// Today's count of counter `name` (0 when absent) with the goal given.
CounterSnapshot counter(const std::string& name, std::int64_t goal);
/// Adds `amount` to today's count of `name`; the sum stays within 0 and the
/// largest 64-bit integer, however large the stored count or the amount.
/// False, logged with the key, when the store gave up on the write.
bool addToCounter(const std::string& name, std::int64_t amount);
/// Daily steps goal: the stored value when positive, else 10000.
std::int64_t stepsGoal();
/// Daily water goal in glasses: the stored value when positive, else 8.
std::int64_t waterGoal();

// ---- habits -----------------------------------------------------------------

/// The stored habits list; none when absent or undecodable.
std::optional<std::vector<HabitItem>> habits();
/// A change of the habits list: the new list, or nothing to leave it as stored.
using HabitsChange = std::function<std::optional<std::vector<HabitItem>>(std::vector<HabitItem>)>;
/// Applies `change` to the stored list in one atomic update, so a check-in
/// another process stores meanwhile is kept. `change` gets the stored list,
/// or the sample habits when nothing decodes (then the samples are stored
/// with the change; an undecodable value is first kept under
/// kUnreadableHabitsKey); it may run more than once and must only compute.
/// False, logged, when the list was not stored: the store failed or the new
/// list could not be encoded. A change that returns nothing counts as done.
bool updateHabits(const HabitsChange& change);
/// Checks the habit in for today, or removes today's check-in when it is
/// there, through `updateHabits`. An id in neither the stored list nor the
/// samples changes nothing. Whether the store took it (see `updateHabits`).
bool toggleHabitToday(const Uuid& id);
/// One row per habit (stored, else the samples) for the Monday-to-Sunday week
/// that holds now.
std::vector<HabitWeekRow> habitWeek();

// ---- focus and stopwatch ----------------------------------------------------

/// The stored focus session, or a stopped 25-minute one.
FocusSession focus();
/// Replaces the focus session with `change(current)` atomically (current as
/// `focus()` reads it). An encoding failure keeps the old value. False,
/// logged with the key, when the store gave up on the write.
bool updateFocus(const std::function<FocusSession(FocusSession)>& change);

/// The stored stopwatch, or a stopped one without laps.
StopwatchState stopwatch();
/// Stores the stopwatch state; an encoding failure keeps the old value.
/// False, logged with the key, when the store gave up on the write.
bool setStopwatch(const StopwatchState& state);
/// Replaces the stopwatch state with `change(current)` atomically; false as
/// setStopwatch.
bool updateStopwatch(const std::function<StopwatchState(StopwatchState)>& change);

} // namespace plyx::ExtrasStore
