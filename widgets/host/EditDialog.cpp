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
    int generation = 0; // only the newest search fills the list
    int running = 0;
};

EditDialog::EditDialog(const intents::IntentDescriptor& intent, const Json& values, QWidget* parent)
    : QDialog(parent), intent_(intent) {
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
            // What is chosen now stays listed, titled, until another entity is picked.
            if (v.is_string()) row->choice->addItem(QString::fromStdString(v.get<std::string>()), QString::fromStdString(v.get<std::string>()));
            h->addWidget(row->text);
            h->addWidget(row->choice, 1);
            h->addWidget(row->busy);
            const std::string key = p.key;
            QObject::connect(row->text, &QLineEdit::textEdited, this, [this, key](const QString& t) { search(key, t); });
            if (p.query) {
                auto query = p.query;
                fill(*row, [query] { return query->suggestedEntities(); });
            }
            field = box;
            break;
        }
        }
        form->addRow(row->title, field);
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

void EditDialog::fill(Row& row, std::function<std::vector<intents::EntityDisplay>()> query) {
    const int generation = ++row.generation;
    ++row.running;
    row.busy->show();
    auto* watcher = new QFutureWatcher<std::vector<intents::EntityDisplay>>(this);
    Row* r = &row;
    connect(watcher, &QFutureWatcher<std::vector<intents::EntityDisplay>>::finished, this, [r, watcher, generation] {
        watcher->deleteLater();
        if (--r->running == 0) r->busy->hide();
        if (generation != r->generation) return; // a newer search answers instead
        const QVariant chosen = r->choice->currentData();
        r->choice->clear();
        for (const auto& e : watcher->result())
            r->choice->addItem(QString::fromStdString(e.title), QString::fromStdString(e.id));
        const int keep = r->choice->findData(chosen);
        if (keep >= 0) r->choice->setCurrentIndex(keep);
    });
    // A query that fails answers nothing: the list is empty, no error is shown.
    watcher->setFuture(QtConcurrent::run([query]() -> std::vector<intents::EntityDisplay> {
        try {
            return query();
        } catch (...) {
            return {};
        }
    }));
}

void EditDialog::search(const std::string& key, const QString& text) {
    for (auto& row : rows_) {
        if (row->p->key != key || row->p->kind != ParameterKind::entity || !row->p->query) continue;
        auto query = row->p->query;
        const std::string t = text.toStdString();
        fill(*row, t.empty() ? std::function<std::vector<intents::EntityDisplay>()>([query] { return query->suggestedEntities(); })
                             : [query, t] { return query->entitiesMatching(t); });
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

Json EditDialog::values() const {
    Json out = Json::object();
    for (const auto& row : rows_) {
        const auto& key = row->p->key;
        switch (row->p->kind) {
        case ParameterKind::string: out[key] = row->text->text().toStdString(); break;
        case ParameterKind::integer: out[key] = row->integer->value(); break;
        case ParameterKind::real: out[key] = row->real->value(); break;
        case ParameterKind::boolean: out[key] = row->check->isChecked(); break;
        case ParameterKind::date:
            if (row->none && row->none->isChecked()) out[key] = nullptr;
            else out[key] = double(row->date->dateTime().toSecsSinceEpoch()) - kReferenceUnix;
            break;
        case ParameterKind::enumeration:
        case ParameterKind::entity:
            if (row->choice->currentIndex() < 0) out[key] = row->p->optional ? Json(nullptr) : row->p->defaultValue;
            else out[key] = row->choice->currentData().toString().toStdString();
            break;
        }
    }
    return out;
}

} // namespace plyx::host
