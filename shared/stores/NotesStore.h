#pragma once
// The user's notes as the application edits them: the list in memory, saved
// whole to the notes file after every change. Loaded once; the application
// is the file's only writer.
//
// The header stays free of the coding headers (the meta-object compiler
// cannot read them): callers include shared/models/NoteItem.h.
#include <QObject>

#include <filesystem>
#include <string>
#include <vector>

namespace plyx {

struct NoteItem;

class NotesStore : public QObject {
    Q_OBJECT
public:
    /// The name a notes file that could not be read is kept under.
    static constexpr const char* kUnreadableSuffix = ".unreadable";

    /// Loads the list from `fileURL()`; empty when missing or unreadable.
    explicit NotesStore(QObject* parent = nullptr);
    ~NotesStore() override;

    /// The notes file, computed afresh on every call.
    static std::filesystem::path fileURL();

    /// The notes in stored order, the newest added first.
    const std::vector<NoteItem>& notes() const { return notes_; }
    /// Replaces the list and announces it; does not save.
    void setNotes(std::vector<NoteItem> notes);

    // Each change below is saved first and only then shown and announced.
    // When the save fails (logged), the list stays as the file holds it; each
    // returns whether its change was saved.

    /// A new unpinned note edited now, put first, then saved.
    bool add(const std::string& text);
    /// Drops every note with `note`'s id and saves, also when none matched.
    bool remove(const NoteItem& note);
    /// Flips the pin of the first note with `note`'s id and saves; with no
    /// such note nothing changes and nothing is written (true).
    bool togglePin(const NoteItem& note);

signals:
    void notesChanged();

private:
    /// Saves `next`, then makes it the list and announces it.
    bool commit(std::vector<NoteItem> next);
    bool save(const std::vector<NoteItem>& notes);

    std::vector<NoteItem> notes_;
    /// The file held data that did not read at load: it is moved aside
    /// before the first save would replace it.
    bool unreadableOnDisk_ = false;
};

} // namespace plyx
