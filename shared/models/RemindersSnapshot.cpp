#include "shared/models/RemindersSnapshot.h"

namespace plyx {

const std::vector<ReminderItem>& ReminderItem::samples() {
    static const std::vector<ReminderItem> s{
        {"1", "Morning run 5K", std::nullopt, true, false},
        {"2", "Ship widget beta build", std::nullopt, true, false},
        {"3", "Call Maya re: press kit", "17:00", false, false},
        {"4", "Water the monstera", "18:30", false, true},
        {"5", "Review App Store copy", "21:00", false, false},
    };
    return s;
}

const RemindersSnapshot& RemindersSnapshot::sample() {
    static const RemindersSnapshot s{ReminderItem::samples(), ReminderItem::samples()[2], 28};
    return s;
}

} // namespace plyx
