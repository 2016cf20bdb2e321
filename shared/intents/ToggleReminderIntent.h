#pragma once
// The button behind every reminder's check circle: flips that one
// reminder's completion in the user's calendar data. It asks for no widget
// reload; the reminders widgets read the change on their next timeline.
#include "platform/intents/AppIntent.h"

#include <memory>
#include <string>

namespace plyx {

struct ToggleReminderIntent final : intents::AppIntent {
    static constexpr const char* typeName = "ToggleReminderIntent";
    static constexpr const char* title = "Complete Reminder";
    static constexpr const char* reminderIDKey = "reminderID";
    static constexpr const char* reminderIDTitle = "Reminder ID";

    /// The reminder's identifier; empty for a plain intent, which changes nothing.
    std::string reminderID;

    ToggleReminderIntent() = default;
    explicit ToggleReminderIntent(std::string id) : reminderID(std::move(id)) {}

    /// The one text parameter, without a default of its own.
    static const intents::IntentDescriptor& descriptor();
    static std::unique_ptr<ToggleReminderIntent> from(const intents::Configuration& config);

    const intents::IntentDescriptor& type() const override { return descriptor(); }
    intents::Json parameters() const override { return {{reminderIDKey, reminderID}}; }
    /// Toggles the reminder through the event sync; never fails.
    bool perform() override;
};

/// Registers the intent with `registry` (kept when already there).
void registerToggleReminderIntent(intents::IntentRegistry& registry = intents::IntentRegistry::shared());

} // namespace plyx
