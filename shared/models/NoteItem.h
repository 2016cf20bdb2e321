#pragma once
// One short note. The notes are kept in the notes file (shared/stores/NotesFile.h).
#include "platform/coding/Coding.h"
#include "platform/coding/Uuid.h"
#include "platform/time/Date.h"

#include <string>
#include <vector>

namespace plyx {

struct NoteItem {
    Uuid id;
    std::string text;
    Date edited;          ///< when created or last changed
    bool pinned = false;

    /// Seven preview notes, made once per process on first use; not sorted.
    static const std::vector<NoteItem>& samples();

    bool operator==(const NoteItem&) const = default;
};

PLYX_CODABLE(NoteItem, id, text, edited, pinned)

} // namespace plyx
