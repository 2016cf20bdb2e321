#include "app/settings/SettingsView.h"

#include "shared/collectors/MailPoller.h"
#include "shared/storage/SharedStorage.h"
#include "shared/stores/ExtrasStore.h"
#include "shared/views/numbers/Decimal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <initializer_list>
#include <vector>

namespace plyx {

const std::array<const char*, 10> SettingsView::kClockKinds{
    "plyx.clock.analogClassic", "plyx.clock.analogMinimal", "plyx.clock.hybridClassic", "plyx.clock.hybridMinimal",
    "plyx.clock.matrixSmall",   "plyx.clock.stacked",       "plyx.clock.matrixMedium",  "plyx.clock.world",
    "plyx.clock.dotDial",       "plyx.clock.dual",
};

namespace {

using Options = std::vector<std::pair<std::int64_t, QString>>;

/// Each tag with its text: `format`'s %1 filled with the tag over `divisor`,
/// in whole numbers.
Options reading(std::initializer_list<std::int64_t> tags, const char* format, std::int64_t divisor = 1) {
    Options out;
    for (auto t : tags) out.emplace_back(t, QString::fromUtf8(format).arg(t / divisor));
    return out;
}

/// Each tag as the locale groups whole numbers ("10,000" in English).
Options grouped(std::initializer_list<std::int64_t> tags) {
    Options out;
    for (auto t : tags) out.emplace_back(t, QString::fromStdString(numbers::grouped(t)));
    return out;
}

/// One control of the form: a switch when it has no options, else a picker.
struct Row {
    Setting setting;
    const char* label;
    Options options;
};

struct Section {
    const char* header;  ///< none: no header
    std::vector<Row> rows;
    const char* footer;  ///< none: no footer (the mail section's is the poller's)
};

/// The form from the top, without its last section (the version and the maker).
std::vector<Section> formSections() {
    return {
        {nullptr,
         {{Setting::launchAtLogin, "Launch Plyx at login", {}}},
         "Keeps screen-time tracking and the power log running in the background."},
        {"Screen Time",
         {{Setting::budgetMinutes, "Daily budget", reading({120, 180, 240, 300, 360, 480, 600, 720}, "%1 hours", 60)}},
         nullptr},
        {nullptr,
         {{Setting::pollSeconds,
           "Live refresh",
           {{30, "Every 30 seconds"}, {60, "Every minute"}, {120, "Every 2 minutes"}, {300, "Every 5 minutes"}}}},
         "How often Plyx refreshes the fast-moving widgets \u2014 system, network, and the media players. Every "
         "minute balances freshness and energy; 30 seconds is the liveliest."},
        {"Clocks",
         {{Setting::timeFormat, "Time format", {{0, "Follow system"}, {12, "12-hour"}, {24, "24-hour"}}}},
         nullptr},
        {"Goals",
         {{Setting::waterGoal, "Water goal", reading({6, 8, 10, 12}, "%1 glasses")},
          {Setting::stepsGoal, "Steps goal", grouped({6000, 8000, 10000, 12000, 15000})},
          {Setting::focusMinutes, "Focus session", reading({15, 25, 45, 60, 90}, "%1 minutes")}},
         nullptr},
        {nullptr, {{Setting::mailEnabled, "Show unread Mail in the Inbox widget", {}}}, nullptr},
    };
}

constexpr const char* kMadeBy = "Zelvane Designs";
constexpr const char* kNoVersion = "\u2014";

/// Text in the dimmer colour footers and headers use.
void dim(QLabel* label) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, p.color(QPalette::PlaceholderText));
    label->setPalette(p);
}

QLabel* smallLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    l->setFont(f);
    dim(l);
    return l;
}

/// A rounded group of rows; rows after the first are parted by a hairline.
QFrame* addGroup(QVBoxLayout* form, const char* header) {
    if (header) {
        auto* h = smallLabel(QString::fromUtf8(header), form->parentWidget());
        QFont f = h->font();
        f.setBold(true);
        h->setFont(f);
        h->setContentsMargins(10, 6, 0, 0);
        form->addWidget(h);
    }
    auto* group = new QFrame(form->parentWidget());
    group->setObjectName("group");
    group->setStyleSheet("QFrame#group { background: palette(base); border: 1px solid palette(midlight);"
                         " border-radius: 8px; }");
    auto* rows = new QVBoxLayout(group);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    form->addWidget(group);
    return group;
}

/// A row of `group`: the label on the leading side, `control` on the trailing side.
void addRow(QFrame* group, const QString& label, QWidget* control) {
    auto* rows = static_cast<QVBoxLayout*>(group->layout());
    if (rows->count() > 0) {
        auto* line = new QFrame(group);
        line->setFixedHeight(1);
        line->setStyleSheet("background: palette(midlight);");
        rows->addWidget(line);
    }
    auto* row = new QWidget(group);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(12, 7, 12, 7);
    auto* l = new QLabel(label, row);
    h->addWidget(l);
    h->addStretch(1);
    h->addWidget(control);
    if (control) control->setParent(row);
    l->setBuddy(control);
    rows->addWidget(row);
}

QLabel* addFooter(QVBoxLayout* form, const QString& text) {
    auto* f = smallLabel(text, form->parentWidget());
    f->setWordWrap(true);
    f->setContentsMargins(10, 0, 10, 4);
    form->addWidget(f);
    return f;
}

} // namespace

QString SettingsView::versionText() {
#ifdef PLYX_VERSION
    const QString v = QStringLiteral(PLYX_VERSION);
    if (!v.isEmpty()) return v;
#endif
    return QString::fromUtf8(kNoVersion);
}

