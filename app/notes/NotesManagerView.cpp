#include "app/notes/NotesManagerView.h"

#include "app/notes/ComposeField.h"
#include "app/notes/WrappedText.h"
#include "app/sheets/InsetList.h"
#include "app/sheets/SheetParts.h"
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/models/NoteItem.h"
#include "shared/stores/NotesStore.h"
#include "widgets/timelines/NotesWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace plyx {

const std::array<const char*, 4>& NotesManagerView::noteKinds() {
    static const std::array<const char*, 4> kinds{NotesQuickWidget.kind, NotesSingleWidget.kind, NotesListWidget.kind,
                                                  NotesPinnedWidget.kind};
    return kinds;
}

NotesManagerView::NotesManagerView(NotesStore& store, bool startComposing, QWidget* parent)
    : QDialog(parent), store_(store), startComposing_(startComposing) {
    auto* column = sheets::openSheet(*this, "notesManager", tr("Notes"), QSize(kWidth, kHeight));

    auto* compose = new QHBoxLayout;
    compose->setContentsMargins(16, 16, 16, 16);
    compose->setSpacing(8);
    compose_ = new ComposeField(this);
    add_ = new QPushButton(tr("Add"), this);
    add_->setObjectName("add");
    add_->setAutoDefault(false);
    compose->addWidget(compose_, 1, Qt::AlignTop);
    compose->addWidget(add_, 0, Qt::AlignTop);
    column->addLayout(compose);

    list_ = new sheets::InsetList(this);
    list_->addTo(*column);

    connect(compose_, &ComposeField::submitted, this, &NotesManagerView::addNote);
    connect(compose_, &QPlainTextEdit::textChanged, this, &NotesManagerView::updateAddEnabled);
    connect(add_, &QPushButton::clicked, this, &NotesManagerView::addNote);
    // The sheet keeps no copy: it shows the store's list whenever it changes.
    connect(&store_, &NotesStore::notesChanged, this, &NotesManagerView::showNotes);
    updateAddEnabled();
    showNotes();
}

void NotesManagerView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (startComposing_) compose_->setFocus(Qt::OtherFocusReason);
}

void NotesManagerView::updateAddEnabled() { add_->setEnabled(!compose_->toPlainText().trimmed().isEmpty()); }

void NotesManagerView::addNote() {
    const QString text = compose_->toPlainText().trimmed();
    if (text.isEmpty()) return;
    // A note the store could not save stays typed, so nothing is lost.
    if (store_.add(text.toStdString())) compose_->clear();
    reloadNoteWidgets();
}

void NotesManagerView::reloadNoteWidgets() {
    for (const char* kind : noteKinds()) widgetkit::WidgetCenter::reloadTimelines(kind);
}

void NotesManagerView::showNotes() {
    list_->clear();
    for (const NoteItem& note : store_.notes()) list_->addRow(row(note));
    if (store_.notes().empty()) list_->addRow(sheets::emptyText(list_->body(), tr(kEmptyText)));
}

QWidget* NotesManagerView::row(const NoteItem& note) {
    auto* row = new QWidget(list_->body());
    row->setObjectName("noteRow");
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 4, 0, 4);
    line->setSpacing(10);

    auto* block = new QVBoxLayout;
    block->setSpacing(3);
    QFont body = font();
    body.setPixelSize(13);
    auto* text = new WrappedText(QString::fromStdString(note.text), body,
                                 sheets::foreground(*this, sheets::Level::primary), row);
    text->setObjectName("text");
    block->addWidget(text);
    auto* date = new QLabel(QString::fromStdString(time::formatSkeleton(note.edited, "yMMMdjmm")), row);
    date->setObjectName("date");
    QFont caption = font();
    caption.setPixelSize(11);
    date->setFont(caption);
    QPalette pal = date->palette();
    pal.setColor(QPalette::WindowText, sheets::foreground(*this, sheets::Level::tertiary));
    date->setPalette(pal);
    block->addWidget(date);
    line->addLayout(block, 1);

    auto* pin = sheets::symbolButton(row, "pin");
    if (note.pinned) {
        sheets::setSymbol(pin, "pin.fill", sheets::qcolor(PlyxTokens::nothingRed));
        pin->setToolTip(tr(kUnpinTip));
    } else {
        sheets::setSymbol(pin, "pin", sheets::foreground(*this, sheets::Level::secondary));
        pin->setToolTip(tr(kPinTip));
    }
    auto* remove = sheets::symbolButton(row, "delete");
    sheets::setSymbol(remove, "trash", sheets::foreground(*this, sheets::Level::secondary));
    line->addWidget(pin, 0, Qt::AlignTop);
    line->addWidget(remove, 0, Qt::AlignTop);

    connect(pin, &QToolButton::clicked, this, [this, note] {
        store_.togglePin(note);
        reloadNoteWidgets();
    });
    connect(remove, &QToolButton::clicked, this, [this, note] {
        store_.remove(note);
        reloadNoteWidgets();
    });
    return row;
}

} // namespace plyx
