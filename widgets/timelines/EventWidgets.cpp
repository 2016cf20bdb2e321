#include "widgets/timelines/EventWidgets.h"

#include "shared/views/calendar/CalendarAgenda.h"
#include "shared/views/calendar/CalendarBigDate.h"
#include "shared/views/calendar/CalendarDayEvents.h"
#include "shared/views/calendar/CalendarMonthGrid.h"
#include "shared/views/reminders/RemindersChecklist.h"
#include "shared/views/reminders/RemindersNextUp.h"
#include "shared/views/reminders/RemindersSingle.h"
#include "shared/views/reminders/RemindersToday.h"
#include "widgets/timelines/EventProviders.h"

namespace plyx {

namespace {
using CalendarEntry = CalendarProvider::Entry;
} // namespace

std::vector<DeclaredWidget> eventWidgets() {
    return {
        declare(RemindersChecklistWidget, RemindersProvider{}, viewOf<RemindersChecklist>),
        declare(RemindersNextUpWidget, RemindersProvider{}, viewOf<RemindersNextUp>),
        declare(RemindersSingleWidget, RemindersProvider{}, viewOf<RemindersSingle>),
        declare(RemindersTodayWidget, RemindersProvider{}, viewOf<RemindersToday>),
        declare(CalendarBigDateWidget, CalendarProvider{},
                [](const CalendarEntry& e, const WCtx& ctx) { return CalendarBigDate{e.date, ctx}.body(); }),
        declare(CalendarMonthGridWidget, CalendarProvider{},
                [](const CalendarEntry& e, const WCtx& ctx) { return CalendarMonthGrid{e.date, ctx}.body(); }),
        declare(CalendarDayEventsWidget, CalendarProvider{},
                [](const CalendarEntry& e, const WCtx& ctx) { return CalendarDayEvents{e.date, e.data, ctx}.body(); }),
        declare(CalendarAgendaWidget, CalendarProvider{},
                [](const CalendarEntry& e, const WCtx& ctx) { return CalendarAgenda{e.date, e.data, ctx}.body(); }),
    };
}

} // namespace plyx
