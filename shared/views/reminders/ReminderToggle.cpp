#include "shared/views/reminders/ReminderToggle.h"

#include "shared/intents/ToggleReminderIntent.h"
#include "shared/views/kit/CheckCircle.h"

namespace plyx {

ui::View ReminderToggle::body() const {
    return ui::Button(CheckCircle{item.done, diameter, circleColor, checkColor, ctx}.body(),
                      intents::serialise(ToggleReminderIntent(item.id)));
}

} // namespace plyx
