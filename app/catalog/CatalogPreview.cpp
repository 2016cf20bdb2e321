#include "app/catalog/CatalogPreview.h"

#include "app/catalog/WidgetCard.h"
#include "platform/time/Time.h"
#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/models/AirQualitySnapshot.h"
#include "shared/models/DaylightInfo.h"
#include "shared/models/FocusSession.h"
#include "shared/models/HabitWeekRow.h"
#include "shared/models/InboxSnapshot.h"
#include "shared/models/MoonInfo.h"
#include "shared/models/NoteItem.h"
#include "shared/models/NowPlayingSnapshot.h"
#include "shared/models/PowerSnapshot.h"
#include "shared/models/SampleMoment.h"
#include "shared/models/StockSnapshot.h"
#include "shared/models/StopwatchState.h"
#include "shared/models/WeatherSnapshot.h"
#include "shared/views/battery/BatteryDevices.h"
#include "shared/views/battery/BatteryLog.h"
#include "shared/views/battery/BatteryPercent.h"
#include "shared/views/battery/BatteryRing.h"
#include "shared/views/calendar/CalendarAgenda.h"
#include "shared/views/calendar/CalendarBigDate.h"
#include "shared/views/calendar/CalendarDayEvents.h"
#include "shared/views/calendar/CalendarMonthGrid.h"
#include "shared/views/clock/ClockAnalogClassic.h"
#include "shared/views/clock/ClockAnalogMinimal.h"
#include "shared/views/clock/ClockDotDial.h"
#include "shared/views/clock/ClockDual.h"
#include "shared/views/clock/ClockMatrixMedium.h"
#include "shared/views/clock/ClockMatrixSmall.h"
#include "shared/views/clock/ClockStacked.h"
#include "shared/views/clock/ClockWorld.h"
#include "shared/views/focus/CountdownView.h"
#include "shared/views/focus/FocusView.h"
#include "shared/views/habits/HabitsView.h"
#include "shared/views/habits/StepsView.h"
#include "shared/views/media/NowPlayingView.h"
#include "shared/views/media/RemoteView.h"
#include "shared/views/notes/NotesList.h"
#include "shared/views/notes/NotesPinned.h"
#include "shared/views/notes/NotesQuickNote.h"
#include "shared/views/notes/NotesSingle.h"
#include "shared/views/quote/InboxView.h"
#include "shared/views/quote/QuoteView.h"
#include "shared/views/quote/YearProgressView.h"
#include "shared/views/reminders/RemindersChecklist.h"
#include "shared/views/reminders/RemindersNextUp.h"
#include "shared/views/reminders/RemindersSingle.h"
#include "shared/views/reminders/RemindersToday.h"
#include "shared/views/screentime/ScreenTimeApps.h"
#include "shared/views/screentime/ScreenTimeElapsed.h"
#include "shared/views/screentime/ScreenTimeTotal.h"
#include "shared/views/screentime/ScreenTimeWeekly.h"
#include "shared/views/sky/AirQualityView.h"
#include "shared/views/sky/DaylightView.h"
#include "shared/views/sky/MoonView.h"
#include "shared/views/stock/StockView.h"
#include "shared/views/stock/StockWatchlistView.h"
#include "shared/views/stopwatch/StopwatchView.h"
#include "shared/views/stopwatch/WaterView.h"
#include "shared/views/system/NetworkView.h"
#include "shared/views/system/StorageView.h"
#include "shared/views/system/SystemView.h"
#include "shared/views/weather/WeatherCurrent.h"
#include "shared/views/weather/WeatherForecast.h"
#include "shared/views/weather/WeatherNight.h"
#include "shared/views/weather/WeatherRain.h"

#include <array>
#include <cstring>

