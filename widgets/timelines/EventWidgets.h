#pragma once
// The reminders and calendar group: four reminders widgets on the reminders
// provider, four calendar widgets on the calendar provider (the two that
// draw only the date refresh on its schedule too).
#include "widgets/timelines/DeclareWidget.h"

#include <vector>

namespace plyx {

inline constexpr const char* kRemindersLink = "plyxwidgets://open/reminders";
inline constexpr const char* kCalendarLink = "plyxwidgets://open/calendar";

//                                                    kind                        display name    description                            family   tone    link
inline constexpr WidgetRow RemindersChecklistWidget{"plyx.reminders.checklist", "Checklist",    "Today's reminders, tappable.",        kMedium, kLight, kRemindersLink};
inline constexpr WidgetRow RemindersNextUpWidget   {"plyx.reminders.nextUp",    "Next Up",      "Countdown to your next reminder.",    kSmall,  kDark,  kRemindersLink};
inline constexpr WidgetRow RemindersSingleWidget   {"plyx.reminders.single",    "Single Focus", "One reminder at a time.",             kSmall,  kLight, kRemindersLink};
inline constexpr WidgetRow RemindersTodayWidget    {"plyx.reminders.today",     "Today List",   "The full day with progress.",         kLarge,  kDark,  kRemindersLink};
inline constexpr WidgetRow CalendarBigDateWidget   {"plyx.calendar.bigDate",    "Big Date",     "Today, writ large.",                  kSmall,  kLight, kCalendarLink};
inline constexpr WidgetRow CalendarMonthGridWidget {"plyx.calendar.monthGrid",  "Month Grid",   "The month as dots.",                  kSmall,  kLight, kCalendarLink};
inline constexpr WidgetRow CalendarDayEventsWidget {"plyx.calendar.dayEvents",  "Day + Events", "The date with what's next.",          kMedium, kDark,  kCalendarLink};
inline constexpr WidgetRow CalendarAgendaWidget    {"plyx.calendar.agenda",     "Agenda",       "Today's schedule with day progress.", kLarge,  kDark,  kCalendarLink};

/// The eight widgets, each with its provider and view, in the rows' order.
std::vector<DeclaredWidget> eventWidgets();

} // namespace plyx
