#include "widgets/timelines/NotesWidgets.h"

#include "shared/models/NoteItem.h"
#include "shared/stores/NotesFile.h"
#include "shared/views/notes/NotesList.h"
#include "shared/views/notes/NotesPinned.h"
#include "shared/views/notes/NotesQuickNote.h"
#include "shared/views/notes/NotesSingle.h"
#include "widgets/timelines/LocalProvider.h"

namespace plyx {

namespace {

using Notes = std::vector<NoteItem>;
using NotesEntry = PlyxEntry<Notes>;

// Every request reads the file again, newest edit first; a missing or
// damaged file is an empty list.
Notes readNotes() { return NotesFile::latest(); }

std::optional<NoteItem> latest(const Notes& notes) {
    return notes.empty() ? std::nullopt : std::optional<NoteItem>(notes.front());
}

constexpr int kRefreshMinutes = 60;

} // namespace

std::vector<DeclaredWidget> notesWidgets() {
    const LocalProvider<Notes> NotesProvider{NoteItem::samples(), &readNotes, kRefreshMinutes};
    return {
        declare(NotesQuickWidget, NotesProvider,
                [](const NotesEntry& e, const WCtx& ctx) { return NotesQuickNote{latest(e.data), ctx}.body(); }),
        declare(NotesSingleWidget, NotesProvider,
                [](const NotesEntry& e, const WCtx& ctx) { return NotesSingle{latest(e.data), ctx}.body(); }),
        declare(NotesListWidget, NotesProvider, viewOf<NotesList>),
        declare(NotesPinnedWidget, NotesProvider, viewOf<NotesPinned>),
    };
}

} // namespace plyx
