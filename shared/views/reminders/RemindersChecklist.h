#pragma once
// A short checklist: the latest done reminder and the open ones, three rows
// at most, under a heading with the count of open reminders.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/RemindersSnapshot.h"

#include <vector>

namespace plyx {

struct RemindersChecklist {
    RemindersSnapshot data;
    WCtx ctx;

    ui::View body() const;

private:
    /// The last done item, then every open one, each in snapshot order.
    std::vector<ReminderItem> rows() const;
    ui::View reminderRow(const ReminderItem& item) const;
};

} // namespace plyx
