#include "shared/views/notes/NotesPinned.h"

#include "platform/time/Time.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/notes/NotesKit.h"

#include <algorithm>

namespace plyx {

namespace {
constexpr const char* kPinnedTitle = "Pinned";
constexpr const char* kNotesTitle = "Notes";
constexpr const char* kPlaceholder = "Add a note in Plyx";
constexpr const char* kDayPattern = "MMM d";
constexpr int kLines = 3;

// The dark card: fixed greys, whatever the widget's palette.
constexpr ui::Color kDarkBackground = ui::Color::grey255(17);
constexpr ui::Color kDarkText = ui::Color::grey255(245);
constexpr ui::Color kDarkDate = ui::Color::grey255(95);
} // namespace

std::vector<NoteItem> NotesPinned::shown(const std::vector<NoteItem>& notes) {
    std::vector<NoteItem> pinned;
    std::copy_if(notes.begin(), notes.end(), std::back_inserter(pinned), [](const NoteItem& n) { return n.pinned; });
    const auto& source = pinned.empty() ? notes : pinned;
    return {source.begin(), source.begin() + static_cast<std::ptrdiff_t>(std::min(source.size(), kCards))};
}

ui::View NotesPinned::pinnedCard(const NoteItem& note, bool inverted) const {
    const double u = ctx.u;
    const ui::Color background = inverted ? kDarkBackground : ctx.pal.chip;
    const ui::Color text = inverted ? kDarkText : ctx.pal.ink;
    const ui::Color date = inverted ? kDarkDate : ctx.pal.inkFaint;
    ui::View content =
        ui::VStack({notes::noteText(note.text, 11, ctx).lineSpacing(5.5 * u).lineLimit(kLines).foregroundColor(text),
                    ui::Spacer(0), Caption{time::format(note.edited, kDayPattern, time::currentZone()), 8.5, 0, date, ctx}},
                   ui::HorizontalAlignment::leading, 0)
            .padding(ui::EdgeInsets{12 * u, 14 * u, 10 * u, 14 * u});
    return notes::card(background, ctx).overlay(content, ui::Alignment::topLeading);
}

ui::View NotesPinned::body() const {
    const double u = ctx.u;
    const auto cards = shown(notes);
    const bool anyPinned = std::any_of(notes.begin(), notes.end(), [](const NoteItem& n) { return n.pinned; });

    std::vector<ui::View> row;
    for (std::size_t i = 0; i < cards.size(); ++i) row.push_back(pinnedCard(cards[i], i == 1));
    if (row.empty())
        row.push_back(notes::card(ctx.pal.chip, ctx).overlay(Caption{kPlaceholder, 10, 0, ctx.pal.inkDim, ctx}.body()));

    return ui::VStack({Caption{anyPinned ? kPinnedTitle : kNotesTitle, 9, 0.18, ctx.pal.inkDim, ctx},
                       ui::HStack(std::move(row), ui::VerticalAlignment::center, 12 * u).padding(ui::Edges::top, 10 * u)},
                      ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{20 * u, 24 * u, 20 * u, 24 * u})
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
