#pragma once
// Up to two pinned notes as cards side by side, the second dark; the first
// notes when none is pinned, and a card inviting one when there are none.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/NoteItem.h"

#include <vector>

namespace plyx {

struct NotesPinned {
    std::vector<NoteItem> notes; ///< every note; the view picks the pinned ones
    WCtx ctx;

    /// Cards drawn at most.
    static constexpr std::size_t kCards = 2;

    /// The notes the cards show: the first pinned ones, else the first ones.
    static std::vector<NoteItem> shown(const std::vector<NoteItem>& notes);

    ui::View body() const;

private:
    ui::View pinnedCard(const NoteItem& note, bool inverted) const;
};

} // namespace plyx