namespace plyx::WidgetCatalog {
namespace {

const std::string kLondon = "Europe/London";
const std::string kNewYork = "America/New_York";
const std::string kTokyo = "Asia/Tokyo";
const std::string kSydney = "Australia/Sydney";
// The analog and dot-dial faces' seconds hand stands where the preview moment's seconds are.
constexpr double kPreviewSeconds = 37;

using Draw = ui::View (*)(const WCtx&);

struct PreviewRow {
    const char* kind;
    Draw draw;
};

// One row per catalog entry, in catalog order: the view it draws and the data
// it is fed. Clocks and calendars read the preview moment at every call.
// clang-format off
const std::array<PreviewRow, 53> kPreviews{{
    // Clocks
    {"plyx.clock.analogClassic", [](const WCtx& c) { return ClockAnalogClassic{previewDate(), kLondon, kPreviewSeconds, false, c}.body(); }},
    {"plyx.clock.analogMinimal", [](const WCtx& c) { return ClockAnalogMinimal{previewDate(), kLondon, kPreviewSeconds, false, c}.body(); }},
    {"plyx.clock.hybridClassic", [](const WCtx& c) { return ClockAnalogClassic{previewDate(), kLondon, kPreviewSeconds, true, c}.body(); }},
    {"plyx.clock.hybridMinimal", [](const WCtx& c) { return ClockAnalogMinimal{previewDate(), kLondon, kPreviewSeconds, true, c}.body(); }},
    {"plyx.clock.matrixSmall",   [](const WCtx& c) { return ClockMatrixSmall{previewDate(), kLondon, std::string("London"), c}.body(); }},
    {"plyx.clock.stacked",       [](const WCtx& c) { return ClockStacked{previewDate(), kLondon, c}.body(); }},
    {"plyx.clock.matrixMedium",  [](const WCtx& c) { return ClockMatrixMedium{previewDate(), kLondon, c}.body(); }},
    {"plyx.clock.world",         [](const WCtx& c) { return ClockWorld{previewDate(), {kLondon, kNewYork, kTokyo}, 0, c}.body(); }},
    {"plyx.clock.dotDial",       [](const WCtx& c) { return ClockDotDial{previewDate(), kLondon, kPreviewSeconds, c}.body(); }},
    {"plyx.clock.dual",          [](const WCtx& c) { return ClockDual{previewDate(), kLondon, kSydney, c}.body(); }},
    // Reminders
    {"plyx.reminders.checklist", [](const WCtx& c) { return RemindersChecklist{sampleReminders(), c}.body(); }},
    {"plyx.reminders.nextUp",    [](const WCtx& c) { return RemindersNextUp{sampleReminders(), c}.body(); }},
    {"plyx.reminders.single",    [](const WCtx& c) { return RemindersSingle{sampleReminders(), c}.body(); }},
    {"plyx.reminders.today",     [](const WCtx& c) { return RemindersToday{sampleReminders(), c}.body(); }},
    // Calendars
    {"plyx.calendar.bigDate",    [](const WCtx& c) { return CalendarBigDate{previewDate(), c}.body(); }},
    {"plyx.calendar.monthGrid",  [](const WCtx& c) { return CalendarMonthGrid{previewDate(), c}.body(); }},
    {"plyx.calendar.dayEvents",  [](const WCtx& c) { return CalendarDayEvents{previewDate(), sampleCalendar(), c}.body(); }},
    {"plyx.calendar.agenda",     [](const WCtx& c) { return CalendarAgenda{previewDate(), sampleCalendar(), c}.body(); }},
    // Weather
    {"plyx.weather.current",     [](const WCtx& c) { return WeatherCurrent{WeatherSnapshot::sample(), c}.body(); }},
    {"plyx.weather.night",       [](const WCtx& c) { return WeatherNight{WeatherSnapshot::sampleNight(), c}.body(); }},
    {"plyx.weather.forecast",    [](const WCtx& c) { return WeatherForecast{WeatherSnapshot::sample(), c}.body(); }},
    {"plyx.weather.rain",        [](const WCtx& c) { return WeatherRain{WeatherSnapshot::sample(), c}.body(); }},
    {"plyx.weather.moon",        [](const WCtx& c) { return MoonView{MoonInfo{"Waxing Gibbous", 0.78, true, 6, 21}, c}.body(); }},
    // The daylight sun follows the real clock, not the preview moment.
    {"plyx.weather.daylight",    [](const WCtx& c) { return DaylightView{DaylightInfo::sample(), time::now(), c}.body(); }},
    {"plyx.weather.airquality",  [](const WCtx& c) { return AirQualityView{AirQualitySnapshot::sample(), c}.body(); }},
    // Battery
    {"plyx.battery.ring",        [](const WCtx& c) { return BatteryRing{PowerSnapshot::sample(), c}.body(); }},
    {"plyx.battery.percent",     [](const WCtx& c) { return BatteryPercent{PowerSnapshot::sample(), c}.body(); }},
    {"plyx.battery.devices",     [](const WCtx& c) { return BatteryDevices{PowerSnapshot::sample(), c}.body(); }},
    {"plyx.battery.log",         [](const WCtx& c) { return BatteryLog{PowerSnapshot::sample(), c}.body(); }},
    // Notes: each view picks and orders the whole list by its own rules.
    {"plyx.notes.quick",         [](const WCtx& c) { return NotesQuickNote{NoteItem::samples().at(0), c}.body(); }},
    {"plyx.notes.single",        [](const WCtx& c) { return NotesSingle{NoteItem::samples().at(1), c}.body(); }},
    {"plyx.notes.list",          [](const WCtx& c) { return NotesList{NoteItem::samples(), c}.body(); }},
    {"plyx.notes.pinned",        [](const WCtx& c) { return NotesPinned{NoteItem::samples(), c}.body(); }},
    // Screen time
    {"plyx.screentime.total",    [](const WCtx& c) { return ScreenTimeTotal{UsageSnapshot::sample(), c}.body(); }},
    {"plyx.screentime.elapsed",  [](const WCtx& c) { return ScreenTimeElapsed{UsageSnapshot::sample(), c}.body(); }},
    {"plyx.screentime.apps",     [](const WCtx& c) { return ScreenTimeApps{UsageSnapshot::sample(), c}.body(); }},
    {"plyx.screentime.weekly",   [](const WCtx& c) { return ScreenTimeWeekly{UsageSnapshot::sample(), c}.body(); }},
    // Media
    {"plyx.nowplaying",          [](const WCtx& c) { return NowPlayingView{NowPlayingSnapshot::sample(), c}.body(); }},
    {"plyx.remote",              [](const WCtx& c) { return RemoteView{true, c}.body(); }},
    // Focus
    {"plyx.focus.timer",         [](const WCtx& c) { return FocusView{FocusSession::sample(), c}.body(); }},
    {"plyx.stopwatch",           [](const WCtx& c) { return StopwatchView{StopwatchState::sample(), c}.body(); }},
    {"plyx.habits.week",         [](const WCtx& c) { return HabitsView{HabitWeekRow::samples(), c}.body(); }},
    // Always 12 calendar days ahead of the moment it is drawn.
    {"plyx.countdown",           [](const WCtx& c) { return CountdownView{"Launch", time::addingDays(time::now(), 12), c}.body(); }},
    // Health
    {"plyx.steps",               [](const WCtx& c) { return StepsView{CounterSnapshot{8214, 10000}, c}.body(); }},
    {"plyx.water",               [](const WCtx& c) { return WaterView{CounterSnapshot{5, 8}, c}.body(); }},
    // System
    {"plyx.system.monitor",      [](const WCtx& c) { return SystemView{SystemSnapshot{34, 61, 88}, c}.body(); }},
    {"plyx.system.network",      [](const WCtx& c) { return NetworkView{NetworkSnapshot{482.0, 36.0}, c}.body(); }},
    {"plyx.system.storage",      [](const WCtx& c) { return StorageView{StorageSnapshot{721, 1000}, c}.body(); }},
    // Extras
    {"plyx.stock",               [](const WCtx& c) { return StockView{StockSnapshot::sample(), c}.body(); }},
    {"plyx.stock.watchlist",     [](const WCtx& c) { return StockWatchlistView{StockWatchlistView::sample(), c}.body(); }},
    // A fixed saying, not the quote of the day.
    {"plyx.quote",               [](const WCtx& c) { return QuoteView{QuoteItem{"Simplicity is the ultimate sophistication.", "Leonardo da Vinci"}, c}.body(); }},
    {"plyx.year",                [](const WCtx& c) { return YearProgressView{YearInfo{2026, 196, 365}, c}.body(); }},
    {"plyx.inbox",               [](const WCtx& c) { return InboxView{InboxSnapshot::sample(), c}.body(); }},
}};
// clang-format on

const PreviewRow* rowFor(const char* kind) {
    if (!kind) return nullptr;
    for (const auto& row : kPreviews)
        if (std::strcmp(row.kind, kind) == 0) return &row;
    return nullptr;
}

} // namespace

Date previewDate() {
    // Gregorian, whatever calendar the user's locale names: the moment is a
    // fixed Wednesday, day 196 of 2026, and read as a year of another era it
    // would land centuries away.
    if (!time::isKnownZone(kLondon)) return time::now();
    return time::dateFrom(2026, 7, 15, 16, 32, 37, kLondon);
}

ui::Size designSize(CatalogWidget::Size size) {
    switch (size) {
    case CatalogWidget::Size::small: return DesignSize::small;
    case CatalogWidget::Size::medium: return DesignSize::medium;
    case CatalogWidget::Size::large: break;
    }
    return DesignSize::large;
}

RemindersSnapshot sampleReminders() {
    RemindersSnapshot s;
    s.items = {
        {"1", "Morning run 5K", std::nullopt, true, false},
        {"2", "Ship widget beta build", std::nullopt, true, false},
        {"3", "Call Maya re: press kit", "17:00", false, false},
        {"4", "Water the monstera", "18:30", false, true},
        {"5", "Review App Store copy", "21:00", false, false},
    };
    s.nextUp = s.items[2];
    s.minutesToNext = 28;
    return s;
}

CalendarSnapshot sampleCalendar() {
    return CalendarSnapshot{{
                                {"1", "09:30", std::nullopt, "Standup \u00B7 widgets team", "Done", true, false},
                                {"2", "14:00", "14:45", "Design review \u00B7 Plyx 1.2", "Studio B \u00B7 45 min",
                                 false, false},
                                {"3", "17:00", "17:30", "Press kit call with Maya", "FaceTime \u00B7 30 min", false,
                                 true},
                            },
                            0.68};
}

bool hasPreview(const char* kind) { return rowFor(kind) != nullptr; }

std::optional<ui::RenderResult> renderPreview(const CatalogWidget& widget, double devicePixelRatio,
                                              ui::Environment env, const ThemeSettings& theme) {
    if (!hasPreview(widget.kind)) return std::nullopt;
    if (env.now.sinceReferenceDate == 0) env.now = models::sampleMoment();
    env.displayScale = devicePixelRatio;
    const ui::Size size = designSize(widget.size);
    const WidgetCard card{widget.tone, size, theme, std::nullopt, true,
                          [widget](const WCtx& ctx) { return widget.preview(ctx); }};
    return ui::render(card.body(), size, devicePixelRatio, env);
}

} // namespace plyx::WidgetCatalog

namespace plyx {

ui::View CatalogWidget::preview(const WCtx& ctx) const {
    const auto* row = WidgetCatalog::rowFor(kind);
    return row ? row->draw(ctx) : ui::EmptyView();
}

} // namespace plyx
