#pragma once
// One reminder row of the list views: the check button, the title (struck
// through and faint when done), and the due time while it is open.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/RemindersSnapshot.h"

namespace plyx {

struct ReminderRow {
    ReminderItem item;
    double spacing = 11;    ///< between the parts
    double titleSize = 11;
    double diameter = 15;   ///< of the check circle
    ui::Color checkColor;   ///< the tick on a done circle
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
