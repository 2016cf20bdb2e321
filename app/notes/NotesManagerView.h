#pragma once
// The notes sheet: write a new note, pin or unpin a note, delete one. It
// works straight on the application's notes store and shows the store's list
// as it changes; after every change it asks the four notes widgets for new
// timelines. No message is ever shown: text that is blank cannot be added,
// and a change the store could not save is simply not shown (the store logs
// it), while the typed text stays in the field.
#include <QDialog>

#include <array>

class QPushButton;

namespace plyx {

class ComposeField;
class NotesStore;
struct NoteItem;
namespace sheets {
class InsetList;
}

class NotesManagerView : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 480;
    /// The kinds reloaded after every change, in this order.
    static const std::array<const char*, 4>& noteKinds();

    static constexpr const char* kPinTip = "Pin \u2014 pinned notes show in the Pinned widget";
    static constexpr const char* kUnpinTip = "Unpin";
    static constexpr const char* kEmptyText = "No notes yet \u2014 the Notes widgets fill in as you add them.";

    /// `startComposing`: the caret is in the compose field once the sheet shows.
    NotesManagerView(NotesStore& store, bool startComposing, QWidget* parent = nullptr);
    bool startsComposing() const { return startComposing_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addNote();
    void reloadNoteWidgets();
    void showNotes();
    QWidget* row(const NoteItem& note);
    void updateAddEnabled();

    NotesStore& store_;
    bool startComposing_;
    ComposeField* compose_;
    QPushButton* add_;
    sheets::InsetList* list_;
};

} // namespace plyx
