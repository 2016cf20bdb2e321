#include "shared/intents/ToggleReminderIntent.h"

#include "shared/sync/EventSync.h"

namespace plyx {

const intents::IntentDescriptor& ToggleReminderIntent::descriptor() {
    static const intents::IntentDescriptor d = [] {
        intents::ParameterDescriptor id;
        id.key = reminderIDKey;
        id.title = reminderIDTitle;
        id.kind = intents::ParameterKind::string;
        id.defaultValue = std::string();
        return intents::IntentDescriptor{type, title, {id}};
    }();
    return d;
}

ToggleReminderIntent ToggleReminderIntent::from(const intents::Configuration& config) {
    const auto& v = config.value(reminderIDKey);
    return ToggleReminderIntent(v.is_string() ? v.get<std::string>() : std::string());
}

std::string ToggleReminderIntent::actionJson() const {
    intents::Json j;
    j["intent"] = type;
    j["parameters"][reminderIDKey] = reminderID;
    return j.dump();
}

void ToggleReminderIntent::perform() const { EventSync::toggleReminder(reminderID); }

} // namespace plyx
