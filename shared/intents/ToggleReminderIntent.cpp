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

bool ToggleReminderIntent::perform() {
    EventSync::toggleReminder(reminderID);
    return true;
}

void registerToggleReminderIntent(intents::IntentRegistry& registry) {
    if (!registry.contains(ToggleReminderIntent::typeName)) registry.add<ToggleReminderIntent>();
}

} // namespace plyx
