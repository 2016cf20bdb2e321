#pragma once
// The inbox: the unread count with the newest message and its age, or an
// invitation to connect mail when the application has not read it.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/InboxSnapshot.h"

#include <optional>
#include <string>

namespace plyx {

struct InboxView {
    std::optional<InboxSnapshot> data; ///< none when no snapshot was ever stored
    WCtx ctx;

    /// The age of `date` at `now`: "" without a date, "N min ago" up to 59
    /// minutes (a future date reads 0), else "Nh ago" in whole hours.
    static std::string ago(std::optional<Date> date, Date now);

    ui::View body() const;
};

} // namespace plyx
