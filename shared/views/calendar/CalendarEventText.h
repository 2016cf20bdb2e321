#pragma once
// What the two event views share: the event title's font, chosen by the
// label style but never re-cased.
#include "platform/ui/Font.h"
#include "shared/foundation/WCtx.h"

namespace plyx {

/// "Fragment Mono" at 12.5, or the medium system face with `systemSans`.
ui::Font eventTitleFont(const WCtx& ctx);

} // namespace plyx
