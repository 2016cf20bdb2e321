#pragma once
// The notes file: the whole list of notes as one JSON array in "notes.json"
// at the root of the app-group container. The application is the file's only
// writer; the widgets read it.
#include "shared/models/NoteItem.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace plyx {

namespace NotesFile {

/// "notes.json" in the app-group container (the temporary folder when there
/// is no container), computed afresh on every call.
std::filesystem::path location();

/// The whole list from `file`; empty when the file is missing, unreadable, or
/// does not decode whole (one bad note is enough): never a partial list.
std::vector<NoteItem> read(const std::filesystem::path& file);
std::vector<NoteItem> read();
/// The list from `file`: empty when there is no file; nothing when a file is
/// there but cannot be read or does not decode whole.
std::optional<std::vector<NoteItem>> load(const std::filesystem::path& file);

/// Writes the whole list to `file` atomically, so a reader sees the old or the
/// new list, never part of one. On an encoding or writing failure nothing is
/// written and the old file stays. Returns whether the new list was written.
bool write(const std::filesystem::path& file, const std::vector<NoteItem>& notes);
bool write(const std::vector<NoteItem>& notes);

/// The notes newest first by `edited` (equal instants keep the file's order),
/// each text held to what a widget can show.
std::vector<NoteItem> latest();
/// `notes` sorted as `latest()` sorts the file.
std::vector<NoteItem> newestFirst(std::vector<NoteItem> notes);

} // namespace NotesFile
} // namespace plyx
