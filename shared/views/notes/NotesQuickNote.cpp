#include "shared/views/notes/NotesQuickNote.h"

#include "platform/time/Time.h"
#include "shared/foundation/ClockFormat.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/notes/NotesKit.h"

namespace plyx {

namespace {
constexpr const char* kTitle = "Quick note";
constexpr const char* kPlus = "+";
constexpr const char* kEmpty = "Tap + to jot something down.";
constexpr const char* kEditedPrefix = "Edited ";
constexpr double kTitleTracking = 0.96;
constexpr double kNoteOpacity = 0.92;
} // namespace

ui::View NotesQuickNote::body() const {
    const double u = ctx.u;
    const bool caps = ctx.theme.labels == ThemeSettings::LabelStyle::monoCaps;

    ui::View title = notes::numeral(caps ? upperCased(kTitle) : std::string(kTitle), 16, ctx)
                         .tracking(caps ? kTitleTracking * u : 0)
                         .foregroundColor(ctx.pal.ink);
    ui::View header = ui::HStack({title, ui::Spacer(), notes::numeral(kPlus, 18, ctx).foregroundColor(ctx.pal.accent)},
                                 ui::VerticalAlignment::center);

    ui::View text = notes::noteText(note ? note->text : kEmpty, 12, ctx)
                        .lineSpacing(7.2 * u)
                        .foregroundColor(note ? ctx.pal.ink.opacity(kNoteOpacity) : ctx.pal.inkDim)
                        .padding(ui::EdgeInsets{12 * u, 16 * u, 12 * u, 16 * u});
    // The card takes every point the header and the footer leave.
    ui::View card = notes::card(ctx.pal.chip, ctx)
                        .overlay(text, ui::Alignment::topLeading)
                        .frameFill(ui::Alignment::topLeading)
                        .padding(ui::Edges::top, 12 * u);

    ui::View footer = note ? Caption{kEditedPrefix + ClockFormat::hhmm(note->edited, time::currentZone()), 9, 0.14,
                                     ctx.pal.inkFaint, ctx}
                                 .body()
                                 .padding(ui::Edges::top, 8 * u)
                           : ui::EmptyView();

    return ui::VStack({header, card, footer}, ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 24 * u, 14 * u, 24 * u})
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
