#pragma once
// The button behind every reminder's check circle: flips that one
// reminder's completion in the user's calendar data. It asks for no widget
// reload; the reminders widgets read the change on their next timeline.
#include "platform/intents/Intent.h"

#include <string>

namespace plyx {

struct ToggleReminderIntent {
    static constexpr const char* type = "ToggleReminderIntent";
    static constexpr const char* title = "Complete Reminder";
    static constexpr const char* reminderIDKey = "reminderID";
    static constexpr const char* reminderIDTitle = "Reminder ID";

    /// The reminder's identifier; empty for a plain intent, which changes nothing.
    std::string reminderID;

    ToggleReminderIntent() = default;
    explicit ToggleReminderIntent(std::string id) : reminderID(std::move(id)) {}

    /// The one text parameter, without a default of its own.
    static const intents::IntentDescriptor& descriptor();
    static ToggleReminderIntent from(const intents::Configuration& config);

    /// The serialised intent a button carries.
    std::string actionJson() const;

    /// Toggles the reminder through the event sync; never fails.
    void perform() const;
};

} // namespace plyx
