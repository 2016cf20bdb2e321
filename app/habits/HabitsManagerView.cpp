#include "app/habits/HabitsManagerView.h"

#include "app/habits/HabitCheckButton.h"
#include "app/sheets/ElidedLabel.h"
#include "app/sheets/InsetList.h"
#include "app/sheets/SheetParts.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "platform/coding/Uuid.h"
#include "shared/models/HabitItem.h"
#include "shared/stores/ExtrasStore.h"
#include "widgets/timelines/TapToLogWidgets.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace plyx {

namespace {
std::vector<HabitItem> storedOrSamples() { return ExtrasStore::habits().value_or(HabitItem::samples()); }
} // namespace

HabitsManagerView::HabitsManagerView(QWidget* parent) : QDialog(parent), habits_(storedOrSamples()) {
    auto* column = sheets::openSheet(*this, "habitsManager", tr("Habits"), QSize(kWidth, kHeight));

    auto* nameRow = new QHBoxLayout;
    nameRow->setContentsMargins(16, 16, 16, 16);
    nameRow->setSpacing(8);
    name_ = new QLineEdit(this);
    name_->setObjectName("name");
    name_->setPlaceholderText(tr(kPlaceholder));
    name_->installEventFilter(this);
    add_ = new QPushButton(tr("Add"), this);
    add_->setObjectName("add");
    add_->setAutoDefault(false);
    nameRow->addWidget(name_, 1);
    nameRow->addWidget(add_);
    column->addLayout(nameRow);

    list_ = new sheets::InsetList(this);
    list_->addTo(*column);

    connect(name_, &QLineEdit::textChanged, this, [this] { add_->setEnabled(!trimmedName().isEmpty()); });
    connect(add_, &QPushButton::clicked, this, &HabitsManagerView::add);
    add_->setEnabled(false);
    showHabits();
}

HabitsManagerView::~HabitsManagerView() = default;

bool HabitsManagerView::eventFilter(QObject* watched, QEvent* event) {
    // Return in the name field adds the habit and goes no further: the
    // dialog would otherwise take it for "Done".
    if (watched == name_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            add();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString HabitsManagerView::trimmedName() const {
    // Spaces and tabs only: a name's own line breaks stay.
    return sheets::trimmedOf(name_->text(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

void HabitsManagerView::add() {
    const QString name = trimmedName();
    if (name.isEmpty()) return;
    HabitItem habit{Uuid::random(), name.toStdString(), {}};
    const bool stored = ExtrasStore::updateHabits([&](std::vector<HabitItem> list) -> std::optional<std::vector<HabitItem>> {
        list.push_back(habit);
        return list;
    });
    if (stored) name_->clear();
    showStoredAndReload();
}

void HabitsManagerView::checkIn(const Uuid& id) {
    ExtrasStore::toggleHabitToday(id);
    showStoredAndReload();
}

void HabitsManagerView::remove(const Uuid& id) {
    ExtrasStore::updateHabits([&](std::vector<HabitItem> list) -> std::optional<std::vector<HabitItem>> {
        if (std::erase_if(list, [&](const HabitItem& h) { return h.id == id; }) == 0) return std::nullopt;
        return list;
    });
    showStoredAndReload();
}

void HabitsManagerView::showStoredAndReload() {
    habits_ = storedOrSamples();
    showHabits();
    widgetkit::WidgetCenter::reloadTimelines(HabitsWidget.kind);
}

void HabitsManagerView::showHabits() {
    list_->clear();
    for (const HabitItem& habit : habits_) list_->addRow(row(habit));
    if (habits_.empty()) list_->addRow(sheets::emptyText(list_->body(), tr(kEmptyText)));
}

QWidget* HabitsManagerView::row(const HabitItem& habit) {
    auto* row = new QWidget(list_->body());
    row->setObjectName("habitRow");
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 2, 0, 2);

    auto* name = new sheets::ElidedLabel(QString::fromStdString(habit.name), row);
    name->setObjectName("habitName");
    line->addWidget(name, 1);

    auto* check = new HabitCheckButton(habit.checkins, row);
    auto* remove = sheets::symbolButton(row, "delete");
    sheets::setSymbol(remove, "trash", sheets::foreground(*this, sheets::Level::secondary));
    line->addWidget(check);
    line->addWidget(remove);

    const Uuid id = habit.id;
    connect(check, &QToolButton::clicked, this, [this, id] { checkIn(id); });
    connect(remove, &QToolButton::clicked, this, [this, id] { this->remove(id); });
    return row;
}

} // namespace plyx
