#pragma once
// The minimal analog face: four grey dots at 12, 3, 6 and 9, the hour and
// minute hands under an accent cap, no accent hand and, on the hybrid, the
// digital time above the centre.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <optional>
#include <string>

namespace plyx {

struct ClockAnalogMinimal {
    Date date;
    std::string timeZone;
    std::optional<double> liveSeconds; ///< ignored: this face has no accent hand
    bool digital = false;
    WCtx ctx;

    ui::View body() const;
    operator ui::View() const { return body(); }
};

} // namespace plyx
