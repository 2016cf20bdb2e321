#include "shared/models/MoonInfo.h"

namespace plyx {

std::string MoonInfo::detail() const {
    // A full moon tonight wins over a new moon tonight; "days" even for one.
    if (daysToFull == 0) return "Full moon tonight";
    if (daysToNew == 0) return "New moon tonight";
    if (waxing) return "Full in " + std::to_string(daysToFull) + " days";
    return "New in " + std::to_string(daysToNew) + " days";
}

} // namespace plyx
