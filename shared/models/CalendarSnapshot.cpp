#include "shared/models/CalendarSnapshot.h"

namespace plyx {

const std::vector<EventItem>& EventItem::samples() {
    static const std::vector<EventItem> s{
        {"1", "09:30", std::nullopt, "Standup \u00B7 widgets team", "Done", true, false},
        {"2", "14:00", "14:45", "Design review \u00B7 Plyx 1.2", "Studio B \u00B7 45 min", false, false},
        {"3", "17:00", "17:30", "Press kit call with Maya", "FaceTime \u00B7 30 min", false, true},
    };
    return s;
}

const CalendarSnapshot& CalendarSnapshot::sample() {
    static const CalendarSnapshot s{EventItem::samples(), 0.68};
    return s;
}

} // namespace plyx
