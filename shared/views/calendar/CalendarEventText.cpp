#include "shared/views/calendar/CalendarEventText.h"

#include "shared/foundation/PlyxFonts.h"

namespace plyx {

ui::Font eventTitleFont(const WCtx& ctx) {
    return PlyxFonts::label(12.5 * ctx.u, ctx.theme.labels);
}

} // namespace plyx
