#include "widgets/host/EditDialog.h"

#include "platform/intents/Entity.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtConcurrent>

#include <climits>
#include <optional>

namespace plyx::host {

using intents::Json;
using intents::ParameterKind;

namespace {
constexpr double kReferenceUnix = 978307200.0;
} // namespace

struct EditDialog::Row {
    const intents::ParameterDescriptor* p = nullptr;
    QString title;
    QLineEdit* text = nullptr;
    QSpinBox* integer = nullptr;
    QDoubleSpinBox* real = nullptr;
    QCheckBox* check = nullptr;
    QDateTimeEdit* date = nullptr;
    QCheckBox* none = nullptr;
    QComboBox* choice = nullptr;
    QLabel* busy = nullptr;
    QLabel* note = nullptr;      // says a search found nothing, when the type has words for it
    QString noneTitle;           // an optional entity's "none", naming what the widget then shows
    Json shown;                  // what the row showed when the dialog opened
    int generation = 0; // only the newest search fills the list
    int running = 0;
};

EditDialog::EditDialog(const intents::IntentDescriptor& intent, const Json& values, QWidget* parent)
    : QDialog(parent), intent_(intent), stored_(values.is_object() ? values : Json::object()) {
    setWindowTitle(QString::fromStdString(intent.title));
    auto* form = new QFormLayout;
    for (const auto& p : intent.parameters) {
        auto row = std::make_unique<Row>();
        row->p = &p;
        row->title = QString::fromStdString(p.title);
        const Json v = values.contains(p.key) ? values[p.key] : p.defaultValue;
        QWidget* field = nullptr;
        switch (p.kind) {
        case ParameterKind::string:
            row->text = new QLineEdit(v.is_string() ? QString::fromStdString(v.get<std::string>()) : QString());
            field = row->text;
            break;
        case ParameterKind::integer:
            row->integer = new QSpinBox;
            row->integer->setRange(INT_MIN, INT_MAX);
            row->integer->setValue(v.is_number() ? v.get<int>() : 0);
            field = row->integer;
            break;
        case ParameterKind::real:
            row->real = new QDoubleSpinBox;
            row->real->setRange(-1e9, 1e9);
            row->real->setDecimals(3);
            row->real->setValue(v.is_number() ? v.get<double>() : 0);
            field = row->real;
            break;
        case ParameterKind::boolean:
            row->check = new QCheckBox;
            row->check->setChecked(v.is_boolean() && v.get<bool>());
            field = row->check;
            break;
        case ParameterKind::date: {
            auto* box = new QWidget;
            auto* h = new QHBoxLayout(box);
            h->setContentsMargins(0, 0, 0, 0);
            row->date = new QDateTimeEdit;
            row->date->setCalendarPopup(true);
            const double unix = v.is_number() ? v.get<double>() + kReferenceUnix : double(QDateTime::currentSecsSinceEpoch());
            row->date->setDateTime(QDateTime::fromSecsSinceEpoch(qint64(unix)));
            h->addWidget(row->date);
            if (p.optional) {
                row->none = new QCheckBox(QString::fromUtf8(kNoneTitle));
                row->none->setChecked(v.is_null());
                row->date->setEnabled(!v.is_null());
                QObject::connect(row->none, &QCheckBox::toggled, row->date, &QWidget::setDisabled);
                h->addWidget(row->none);
            }
            field = box;
            break;
        }
        case ParameterKind::enumeration:
            row->choice = new QComboBox;
            for (const auto& c : p.cases)
                row->choice->addItem(QString::fromStdString(c.title), QString::fromStdString(c.raw));
            if (v.is_string()) row->choice->setCurrentIndex(row->choice->findData(QString::fromStdString(v.get<std::string>())));
            field = row->choice;
            break;
        case ParameterKind::entity: {
            auto* box = new QWidget;
            auto* h = new QHBoxLayout(box);
            h->setContentsMargins(0, 0, 0, 0);
            row->text = new QLineEdit;
            row->text->setPlaceholderText("Search");
            row->choice = new QComboBox;
            row->busy = new QLabel(QString::fromUtf8("\u2026"));
            row->busy->hide();
            // An unset optional entity is shown as what the widget falls back
            // to, never as the first suggestion: that would read as a choice
            // and "Done" would store it.
            if (p.optional) {
                const std::string fallback = p.fallbackTitle ? p.fallbackTitle() : std::string();
                row->noneTitle = fallback.empty() ? QString::fromUtf8(kDefaultTitle)
                                                  : QStringLiteral("%1 (%2)").arg(QString::fromUtf8(kDefaultTitle),
                                                                                  QString::fromStdString(fallback));
                row->choice->addItem(row->noneTitle);
            }
            // What is chosen now stays listed, titled, until another entity is picked.
            if (v.is_string()) {
                row->choice->addItem(QString::fromStdString(v.get<std::string>()), QString::fromStdString(v.get<std::string>()));
                row->choice->setCurrentIndex(row->choice->count() - 1);
            }
            row->note = new QLabel;
            row->note->hide();
            h->addWidget(row->text);
            h->addWidget(row->choice, 1);
            h->addWidget(row->busy);
            h->addWidget(row->note);
            const std::string key = p.key;
            QObject::connect(row->text, &QLineEdit::textEdited, this, [this, key](const QString& t) { search(key, t); });
            if (p.query) {
                auto query = p.query;
                fill(*row, [query] { return query->suggestedEntities(); }, false);
            }
            field = box;
            break;
        }
        }
        form->addRow(row->title, field);
        row->shown = current(*row);
        rows_.push_back(std::move(row));
    }
    auto* buttons = new QDialogButtonBox;
    buttons->addButton("Done", QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    // "Done" takes only values the widget can mean (the check a placement's
    // given values pass); otherwise the dialog stays open and says why.
    auto* problem = new QLabel;
    problem->setObjectName("problem");
    problem->setWordWrap(true);
    problem->hide();
    connect(buttons, &QDialogButtonBox::accepted, this, [this, problem] {
        std::string error;
        if (intents::Configuration::checked(intent_, this->values(), &error)) return accept();
        problem->setText(QString::fromStdString(error));
        problem->show();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addWidget(problem);
    outer->addWidget(buttons);
}

EditDialog::~EditDialog() = default;

void EditDialog::fill(Row& row, std::function<std::vector<intents::EntityDisplay>()> query, bool searched) {
    const int generation = ++row.generation;
    ++row.running;
    row.busy->show();
    row.note->hide();
    struct Answer {
        std::vector<intents::EntityDisplay> found;
        std::optional<intents::EntityDisplay> chosen; // the current choice, titled by the query
    };
    const QVariant chosenId = row.choice->currentData();
    auto entityQuery = row.p->query;
    auto* watcher = new QFutureWatcher<Answer>(this);
    Row* r = &row;
    connect(watcher, &QFutureWatcher<Answer>::finished, this, [r, watcher, generation, chosenId, searched, entityQuery] {
        watcher->deleteLater();
        if (--r->running == 0) r->busy->hide();
        if (generation != r->generation) return; // a newer search answers instead
        const Answer answer = watcher->result();
        // The list is rebuilt around what is chosen: "none" (when allowed)
        // and the current choice stay, so a search that finds nothing, or
        // fails offline, never takes the user's choice away.
        const QVariant keep = r->choice->currentData();
        QString title = r->choice->currentText();
        if (keep.isValid() && keep == chosenId && answer.chosen) title = QString::fromStdString(answer.chosen->title);
        for (const auto& e : answer.found)
            if (QString::fromStdString(e.id) == keep.toString()) title = QString::fromStdString(e.title);
        r->choice->clear();
        if (!r->noneTitle.isEmpty()) r->choice->addItem(r->noneTitle);
        if (keep.isValid()) r->choice->addItem(title, keep);
        for (const auto& e : answer.found)
            if (!keep.isValid() || QString::fromStdString(e.id) != keep.toString())
                r->choice->addItem(QString::fromStdString(e.title), QString::fromStdString(e.id));
        if (keep.isValid()) r->choice->setCurrentIndex(r->choice->findData(keep));
        const QString nothing = QString::fromStdString(entityQuery->noMatchesText());
        if (searched && answer.found.empty() && !nothing.isEmpty()) {
            r->note->setText(nothing);
            r->note->show();
        }
    });
    // A query that fails answers nothing; the current choice is still titled
    // by the query where it can be (the stored identifier otherwise).
    const std::string id = chosenId.isValid() ? chosenId.toString().toStdString() : std::string();
    watcher->setFuture(QtConcurrent::run([query, entityQuery, id]() -> Answer {
        Answer out;
        try {
            out.found = query();
        } catch (...) {
        }
        if (!id.empty()) try {
                auto titled = entityQuery->entitiesFor({id});
                if (titled.size() == 1 && !titled.front().title.empty()) out.chosen = titled.front();
            } catch (...) {
            }
        return out;
    }));
}

void EditDialog::search(const std::string& key, const QString& text) {
    for (auto& row : rows_) {
        if (row->p->key != key || row->p->kind != ParameterKind::entity || !row->p->query) continue;
        auto query = row->p->query;
        const std::string t = text.toStdString();
        fill(*row,
             t.empty() ? std::function<std::vector<intents::EntityDisplay>()>([query] { return query->suggestedEntities(); })
                       : [query, t] { return query->entitiesMatching(t); },
             !t.empty());
    }
}

QStringList EditDialog::listed(const std::string& key) const {
    QStringList out;
    for (const auto& row : rows_)
        if (row->p->key == key && row->choice)
            for (int i = 0; i < row->choice->count(); ++i) out << row->choice->itemText(i);
    return out;
}

bool EditDialog::isSearching(const std::string& key) const {
    for (const auto& row : rows_)
        if (row->p->key == key) return row->running > 0;
    return false;
}

QStringList EditDialog::titles() const {
    QStringList out;
    for (const auto& row : rows_) out << row->title;
    return out;
}

QString EditDialog::shownTitle(const std::string& key) const {
    for (const auto& row : rows_)
        if (row->p->key == key && row->choice) return row->choice->currentText();
    return {};
}

QString EditDialog::note(const std::string& key) const {
    for (const auto& row : rows_)
        if (row->p->key == key && row->note && !row->note->isHidden()) return row->note->text();
    return {};
}

Json EditDialog::current(const Row& row) const {
    switch (row.p->kind) {
    case ParameterKind::string: return row.text->text().toStdString();
    case ParameterKind::integer: return row.integer->value();
    case ParameterKind::real: return row.real->value();
    case ParameterKind::boolean: return row.check->isChecked();
    case ParameterKind::date:
        if (row.none && row.none->isChecked()) return nullptr;
        return double(row.date->dateTime().toSecsSinceEpoch()) - kReferenceUnix;
    case ParameterKind::enumeration:
    case ParameterKind::entity: {
        const QVariant id = row.choice->currentData();
        if (row.choice->currentIndex() < 0) return row.p->optional ? Json(nullptr) : row.p->defaultValue;
        if (!id.isValid()) return nullptr; // an optional entity's "none"
        return id.toString().toStdString();
    }
    }
    return nullptr;
}

Json EditDialog::values() const {
    // Only what the user changed is written over the stored values: a row
    // left alone keeps its key as it was (or absent, so it goes on reading
    // its default), whatever the row had to show for it.
    Json out = stored_;
    for (const auto& row : rows_) {
        Json now = current(*row);
        if (now != row->shown) out[row->p->key] = std::move(now);
    }
    return out;
}

} // namespace plyx::host
