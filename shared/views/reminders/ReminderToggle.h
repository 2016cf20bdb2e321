#pragma once
// The tick box at the start of a reminder row: the check circle as a button
// that runs the completion intent for the row's reminder.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/RemindersSnapshot.h"

namespace plyx {

struct ReminderToggle {
    ReminderItem item;
    ui::Color circleColor;
    ui::Color checkColor;
    double diameter = 15;  ///< design units
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
