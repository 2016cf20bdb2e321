#pragma once
// The dual clock face: "Home" and one more city, split by a hairline, each
// with its time, its offset from GMT and whether it is day or night there.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <string>
#include <vector>

namespace plyx {

struct ClockDual {
    static constexpr const char* homeLabel = "Home";

    Date date;
    std::string homeZone;
    std::string awayZone;
    WCtx ctx;

    /// The status line of a column: the zone's offset label in force at
    /// `date`, " · ", then "Day" or "Night" there ("GMT+9 · Day").
    std::string statusText(const std::string& zone) const;

    ui::View body() const;
    operator ui::View() const { return body(); }

private:
    /// The label, time and status of one city, top to bottom.
    std::vector<ui::View> column(const std::string& label, const std::string& zone, bool dotted) const;
};

} // namespace plyx
