#pragma once
// The habit week: up to three habits, each a row of seven day dots filled
// from the left for the days done this week. A habit done on fewer than three
// days is behind and drawn in the accent colour. Each row is a button that
// checks the habit in or out for today.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/HabitWeekRow.h"

#include <string>
#include <vector>

namespace plyx {

struct HabitsView {
    std::vector<HabitWeekRow> rows;
    WCtx ctx;

    /// The rows shown at most.
    static constexpr size_t kMaxRows = 3;
    /// Fewer days done than this is behind.
    static constexpr std::int64_t kOnTrackDays = 3;
    /// The text shown when there are no habits.
    static constexpr const char* kEmptyText = "Add habits in Plyx";

    /// The serialised intent a row's button runs for the habit `id`.
    static std::string action(const Uuid& id);

    ui::View body() const;

private:
    ui::View row(const HabitWeekRow& habit) const;
};

} // namespace plyx
