#pragma once
// The notes group: the user's notes as the application keeps them, newest
// edit first, on one provider; a tap opens the application's notes (the
// quick note opens a new one).
#include "widgets/timelines/DeclareWidget.h"

#include <vector>

namespace plyx {

// clang-format off
//                                            kind                 display name   description                                family   tone    link
inline constexpr WidgetRow NotesQuickWidget {"plyx.notes.quick",  "Quick Note",  "Your latest note; tap to jot a new one.", kMedium, kDark,  "plyxwidgets://notes/new"};
inline constexpr WidgetRow NotesSingleWidget{"plyx.notes.single", "Single Note", "Your latest note.",                       kSmall,  kLight, "plyxwidgets://notes"};
inline constexpr WidgetRow NotesListWidget  {"plyx.notes.list",   "Notes List",  "Your recent notes.",                      kSmall,  kDark,  "plyxwidgets://notes"};
inline constexpr WidgetRow NotesPinnedWidget{"plyx.notes.pinned", "Pinned",      "Two pinned notes side by side.",          kMedium, kLight, "plyxwidgets://notes"};
// clang-format on

/// The four widgets, each with the notes provider and its view.
std::vector<DeclaredWidget> notesWidgets();

} // namespace plyx
