#pragma once
// One note on a card under a "Quick note" header whose "+" invites a new
// note; without a note the card says how to start one.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/NoteItem.h"

#include <optional>

namespace plyx {

struct NotesQuickNote {
    std::optional<NoteItem> note;
    WCtx ctx;

    ui::View body() const;
};

} // namespace plyx
