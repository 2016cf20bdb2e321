#pragma once
// The app intents behind the buttons of the focus, stopwatch, habits, water
// and steps widgets. Each changes shared state through the extras store, then
// reloads the one widget kind that shows it (and tells a running application).
// Unreadable stored state counts as absent; an intent fails only when the
// store gave up on its write (logged with the key), and then reloads nothing.
#include "platform/intents/AppIntent.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace plyx {

enum class InteractiveIntentKind { focusToggle, stopwatchToggle, stopwatchReset, habitToggle, addWater, addSteps };

/// One row of the interactive intents: the intent type (name, title,
/// parameters) and the widget kind its perform reloads.
struct InteractiveIntentRow {
    InteractiveIntentKind which;
    intents::IntentDescriptor descriptor;
    const char* reloadedKind;
};

/// The six rows, in the order of InteractiveIntentKind.
const std::array<InteractiveIntentRow, 6>& interactiveIntentTable();
const InteractiveIntentRow& interactiveIntentRow(InteractiveIntentKind which);

/// What the six share: the type from their row, and a perform that reloads
/// the row's kind after a change.
template <InteractiveIntentKind K> class InteractiveIntent : public intents::AppIntent {
public:
    static const intents::IntentDescriptor& descriptor() { return interactiveIntentRow(K).descriptor; }
    const intents::IntentDescriptor& type() const override { return descriptor(); }
    intents::Json parameters() const override { return intents::Json::object(); }
    bool perform() override;

protected:
    enum class Outcome { changed, unchanged, failed };
    /// The write. Only a change is reloaded; only a failure fails the perform.
    virtual Outcome change() = 0;
};

/// Starts a focus session of the stored length, or stops the running one.
struct FocusToggleIntent final : InteractiveIntent<InteractiveIntentKind::focusToggle> {
    static std::unique_ptr<FocusToggleIntent> from(const intents::Configuration&);

protected:
    Outcome change() override;
};

/// Starts the stopwatch, or records a lap (the time since the start) while it runs.
struct StopwatchToggleIntent final : InteractiveIntent<InteractiveIntentKind::stopwatchToggle> {
    static std::unique_ptr<StopwatchToggleIntent> from(const intents::Configuration&);

protected:
    Outcome change() override;
};

/// Stops the stopwatch and clears its laps.
struct StopwatchResetIntent final : InteractiveIntent<InteractiveIntentKind::stopwatchReset> {
    static std::unique_ptr<StopwatchResetIntent> from(const intents::Configuration&);

protected:
    Outcome change() override;
};

/// Checks a habit in for today, or takes today's check-in back.
struct HabitToggleIntent final : InteractiveIntent<InteractiveIntentKind::habitToggle> {
    static constexpr const char* habitIDKey = "habitID";
    /// The habit's UUID as text; anything that is not a UUID does nothing.
    std::string habitID;

    HabitToggleIntent() = default;
    explicit HabitToggleIntent(std::string id) : habitID(std::move(id)) {}
    static std::unique_ptr<HabitToggleIntent> from(const intents::Configuration& c);
    intents::Json parameters() const override { return {{habitIDKey, habitID}}; }

protected:
    Outcome change() override;
};

/// Adds a glass to today's water count.
struct AddWaterIntent final : InteractiveIntent<InteractiveIntentKind::addWater> {
    static std::unique_ptr<AddWaterIntent> from(const intents::Configuration&);

protected:
    Outcome change() override;
};

/// Adds `steps` to today's steps count.
struct AddStepsIntent final : InteractiveIntent<InteractiveIntentKind::addSteps> {
    static constexpr const char* stepsKey = "steps";
    std::int64_t steps = 1000;

    static std::unique_ptr<AddStepsIntent> from(const intents::Configuration& c);
    intents::Json parameters() const override { return {{stepsKey, steps}}; }

protected:
    Outcome change() override;
};

/// Registers the six with `registry` (those already there are kept).
void registerInteractiveIntents(intents::IntentRegistry& registry = intents::IntentRegistry::shared());

} // namespace plyx
