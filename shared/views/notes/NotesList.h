#pragma once
// How many notes there are, the first three as one-line rows, and a way to
// all of them.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/NoteItem.h"

#include <vector>

namespace plyx {

struct NotesList {
    std::vector<NoteItem> notes; ///< shown in the order given
    WCtx ctx;

    /// Rows drawn at most.
    static constexpr std::size_t kRows = 3;

    ui::View body() const;
};

} // namespace plyx
