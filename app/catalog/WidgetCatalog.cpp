#include "app/catalog/WidgetCatalog.h"

#include <QString>

#include <array>

namespace plyx::WidgetCatalog {
namespace {

using C = CatalogWidget::Category;
using Z = CatalogWidget::Size;
constexpr auto S = Z::small;
constexpr auto M = Z::medium;
constexpr auto L = Z::large;
constexpr auto d = WidgetPalette::Tone::dark;
constexpr auto l = WidgetPalette::Tone::light;

struct CategoryRow {
    C category;
    const char* label;
    const char* symbol;
};

constexpr std::array<CategoryRow, 12> kCategories{{
    {C::clocks, "Clocks", "clock"},
    {C::reminders, "Reminders", "checkmark.circle"},
    {C::calendars, "Calendars", "calendar"},
    {C::weather, "Weather", "cloud.sun"},
    {C::battery, "Battery", "battery.75percent"},
    {C::notes, "Notes", "note.text"},
    {C::screenTime, "Screen Time", "chart.bar"},
    {C::media, "Media", "play.circle"},
    {C::focus, "Focus", "timer"},
    {C::health, "Health", "heart"},
    {C::system, "System", "cpu"},
    {C::extras, "Extras", "sparkles"},
}};

constexpr std::array<C, 12> kCategoryOrder{C::clocks, C::reminders, C::calendars, C::weather,
                                           C::battery, C::notes, C::screenTime, C::media,
                                           C::focus, C::health, C::system, C::extras};
constexpr std::array<Z, 3> kSizes{S, M, L};
constexpr std::array<const char*, 3> kSizeLabels{"Small", "Medium", "Large"};

// clang-format off
constexpr std::array<CatalogWidget, 53> kTable{{
    //  kind                          name              category       size tone
    {"plyx.clock.analogClassic",   "Analog Classic",  C::clocks,     S, l},
    {"plyx.clock.analogMinimal",   "Analog Minimal",  C::clocks,     S, d},
    {"plyx.clock.hybridClassic",   "Hybrid Classic",  C::clocks,     S, l},
    {"plyx.clock.hybridMinimal",   "Hybrid Minimal",  C::clocks,     S, d},
    {"plyx.clock.matrixSmall",     "Matrix Digital",  C::clocks,     S, l},
    {"plyx.clock.stacked",         "Stacked",         C::clocks,     S, d},
    {"plyx.clock.matrixMedium",    "Matrix Digital",  C::clocks,     M, d},
    {"plyx.clock.world",           "World Clock",     C::clocks,     M, l},
    {"plyx.clock.dotDial",         "Dot Dial",        C::clocks,     S, d},
    {"plyx.clock.dual",            "Dual Time",       C::clocks,     M, d},
    {"plyx.reminders.checklist",   "Checklist",       C::reminders,  M, l},
    {"plyx.reminders.nextUp",      "Next Up",         C::reminders,  S, d},
    {"plyx.reminders.single",      "Single Focus",    C::reminders,  S, l},
    {"plyx.reminders.today",       "Today List",      C::reminders,  L, d},
    {"plyx.calendar.bigDate",      "Big Date",        C::calendars,  S, l},
    {"plyx.calendar.monthGrid",    "Month Grid",      C::calendars,  S, l},
    {"plyx.calendar.dayEvents",    "Day + Events",    C::calendars,  M, d},
    {"plyx.calendar.agenda",       "Agenda",          C::calendars,  L, d},
    {"plyx.weather.current",       "Conditions",      C::weather,    S, d},
    {"plyx.weather.night",         "Feels Like",      C::weather,    S, l},
    {"plyx.weather.forecast",      "6-Day Forecast",  C::weather,    M, l},
    {"plyx.weather.rain",          "Rain Radar",      C::weather,    M, d},
    {"plyx.weather.moon",          "Moon",            C::weather,    S, d},
    {"plyx.weather.daylight",      "Daylight",        C::weather,    M, l},
    {"plyx.weather.airquality",    "Air Quality",     C::weather,    S, l},
    {"plyx.battery.ring",          "Ring",            C::battery,    S, l},
    {"plyx.battery.percent",       "Percent",         C::battery,    S, d},
    {"plyx.battery.devices",       "Devices",         C::battery,    M, l},
    {"plyx.battery.log",           "Power Log",       C::battery,    M, d},
    {"plyx.notes.quick",           "Quick Note",      C::notes,      M, d},
    {"plyx.notes.single",          "Single Note",     C::notes,      S, l},
    {"plyx.notes.list",            "Notes List",      C::notes,      S, d},
    {"plyx.notes.pinned",          "Pinned",          C::notes,      M, l},
    {"plyx.screentime.total",      "Total",           C::screenTime, S, d},
    {"plyx.screentime.elapsed",    "Elapsed",         C::screenTime, S, l},
    {"plyx.screentime.apps",       "Top Apps",        C::screenTime, M, l},
    {"plyx.screentime.weekly",     "Weekly",          C::screenTime, M, d},
    {"plyx.nowplaying",            "Now Playing",     C::media,      M, d},
    {"plyx.remote",                "Remote",          C::media,      S, d},
    {"plyx.focus.timer",           "Focus",           C::focus,      S, d},
    {"plyx.stopwatch",             "Stopwatch",       C::focus,      S, l},
    {"plyx.habits.week",           "Habits",          C::focus,      M, l},
    {"plyx.countdown",             "Countdown",       C::focus,      S, d},
    {"plyx.steps",                 "Steps",           C::health,     S, l},
    {"plyx.water",                 "Water",           C::health,     S, l},
    {"plyx.system.monitor",        "System",          C::system,     M, d},
    {"plyx.system.network",        "Network",         C::system,     S, l},
    {"plyx.system.storage",        "Storage",         C::system,     S, d},
    {"plyx.stock",                 "Ticker",          C::extras,     M, d},
    {"plyx.stock.watchlist",       "Watchlist",       C::extras,     M, d},
    {"plyx.quote",                 "Daily Quote",     C::extras,     M, l},
    {"plyx.year",                  "Year Progress",   C::extras,     M, d},
    {"plyx.inbox",                 "Inbox",           C::extras,     S, d},
}};
// clang-format on

bool contains(const char* text, std::string_view search) {
    return QString::fromUtf8(text).contains(QString::fromUtf8(search.data(), qsizetype(search.size())),
                                            Qt::CaseInsensitive);
}

} // namespace

std::span<const CatalogWidget::Category> allCategories() { return kCategoryOrder; }
std::span<const CatalogWidget::Size> allSizes() { return kSizes; }

const char* label(CatalogWidget::Category category) { return kCategories[std::size_t(category)].label; }
const char* symbol(CatalogWidget::Category category) { return kCategories[std::size_t(category)].symbol; }
const char* label(CatalogWidget::Size size) { return kSizeLabels[std::size_t(size)]; }

std::optional<CatalogWidget::Category> categoryNamed(std::string_view text) {
    for (const auto& row : kCategories)
        if (text == row.label) return row.category;
    return std::nullopt;
}

std::optional<CatalogWidget::Size> sizeNamed(std::string_view text) {
    for (const auto size : kSizes)
        if (text == label(size)) return size;
    return std::nullopt;
}

std::span<const CatalogWidget> all() { return kTable; }

std::vector<CatalogWidget> widgets(std::optional<CatalogWidget::Category> category) {
    std::vector<CatalogWidget> out;
    for (const auto& w : kTable)
        if (!category || w.category == *category) out.push_back(w);
    return out;
}

std::vector<CatalogWidget> filtered(std::optional<CatalogWidget::Category> category,
                                    std::optional<CatalogWidget::Size> size, std::string_view search) {
    std::vector<CatalogWidget> out;
    for (const auto& w : widgets(category)) {
        if (size && w.size != *size) continue;
        if (!search.empty() && !contains(w.name, search) && !contains(label(w.category), search)) continue;
        out.push_back(w);
    }
    return out;
}

} // namespace plyx::WidgetCatalog
