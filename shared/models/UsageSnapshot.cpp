#include "shared/models/UsageSnapshot.h"

namespace plyx {

const UsageSnapshot& UsageSnapshot::sample() {
    // The application minutes do not add up to the total; the preview shows them as they are.
    static const UsageSnapshot s{
        204,
        180,
        {{"Figma", 72, false}, {"Safari", 47, false}, {"Messages", 36, true}},
        {{"Thu", 250, false, false},
         {"Fri", 200, false, false},
         {"Sat", 300, false, false},
         {"Sun", 150, false, false},
         {"Mon", 250, false, false},
         {"Tue", 350, false, true},
         {"Wed", 204, true, false}}};
    return s;
}

} // namespace plyx
