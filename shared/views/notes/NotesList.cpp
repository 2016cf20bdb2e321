#include "shared/views/notes/NotesList.h"

#include "shared/views/kit/Caption.h"
#include "shared/views/notes/NotesKit.h"

#include <algorithm>

namespace plyx {

namespace {
constexpr const char* kTitle = "Notes";
constexpr const char* kAll = "All notes →";
} // namespace

ui::View NotesList::body() const {
    const double u = ctx.u;
    ui::View header = ui::HStack({Caption{kTitle, 9, 0.18, ctx.pal.inkDim, ctx}, ui::Spacer(),
                                  notes::numeral(std::to_string(notes.size()), 14, ctx).foregroundColor(ctx.pal.ink)},
                                 ui::VerticalAlignment::firstTextBaseline);

    std::vector<ui::View> rows;
    const std::size_t n = std::min(notes.size(), kRows);
    for (std::size_t i = 0; i < n; ++i) {
        const bool first = i == 0;
        rows.push_back(ui::HStack(
            {ui::Circle().fill(first ? ctx.pal.accent : ctx.pal.inkFaint).frame(4 * u, 4 * u),
             notes::noteText(notes[i].text, 11, ctx).lineLimit(1).foregroundColor(first ? ctx.pal.ink : ctx.pal.inkDim)},
            ui::VerticalAlignment::center, 9 * u));
    }
    ui::View list = rows.empty() ? ui::EmptyView()
                                 : ui::VStack(std::move(rows), ui::HorizontalAlignment::leading, 10 * u)
                                       .padding(ui::Edges::top, 14 * u);

    return ui::VStack({header, list, ui::Spacer(0), Caption{kAll, 9, 0, ctx.pal.inkFaint, ctx}},
                      ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
