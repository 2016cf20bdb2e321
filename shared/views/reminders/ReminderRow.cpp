#include "shared/views/reminders/ReminderRow.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/reminders/ReminderToggle.h"

namespace plyx {

ui::View ReminderRow::body() const {
    const double u = ctx.u;
    const bool showTime = item.time && !item.done;
    return ui::HStack(
        {
            ReminderToggle{item, ctx.pal.fill, checkColor, diameter, ctx}.body(),
            ui::Text(item.title)
                .font(PlyxFonts::label(titleSize * u, ctx.theme.labels))
                .strikethrough(item.done)
                .foregroundColor(item.done ? ctx.pal.inkFaint : ctx.pal.ink)
                .lineLimit(1),
            ui::Spacer(0),
            showTime ? Caption{*item.time, 10, 0, item.isUrgent ? ctx.pal.accent : ctx.pal.inkDim, ctx}.body()
                     : ui::EmptyView(),
        },
        ui::VerticalAlignment::center, spacing * u);
}

} // namespace plyx
