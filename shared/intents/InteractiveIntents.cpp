#include "shared/intents/InteractiveIntents.h"

#include "platform/coding/Uuid.h"
#include "platform/time/Time.h"
#include "shared/intents/ReloadKinds.h"
#include "shared/stores/ExtrasStore.h"

namespace plyx {

namespace {
using intents::ParameterKind;
using K = InteractiveIntentKind;
} // namespace

const std::array<InteractiveIntentRow, 6>& interactiveIntentTable() {
    static const std::array<InteractiveIntentRow, 6> rows{{
        {K::focusToggle, {"FocusToggleIntent", "Start or Stop Focus", {}}, "plyx.focus.timer"},
        {K::stopwatchToggle, {"StopwatchToggleIntent", "Start or Lap Stopwatch", {}}, "plyx.stopwatch"},
        {K::stopwatchReset, {"StopwatchResetIntent", "Reset Stopwatch", {}}, "plyx.stopwatch"},
        // No default: a button always names its habit, and the plain intent
        // holds the empty text.
        {K::habitToggle,
         {"HabitToggleIntent", "Check In Habit", {{HabitToggleIntent::habitIDKey, "Habit ID", ParameterKind::string}}},
         "plyx.habits.week"},
        {K::addWater, {"AddWaterIntent", "Log a Glass of Water", {}}, "plyx.water"},
        {K::addSteps,
         {"AddStepsIntent", "Log Steps", {{AddStepsIntent::stepsKey, "Steps", ParameterKind::integer, 1000}}},
         "plyx.steps"},
    }};
    return rows;
}

const InteractiveIntentRow& interactiveIntentRow(InteractiveIntentKind which) {
    return interactiveIntentTable()[static_cast<std::size_t>(which)];
}

template <InteractiveIntentKind K> bool InteractiveIntent<K>::perform() {
    const Outcome outcome = change();
    if (outcome == Outcome::changed) reloadKinds({interactiveIntentRow(K).reloadedKind});
    return outcome != Outcome::failed;
}

template class InteractiveIntent<K::focusToggle>;
template class InteractiveIntent<K::stopwatchToggle>;
template class InteractiveIntent<K::stopwatchReset>;
template class InteractiveIntent<K::habitToggle>;
template class InteractiveIntent<K::addWater>;
template class InteractiveIntent<K::addSteps>;

// ---- focus ------------------------------------------------------------------

std::unique_ptr<FocusToggleIntent> FocusToggleIntent::from(const intents::Configuration&) {
    return std::make_unique<FocusToggleIntent>();
}

auto FocusToggleIntent::change() -> Outcome {
    const bool stored = ExtrasStore::updateFocus([](FocusSession s) {
        const Date now = time::now();
        // No end date is the distant past: nothing runs.
        if (s.endDate && *s.endDate > now) s.endDate.reset();
        else s.endDate = now + static_cast<double>(s.minutes) * 60.0;
        return s;
    });
    return stored ? Outcome::changed : Outcome::failed;
}

// ---- stopwatch --------------------------------------------------------------

std::unique_ptr<StopwatchToggleIntent> StopwatchToggleIntent::from(const intents::Configuration&) {
    return std::make_unique<StopwatchToggleIntent>();
}

auto StopwatchToggleIntent::change() -> Outcome {
    const bool stored = ExtrasStore::updateStopwatch([](StopwatchState s) {
        const Date now = time::now();
        if (!s.startDate) {
            s.startDate = now;
            s.laps.clear();
        } else {
            // Laps are totals since the start; the stopwatch keeps running.
            s.laps.push_back(now - *s.startDate);
        }
        return s;
    });
    return stored ? Outcome::changed : Outcome::failed;
}

std::unique_ptr<StopwatchResetIntent> StopwatchResetIntent::from(const intents::Configuration&) {
    return std::make_unique<StopwatchResetIntent>();
}

auto StopwatchResetIntent::change() -> Outcome {
    return ExtrasStore::setStopwatch(StopwatchState{}) ? Outcome::changed : Outcome::failed;
}

// ---- habits -----------------------------------------------------------------

std::unique_ptr<HabitToggleIntent> HabitToggleIntent::from(const intents::Configuration& c) {
    const auto& v = c.value(habitIDKey);
    return std::make_unique<HabitToggleIntent>(v.is_string() ? v.get<std::string>() : std::string());
}

auto HabitToggleIntent::change() -> Outcome {
    const auto id = Uuid::parse(habitID);
    if (!id) return Outcome::unchanged;
    return ExtrasStore::toggleHabitToday(*id) ? Outcome::changed : Outcome::failed;
}

// ---- counters ---------------------------------------------------------------

std::unique_ptr<AddWaterIntent> AddWaterIntent::from(const intents::Configuration&) {
    return std::make_unique<AddWaterIntent>();
}

auto AddWaterIntent::change() -> Outcome {
    return ExtrasStore::addToCounter(kWaterCounter, 1) ? Outcome::changed : Outcome::failed;
}

std::unique_ptr<AddStepsIntent> AddStepsIntent::from(const intents::Configuration& c) {
    auto intent = std::make_unique<AddStepsIntent>();
    // The configuration was checked: an integer, possibly written as 34.0.
    const auto& v = c.value(stepsKey);
    if (v.is_number()) intent->steps = v.is_number_float() ? static_cast<std::int64_t>(v.get<double>()) : v.get<std::int64_t>();
    return intent;
}

auto AddStepsIntent::change() -> Outcome {
    return ExtrasStore::addToCounter(kStepsCounter, steps) ? Outcome::changed : Outcome::failed;
}

void registerInteractiveIntents(intents::IntentRegistry& registry) {
    const auto add = [&]<class T>() {
        if (!registry.contains(T::descriptor().type)) registry.add<T>();
    };
    add.operator()<FocusToggleIntent>();
    add.operator()<StopwatchToggleIntent>();
    add.operator()<StopwatchResetIntent>();
    add.operator()<HabitToggleIntent>();
    add.operator()<AddWaterIntent>();
    add.operator()<AddStepsIntent>();
}

} // namespace plyx
