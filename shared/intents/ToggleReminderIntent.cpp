#include "shared/intents/ToggleReminderIntent.h"

#include "shared/sync/EventSync.h"

namespace plyx {

const intents::IntentDescriptor& ToggleReminderIntent::descriptor() {
    static const intents::IntentDescriptor d = [] {
        intents::ParameterDescriptor id;
        id.key = reminderIDKey;
        id.title = reminderIDTitle;
        id.kind = intents::ParameterKind::string;
        return intents::IntentDescriptor{typeName, title, {id}};
    }();
    return d;
}

std::unique_ptr<ToggleReminderIntent> ToggleReminderIntent::from(const intents::Configuration& config) {
    const auto& v = config.value(reminderIDKey);
    return std::make_unique<ToggleReminderIntent>(v.is_string() ? v.get<std::string>() : std::string());
}

// A completion the calendar file did not take is a failed tap: the widget is
// not reloaded as if it had landed (the sync has already logged why).
bool ToggleReminderIntent::perform() { return EventSync::toggleReminder(reminderID); }

void registerToggleReminderIntent(intents::IntentRegistry& registry) {
    if (!registry.contains(ToggleReminderIntent::typeName)) registry.add<ToggleReminderIntent>();
}

} // namespace plyx
