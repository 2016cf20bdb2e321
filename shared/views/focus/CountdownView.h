#pragma once
// The countdown: whole days until the configured date under its name, the
// date itself below. Without a date it shows a dash and asks for one.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <cstdint>
#include <optional>
#include <string>

namespace plyx {

struct CountdownView {
    std::string name;
    std::optional<Date> target;
    WCtx ctx;

    /// Calendar days from the local day of `now` to the local day of
    /// `target` (current zone): 0 for later today, 1 for any time tomorrow,
    /// and never below 0.
    static std::int64_t daysLeft(Date target, Date now);
    /// The target as the date line shows it, before upper-casing: "Dec 25 · 3PM"
    /// in the current locale and zone.
    static std::string detailText(Date target);

    ui::View body() const;
};

} // namespace plyx
