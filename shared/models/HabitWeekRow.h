#pragma once
// One habit's line in the habits widget: on how many days of the current
// Monday-to-Sunday week it was done. Derived afresh at every request.
#include "platform/coding/Coding.h"
#include "platform/coding/Uuid.h"
#include "platform/time/Date.h"
#include "shared/models/HabitItem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plyx {

struct HabitWeekRow {
    Uuid id;
    std::string name;
    std::int64_t done = 0;
    std::int64_t total = 7;

    /// One row per habit, in list order, for the week (starting Monday, current
    /// zone) that holds `now`. Check-ins of other weeks do not count.
    static std::vector<HabitWeekRow> week(const std::vector<HabitItem>& habits, Date now);
    /// Three preview rows; identities fixed per process.
    static const std::vector<HabitWeekRow>& samples();

    bool operator==(const HabitWeekRow&) const = default;
};

PLYX_CODABLE(HabitWeekRow, id, name, done, total)

} // namespace plyx
