#include "shared/models/HabitWeekRow.h"

#include "platform/time/Time.h"

#include <array>

namespace plyx {

namespace {
constexpr int kMonday = 2;
} // namespace

std::vector<HabitWeekRow> HabitWeekRow::week(const std::vector<HabitItem>& habits, Date now) {
    const Date start = time::startOfWeek(now, kMonday);
    std::array<std::string, 7> keys;
    for (int i = 0; i < 7; ++i) keys[static_cast<std::size_t>(i)] = time::dayKey(time::addingDays(start, i));

    std::vector<HabitWeekRow> rows;
    rows.reserve(habits.size());
    for (const auto& h : habits) {
        std::int64_t done = 0;
        for (const auto& k : keys) done += h.checkins.count(k) ? 1 : 0;
        rows.push_back({h.id, h.name, done, 7});
    }
    return rows;
}

const std::vector<HabitWeekRow>& HabitWeekRow::samples() {
    static const std::vector<HabitWeekRow> s{
        {Uuid::random(), "Run", 7, 7}, {Uuid::random(), "Read", 5, 7}, {Uuid::random(), "No sugar", 2, 7}};
    return s;
}

} // namespace plyx
