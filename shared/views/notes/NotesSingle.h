#pragma once
// One note, up to four lines, with when it was last edited.
#include "platform/time/Date.h"
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/NoteItem.h"

#include <optional>
#include <string>

namespace plyx {

struct NotesSingle {
    std::optional<NoteItem> note;
    WCtx ctx;

    ui::View body() const;

    /// "Today 9:05" for an edit of today (in the current zone), else the
    /// short month and day ("Mar 3") in the current locale.
    static std::string relative(Date edited);
};

} // namespace plyx
