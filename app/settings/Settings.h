#pragma once
// The eight settings the settings window edits: where each lives and what it
// means while nothing is stored. The default is never written, so an absent
// key means the default to every reader, now and after a later change of the
// default.
#include "platform/store/Defaults.h"

#include <array>
#include <cstdint>

namespace plyx {

enum class Setting { launchAtLogin, budgetMinutes, waterGoal, stepsGoal, focusMinutes, mailEnabled, timeFormat, pollSeconds };

struct SettingRow {
    /// The standard defaults hold what only the application reads; the
    /// app-group suite what the widgets read too.
    enum class Store { standard, appGroup };
    Setting setting;
    const char* key;
    Store store;
    std::int64_t defaultValue;  ///< a switch's off is 0, on is 1
};

inline constexpr std::array<SettingRow, 8> kSettings{{
    {Setting::launchAtLogin, "plyx.launchAtLogin",           SettingRow::Store::standard, 0},
    {Setting::budgetMinutes, "plyx.screenTimeBudgetMinutes", SettingRow::Store::appGroup, 480},
    {Setting::waterGoal,     "plyx.watergoal",               SettingRow::Store::appGroup, 8},
    {Setting::stepsGoal,     "plyx.stepsgoal",               SettingRow::Store::appGroup, 10000},
    {Setting::focusMinutes,  "plyx.focusminutes",            SettingRow::Store::appGroup, 25},
    {Setting::mailEnabled,   "plyx.mail.enabled",            SettingRow::Store::standard, 0},
    {Setting::timeFormat,    "plyx.timeformat",              SettingRow::Store::appGroup, 0},
    {Setting::pollSeconds,   "plyx.pollseconds",             SettingRow::Store::standard, 60},
}};

const SettingRow& rowOf(Setting s);

/// One setting bound to its store, opened once (the app-group suite, or the
/// standard defaults when the suite cannot be opened).
class SettingBinding {
public:
    explicit SettingBinding(Setting s);
    const SettingRow& row() const { return row_; }
    /// The stored value, or the default when the key is absent.
    std::int64_t value() const;
    /// Stores `v` under the key at once.
    void set(std::int64_t v);

private:
    const SettingRow& row_;
    store::Defaults store_;
};

} // namespace plyx
