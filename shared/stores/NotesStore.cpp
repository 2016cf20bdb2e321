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

bool NotesStore::add(const std::string& text) {
    auto next = notes_;
    next.insert(next.begin(), NoteItem{Uuid::random(), text, time::now(), false});
    return commit(std::move(next));
}

bool NotesStore::remove(const NoteItem& note) {
    auto next = notes_;
    std::erase_if(next, [&](const NoteItem& n) { return n.id == note.id; });
    return commit(std::move(next));
}

bool NotesStore::togglePin(const NoteItem& note) {
    auto next = notes_;
    auto it = std::find_if(next.begin(), next.end(), [&](const NoteItem& n) { return n.id == note.id; });
    if (it == next.end()) return true;
    it->pinned = !it->pinned;
    return commit(std::move(next));
}

bool NotesStore::commit(std::vector<NoteItem> next) {
    // Saved first, shown after: a list the file does not hold would be gone
    // at the next start, so it is never shown as kept.
    if (!save(next)) return false;
    notes_ = std::move(next);
    emit notesChanged();
    return true;
}

bool NotesStore::save(const std::vector<NoteItem>& notes) {
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
            return false;
        }
        if (!ec) qCWarning(lcNotes) << "the notes file could not be read; kept as" << aside.c_str();
        unreadableOnDisk_ = false;
    }
    if (NotesFile::write(file, notes)) return true;
    qCWarning(lcNotes) << "the notes could not be saved to" << file.c_str() << "- the file keeps the list it had";
    return false;
}

} // namespace plyx
