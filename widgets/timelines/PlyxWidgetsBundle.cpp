#include "widgets/timelines/PlyxWidgetsBundle.h"

#include "widgets/timelines/BatteryWidgets.h"
#include "widgets/timelines/ClockWidgets.h"
#include "widgets/timelines/DailyWidgets.h"
#include "widgets/timelines/EventWidgets.h"
#include "widgets/timelines/FocusWidgets.h"
#include "widgets/timelines/MediaWidgets.h"
#include "widgets/timelines/NotesWidgets.h"
#include "widgets/timelines/ScreenTimeWidgets.h"
#include "widgets/timelines/StockWidgets.h"
#include "widgets/timelines/SystemWidgets.h"
#include "widgets/timelines/TapToLogWidgets.h"
#include "widgets/timelines/WeatherWidgets.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace plyx::PlyxWidgetsBundle {

namespace {

// Each group of widgets' declarations, one line per group. Their order here
// does not matter: the bundle's order below places each widget.
using Declarations = std::vector<DeclaredWidget> (*)();
const Declarations kDeclarations[] = {
    &systemWidgets,
    &notesWidgets,
    &screenTimeWidgets,
    &batteryWidgets,
    &mediaWidgets,
    &clockWidgets,
    &weatherWidgets,
    &eventWidgets,
    &stockWidgets,
    &focusWidgets,
    &tapToLogWidgets,
    &dailyWidgets,
};

// Where each widget stands: six groups of kinds, in bundle order. A kind
// named here that no group declares yet is left out of the bundle.
constexpr const char* kClocks[] = {
    "plyx.clock.analogClassic", "plyx.clock.analogMinimal", "plyx.clock.hybridClassic", "plyx.clock.hybridMinimal",
    "plyx.clock.matrixSmall",   "plyx.clock.stacked",       "plyx.clock.matrixMedium",  "plyx.clock.world",
    "plyx.clock.dotDial",       "plyx.clock.dual",
};
constexpr const char* kWeatherAndBattery[] = {
    "plyx.weather.current", "plyx.weather.night",   "plyx.weather.forecast", "plyx.weather.rain",
    "plyx.battery.ring",    "plyx.battery.percent", "plyx.battery.devices",  "plyx.battery.log",
};
constexpr const char* kRemindersAndCalendar[] = {
    "plyx.reminders.checklist", "plyx.reminders.nextUp",   "plyx.reminders.single", "plyx.reminders.today",
    "plyx.calendar.bigDate",    "plyx.calendar.monthGrid", "plyx.calendar.dayEvents", "plyx.calendar.agenda",
};
constexpr const char* kNotesAndScreenTime[] = {
    "plyx.notes.quick",      "plyx.notes.single",       "plyx.notes.list",      "plyx.notes.pinned",
    "plyx.screentime.total", "plyx.screentime.elapsed", "plyx.screentime.apps", "plyx.screentime.weekly",
};
constexpr const char* kMediaAndTapToLog[] = {
    "plyx.nowplaying",  "plyx.remote",    "plyx.stock", "plyx.focus.timer", "plyx.stopwatch",
    "plyx.habits.week", "plyx.countdown", "plyx.steps", "plyx.water",
};
constexpr const char* kGlances[] = {
    "plyx.stock.watchlist",  "plyx.system.monitor",   "plyx.system.network",     "plyx.system.storage",
    "plyx.weather.moon",     "plyx.weather.daylight", "plyx.weather.airquality", "plyx.quote",
    "plyx.year",             "plyx.inbox",
};
constexpr std::span<const char* const> kGroups[] = {kClocks,           kWeatherAndBattery, kRemindersAndCalendar,
                                                    kNotesAndScreenTime, kMediaAndTapToLog,  kGlances};

} // namespace

// A declared kind the order does not name would silently vanish from the
// gallery, so it stops the bundle instead.
std::vector<DeclaredWidget> inBundleOrder(std::vector<DeclaredWidget> declared) {
    std::vector<DeclaredWidget> out;
    out.reserve(declared.size());
    for (const auto group : kGroups)
        for (const char* kind : group) {
            auto it = std::find_if(declared.begin(), declared.end(),
                                   [&](const DeclaredWidget& d) { return std::string_view(d.row.kind) == kind; });
            if (it == declared.end()) continue;
            out.push_back(std::move(*it));
            declared.erase(it);
            if (std::any_of(declared.begin(), declared.end(),
                            [&](const DeclaredWidget& d) { return std::string_view(d.row.kind) == kind; }))
                throw std::logic_error(std::string("widget kind declared twice: ") + kind);
        }
    if (!declared.empty())
        throw std::logic_error(std::string("widget kind missing from the bundle's order: ") + declared.front().row.kind);
    return out;
}

std::span<const std::span<const char* const>> groups() { return kGroups; }

const std::vector<DeclaredWidget>& declarations() {
    static const std::vector<DeclaredWidget> all = [] {
        std::vector<DeclaredWidget> declared;
        for (const Declarations group : kDeclarations)
            for (auto& d : group()) declared.push_back(std::move(d));
        return inBundleOrder(std::move(declared));
    }();
    return all;
}

const DeclaredWidget* find(std::string_view kind) {
    const auto& all = declarations();
    auto it = std::find_if(all.begin(), all.end(), [&](const DeclaredWidget& d) { return d.row.kind == kind; });
    return it == all.end() ? nullptr : &*it;
}

const widgetkit::WidgetBundle& bundle() {
    static const widgetkit::WidgetBundle b = [] {
        widgetkit::WidgetBundle out;
        for (const auto& d : declarations()) out.add(d.configuration);
        return out;
    }();
    return b;
}

} // namespace plyx::PlyxWidgetsBundle
