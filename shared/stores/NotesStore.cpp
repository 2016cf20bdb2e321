#include "shared/stores/NotesStore.h"

#include "platform/coding/Uuid.h"
#include "shared/models/NoteItem.h"
#include "platform/time/Time.h"
#include "shared/stores/NotesFile.h"

#include <QLoggingCategory>

#include <algorithm>
#include <system_error>

namespace plyx {

namespace {
Q_LOGGING_CATEGORY(lcNotes, "com.zelvanedesigns.plyx.notes")

/// A free name beside `file` for its unreadable content: "notes.json.unreadable",
/// with a number after it when an earlier one is already kept there.
std::filesystem::path asideName(const std::filesystem::path& file) {
    const std::string base = file.string() + NotesStore::kUnreadableSuffix;
    std::filesystem::path candidate = base;
    std::error_code ec;
    for (int n = 1; std::filesystem::exists(candidate, ec); ++n) candidate = base + "." + std::to_string(n);
    return candidate;
}
} // namespace

NotesStore::NotesStore(QObject* parent) : QObject(parent) {
    auto loaded = NotesFile::load(fileURL());
    unreadableOnDisk_ = !loaded;
    notes_ = loaded ? std::move(*loaded) : std::vector<NoteItem>{};
}

NotesStore::~NotesStore() = default;

std::filesystem::path NotesStore::fileURL() { return NotesFile::location(); }

void NotesStore::setNotes(std::vector<NoteItem> notes) {
    notes_ = std::move(notes);
    emit notesChanged();
}

void NotesStore::add(const std::string& text) {
    notes_.insert(notes_.begin(), NoteItem{Uuid::random(), text, time::now(), false});
    emit notesChanged();
    save();
}

void NotesStore::remove(const NoteItem& note) {
    std::erase_if(notes_, [&](const NoteItem& n) { return n.id == note.id; });
    emit notesChanged();
    save();
}

void NotesStore::togglePin(const NoteItem& note) {
    auto it = std::find_if(notes_.begin(), notes_.end(), [&](const NoteItem& n) { return n.id == note.id; });
    if (it == notes_.end()) return;
    it->pinned = !it->pinned;
    emit notesChanged();
    save();
}

void NotesStore::save() {
    const auto file = fileURL();
    if (unreadableOnDisk_) {
        // The file was there but did not read: keep it beside the new list
        // rather than replacing the user's notes with whatever we hold.
        const auto aside = asideName(file);
        std::error_code ec;
        std::filesystem::rename(file, aside, ec);
        if (ec && std::filesystem::exists(file)) {
            qCWarning(lcNotes) << "the notes file could not be read nor moved aside; left as it is:" << file.c_str()
                               << ec.message().c_str();
            return;
        }
        if (!ec) qCWarning(lcNotes) << "the notes file could not be read; kept as" << aside.c_str();
        unreadableOnDisk_ = false;
    }
    NotesFile::write(file, notes_);
}

} // namespace plyx