SettingsView::SettingsView(SettingsActions actions, QWidget* parent) : QWidget(parent), actions_(std::move(actions)) {
    setWindowTitle(kTitle);
    for (const auto& row : kSettings) bindings_.emplace(row.setting, SettingBinding(row.setting));

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(20, 16, 20, 20);
    form->setSpacing(6);
    for (const auto& section : formSections()) {
        QFrame* group = addGroup(form, section.header);
        for (const auto& row : section.rows) {
            if (row.options.empty()) addSwitch(group, row.setting, QString::fromUtf8(row.label));
            else addPicker(group, row.setting, QString::fromUtf8(row.label), row.options);
        }
        if (section.footer) {
            addFooter(form, QString::fromUtf8(section.footer));
        } else if (section.rows.front().setting == Setting::mailEnabled) {
            // The mail footer follows the poller for as long as the window is open.
            mailFooter_ = addFooter(form, mailFooter());
            mailFooter_->setObjectName("mailFooter");
            if (actions_.mailPoller)
                connect(actions_.mailPoller, &MailPoller::statusChanged, this, &SettingsView::updateMailFooter);
        }
        form->addSpacing(8);
    }

    QFrame* about = addGroup(form, nullptr);
    auto* version = new QLabel(versionText());
    version->setObjectName("version");
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addRow(about, "Version", version);
    addRow(about, "Made by", new QLabel(QString::fromUtf8(kMadeBy)));
    form->addStretch(1);

    fitHeight();
}

void SettingsView::addSwitch(QWidget* group, Setting s, const QString& label) {
    auto* box = new QCheckBox;
    box->setObjectName(rowOf(s).key);
    box->setAccessibleName(label);
    // The login switch shows whether the login item is really in place, so
    // it never claims a start at login that will not happen.
    const bool on = s == Setting::launchAtLogin && actions_.loginItemRegistered ? actions_.loginItemRegistered()
                                                                                : bindings_.at(s).value() != 0;
    box->setChecked(on);
    // `clicked` comes from the user only: setting the box back after a
    // failure is not a new request.
    connect(box, &QCheckBox::clicked, this, [this, s](bool checked) {
        bindings_.at(s).set(checked ? 1 : 0);
        userChanged(s, checked ? 0 : 1, checked ? 1 : 0);
    });
    switches_[s] = box;
    addRow(static_cast<QFrame*>(group), label, box);
}

void SettingsView::addPicker(QWidget* group, Setting s, const QString& label, const Options& options) {
    auto* combo = new QComboBox;
    combo->setObjectName(rowOf(s).key);
    combo->setAccessibleName(label);
    for (const auto& [tag, text] : options) combo->addItem(text, QVariant::fromValue<qint64>(tag));
    // A stored value that is none of the options shows as no choice and is
    // left as it is until the user picks one.
    combo->setCurrentIndex(combo->findData(QVariant::fromValue<qint64>(bindings_.at(s).value())));
    connect(combo, &QComboBox::activated, this, [this, s, combo](int index) {
        const std::int64_t picked = combo->itemData(index).toLongLong();
        const std::int64_t old = bindings_.at(s).value();
        bindings_.at(s).set(picked);
        if (picked != old) userChanged(s, old, picked);
    });
    addRow(static_cast<QFrame*>(group), label, combo);
}

void SettingsView::userChanged(Setting s, std::int64_t oldValue, std::int64_t newValue) {
    switch (s) {
    case Setting::launchAtLogin:
        if (actions_.setLoginItem && !actions_.setLoginItem(newValue != 0)) {
            // The switch and its flag go back to where they were; the error
            // is not kept and nothing is asked again.
            bindings_.at(s).set(oldValue);
            switches_.at(s)->setChecked(oldValue != 0);
        }
        break;
    case Setting::pollSeconds:
        // The hub reads the interval afresh from where the picker just stored it.
        if (actions_.restartStatsTimer) actions_.restartStatsTimer();
        break;
    case Setting::timeFormat:
        if (actions_.reloadTimelines)
            for (const char* kind : kClockKinds) actions_.reloadTimelines(kind);
        break;
    case Setting::focusMinutes:
        // A running session keeps its end; only the length of the next changes.
        ExtrasStore::updateFocus([newValue](FocusSession f) {
            f.minutes = newValue;
            return f;
        });
        break;
    case Setting::mailEnabled:
        store::Defaults::standard().setBool(StorageKeys::mailEnabled, newValue != 0);
        if (actions_.mailPoller) {
            if (newValue != 0) actions_.mailPoller->start(true);
            else actions_.mailPoller->stop();
        }
        break;
    case Setting::budgetMinutes:
    case Setting::waterGoal:
    case Setting::stepsGoal:
        break;  // the widgets read the new value at their next timeline
    }
}

QString SettingsView::mailFooter() const {
    if (actions_.mailPoller && actions_.mailPoller->status())
        return QString::fromStdString(*actions_.mailPoller->status());
    QString inbox = actions_.mailPoller ? QString::fromStdString(actions_.mailPoller->inbox().string()) : QString{};
    // The home folder is written "~", as users know it.
    const QString home = QDir::homePath();
    if (inbox.startsWith(home + '/')) inbox = "~" + inbox.mid(home.size());
    return QString("Reads unread mail from the Maildir folder %1.").arg(inbox);
}

void SettingsView::updateMailFooter() {
    mailFooter_->setText(mailFooter());
    fitHeight();
}

void SettingsView::fitHeight() {
    // The window takes the form's width and its whole height.
    setFixedWidth(kWidth);
    setFixedHeight(hasHeightForWidth() ? heightForWidth(kWidth) : sizeHint().height());
}

} // namespace plyx
