#pragma once
// The settings window's whole content: one form of seven sections (login,
// screen-time budget, live refresh, time format, goals, mail, and the
// version). Every control is bound straight to its stored setting; the
// window keeps no state of its own, so reopening it shows what was stored
// last.
//
// A change the user makes runs that setting's handler with the old and the
// new value; the values the window opens with run nothing.
#include "app/settings/Settings.h"
#include "app/settings/SettingsActions.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <map>

class QAbstractButton;
class QComboBox;
class QLabel;

namespace plyx {

class SettingsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 420;
    static constexpr const char* kTitle = "Settings";
    /// The ten clock kinds reloaded, in this order, when the time format changes.
    static const std::array<const char*, 10> kClockKinds;

    explicit SettingsView(SettingsActions actions, QWidget* parent = nullptr);

    /// The version row's value: the version the program was built as, "—" without one.
    static QString versionText();
    /// The mail section's footer: the poller's status, else where mail is read from.
    QString mailFooter() const;

private:
    void addSwitch(QWidget* section, Setting s, const QString& label);
    void addPicker(QWidget* section, Setting s, const QString& label,
                   const std::vector<std::pair<std::int64_t, QString>>& options);
    void userChanged(Setting s, std::int64_t oldValue, std::int64_t newValue);
    void updateMailFooter();
    void fitHeight();

    SettingsActions actions_;
    std::map<Setting, SettingBinding> bindings_;
    std::map<Setting, QAbstractButton*> switches_;
    QLabel* mailFooter_ = nullptr;
};

} // namespace plyx
