#pragma once
// The numbered analog face: 12, 3, 6 and 9 in the theme's numeral font
// around short hands, no ticks.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <optional>
#include <string>

namespace plyx {

struct ClockDotDial {
    Date date;
    std::string timeZone;
    std::optional<double> liveSeconds; ///< none in the widget
    WCtx ctx;

    ui::View body() const;
    operator ui::View() const { return body(); }

private:
    /// One numeral, its centre moved by (x, y) design units from the face's.
    ui::View dialNumber(const std::string& text, double x, double y) const;
};

} // namespace plyx
