#include "shared/views/notes/NotesSingle.h"

#include "platform/time/Time.h"
#include "shared/foundation/ClockFormat.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/notes/NotesKit.h"

namespace plyx {

namespace {
constexpr const char* kTitle = "Note";
constexpr const char* kEmpty = "No notes yet.";
constexpr const char* kTodayPrefix = "Today ";
constexpr const char* kDayPattern = "MMM d";
constexpr int kLines = 4;
} // namespace

std::string NotesSingle::relative(Date edited) {
    const std::string zone = time::currentZone();
    if (time::isSameDay(edited, time::now(), zone)) return kTodayPrefix + ClockFormat::hhmm(edited, zone);
    return time::format(edited, kDayPattern, zone);
}

ui::View NotesSingle::body() const {
    const double u = ctx.u;
    ui::View text = notes::noteText(note ? note->text : kEmpty, 12.5, ctx)
                        .lineSpacing(6.875 * u)
                        .lineLimit(kLines)
                        .foregroundColor(note ? ctx.pal.ink : ctx.pal.inkDim)
                        .padding(ui::Edges::top, 12 * u);
    ui::View footer = note ? Caption{relative(note->edited), 9, 0, ctx.pal.inkFaint, ctx}.body() : ui::EmptyView();
    return ui::VStack({DotCaption{kTitle, 9, 0.18, ctx.pal.accent, ctx.pal.inkDim, ctx}, text, ui::Spacer(0), footer},
                      ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
