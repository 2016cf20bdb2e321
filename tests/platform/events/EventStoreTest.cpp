#include "platform/events/EventSources.h"
#include "platform/events/EventStore.h"
#include "platform/time/Time.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace plyx;
using namespace plyx::events;
namespace fs = std::filesystem;

namespace {

const fs::path kFixtures = PLYX_FIXTURES;

std::string utc(Date d) { return time::formatPOSIX(d, "yyyy-MM-dd HH:mm", "UTC"); }

// "title start-end" per occurrence, sorted, all-day ones marked.
std::vector<std::string> describe(const std::vector<Event>& events) {
    std::vector<std::string> out;
    for (const auto& e : events)
        out.push_back(e.title.value_or("?") + (e.isAllDay ? " all-day " : " ") + utc(e.startDate) + " to " +
                      utc(e.endDate));
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> ids(const std::vector<Reminder>& reminders) {
    std::vector<std::string> out;
    for (const auto& r : reminders) out.push_back(r.calendarItemIdentifier);
    return out;
}

struct DayWindow {
    Date start, end;
};
DayWindow day(int y, int m, int d) {
    const Date start = time::dateFrom(y, m, d);
    return {start, time::addingDays(start, 1)};
}

} // namespace

TEST(EventStore, AuthorisationFollowsTheConfiguredSources) {
    const fs::path vdir = kFixtures / "vdir";
    const fs::path file = kFixtures / "evolution" / "tasks.ics";
    const fs::path gone = kFixtures / "no-such-calendar";
    struct Case {
        std::vector<fs::path> sources;
        AuthorizationStatus want;
    };
    const Case cases[] = {
        {{}, AuthorizationStatus::notDetermined},
        {{vdir}, AuthorizationStatus::fullAccess},
        {{file}, AuthorizationStatus::fullAccess},
        {{gone}, AuthorizationStatus::denied},
        {{vdir, gone}, AuthorizationStatus::denied},
        {{kFixtures / "vdir" / "work" / "color" / "x"}, AuthorizationStatus::denied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sources.empty() ? "none" : c.sources.back().string());
        for (auto type : {EntityType::event, EntityType::reminder})
            EXPECT_EQ(EventStore::authorizationStatus(type, c.sources), c.want);
    }
}

TEST(EventStore, EventsOfADayExpandRecurrencesInTheirOwnZones) {
    struct Case {
        const char* source;
        DayWindow window;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        // The weekly standup's instance today was moved to 11:00 Berlin
        // (10:00 UTC); the original 09:30 instance is gone. The UTC event and
        // the all-day event (local midnight to midnight) come along; the
        // error page saved as an item is skipped.
        {"vdir",
         day(2026, 3, 17),
         {"Design review 2026-03-17 14:00 to 2026-03-17 15:30", "Spring holiday all-day 2026-03-17 00:00 to 2026-03-18 00:00",
          "Standup (moved) 2026-03-17 10:00 to 2026-03-17 10:15"}},
        // EXDATE removes last week's instance.
        {"vdir", day(2026, 3, 10), {}},
        // Next week 09:30 in winter time, then summer time after the change
        // on the 29th; the exchange invite's own VTIMEZONE puts 08:00 at 06:00 UTC.
        {"vdir", day(2026, 3, 24), {"Standup 2026-03-24 08:30 to 2026-03-24 08:45"}},
        {"vdir",
         day(2026, 3, 31),
         {"Standup 2026-03-31 07:30 to 2026-03-31 07:45", "Supplier call 2026-03-31 06:00 to 2026-03-31 07:00"}},
        // A floating time reads in the current zone (UTC here), a TZID
        // without VTIMEZONE in the named zone (New York is on summer time
        // since the 8th).
        {"evolution/calendar.ics",
         day(2026, 3, 17),
         {"Piano lesson 2026-03-17 17:00 to 2026-03-17 17:45", "Sync with New York 2026-03-17 12:00 to 2026-03-17 12:30",
          "Yoga 2026-03-17 10:00 to 2026-03-17 11:00"}},
        // The series' last counted instance was the 17th; an added date
        // follows. (Its location line comes before the rule in the file.)
        {"evolution/calendar.ics", day(2026, 3, 18), {"Piano lesson 2026-03-18 17:00 to 2026-03-18 17:45"}},
        {"evolution/calendar.ics", day(2026, 3, 24), {}},
        // 09:00 Berlin on the morning the clocks went forward is 07:00 UTC.
        {"evolution/calendar.ics", day(2026, 3, 29), {"Brunch on the clock change 2026-03-29 07:00 to 2026-03-29 08:00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " " + utc(c.window.start));
        EventStore store({kFixtures / c.source});
        const auto events = store.events(c.window.start, c.window.end);
        ASSERT_TRUE(events.has_value());
        EXPECT_EQ(describe(*events), c.want);
    }
}

TEST(EventStore, FloatingTimesAndAllDayEventsFollowTheCurrentZone) {
    time::setCurrentZone("Asia/Tokyo");
    const DayWindow tokyo = day(2026, 3, 17);
    EventStore calendar({kFixtures / "evolution" / "calendar.ics"});
    const auto events = calendar.events(tokyo.start, tokyo.end);
    EventStore vdir({kFixtures / "vdir"});
    const auto vdirEvents = vdir.events(tokyo.start, tokyo.end);
    time::setCurrentZone("UTC");
    ASSERT_TRUE(events && vdirEvents);
    // 10:00 in Tokyo is 01:00 UTC; New York's 08:00 is 21:00 Tokyo, still the 17th.
    EXPECT_EQ(describe(*events), (std::vector<std::string>{"Sync with New York 2026-03-17 12:00 to 2026-03-17 12:30",
                                                           "Yoga 2026-03-17 01:00 to 2026-03-17 02:00"}));
    // (The piano lesson at 17:00 UTC is already the 18th in Tokyo.)
    const auto holiday = std::find_if(vdirEvents->begin(), vdirEvents->end(), [](const Event& e) { return e.isAllDay; });
    ASSERT_NE(holiday, vdirEvents->end());
    EXPECT_EQ(utc(holiday->startDate), "2026-03-16 15:00");
}

TEST(EventStore, RemindersOpenBeforeAnInstantAndCompletedWithinADay) {
    const DayWindow today = day(2026, 3, 17);
    EventStore store({kFixtures / "vdir", kFixtures / "evolution" / "tasks.ics"});

    // Overdue, date-only today, undated and due later today are open;
    // done, cancelled and tomorrow's are not.
    const auto open = store.incompleteReminders(std::nullopt, today.end);
    ASSERT_TRUE(open.has_value());
    EXPECT_EQ(ids(*open), (std::vector<std::string>{"call-maya", "overdue-plants", "dateonly-rent", "nodue-books",
                                                    "tz-ny-call"}));
    const auto& rent = (*open)[2];
    ASSERT_TRUE(rent.dueDateComponents.has_value());
    EXPECT_FALSE(rent.dueDateComponents->hour.has_value());
    EXPECT_EQ(rent.dueDateComponents->date, today.start);
    EXPECT_FALSE((*open)[3].dueDateComponents.has_value());
    const auto& ny = (*open)[4].dueDateComponents;
    ASSERT_TRUE(ny && ny->date);
    EXPECT_EQ(ny->hour, 12);
    EXPECT_EQ(utc(*ny->date), "2026-03-17 16:00");
    EXPECT_EQ((*open)[0].title, "Call Maya re: press kit");

    // A lower bound leaves out what is due before it, never the undated.
    const auto fromToday = store.incompleteReminders(today.start, today.end);
    ASSERT_TRUE(fromToday.has_value());
    EXPECT_EQ(ids(*fromToday), (std::vector<std::string>{"call-maya", "dateonly-rent", "nodue-books", "tz-ny-call"}));

    const auto done = store.completedReminders(today.start, today.end);
    ASSERT_TRUE(done.has_value());
    EXPECT_EQ(ids(*done), (std::vector<std::string>{"done-run", "done-build"}));
    EXPECT_TRUE((*done)[0].isCompleted);
}

TEST(EventStore, ASourceThatCannotBeReadGivesNoAnswerRatherThanAnEmptyOne) {
    const DayWindow today = day(2026, 3, 17);
    EventStore store({kFixtures / "vdir", kFixtures / "vanished"});
    EXPECT_FALSE(store.events(today.start, today.end).has_value());
    EXPECT_FALSE(store.incompleteReminders(std::nullopt, today.end).has_value());
    EXPECT_FALSE(store.completedReminders(today.start, today.end).has_value());
    EXPECT_FALSE(store.calendarItem("call-maya").has_value());

    // An empty but readable folder is a day with nothing in it.
    test::TempDir empty;
    EventStore none({empty.path()});
    const auto events = none.events(today.start, today.end);
    ASSERT_TRUE(events.has_value());
    EXPECT_TRUE(events->empty());
}

TEST(EventStore, ItemsAreFoundByIdentifierAsRemindersOrEvents) {
    EventStore store({kFixtures / "vdir", kFixtures / "evolution" / "tasks.ics"});
    const auto reminder = store.calendarItem("overdue-plants");
    ASSERT_TRUE(reminder.has_value());
    ASSERT_TRUE(std::holds_alternative<Reminder>(*reminder));
    EXPECT_EQ(std::get<Reminder>(*reminder).title, "Water the monstera");

    const auto event = store.calendarItem("standup-7c1e@example.org");
    ASSERT_TRUE(event.has_value());
    ASSERT_TRUE(std::holds_alternative<Event>(*event));
    EXPECT_EQ(utc(std::get<Event>(*event).startDate), "2025-01-07 08:30");

    EXPECT_FALSE(store.calendarItem("nobody").has_value());
    EXPECT_FALSE(store.calendarItem("").has_value());
}

TEST(EventStore, ALargeFolderIsReadWholeAcrossThreads) {
    // Enough items that reading and parsing are spread over threads.
    test::TempDir dir;
    const int n = 300;
    for (int i = 0; i < n; ++i) {
        const std::string minute = (i % 60 < 10 ? "0" : "") + std::to_string(i % 60);
        const std::string hour = (i / 60 < 10 ? "0" : "") + std::to_string(i / 60);
        test::writeFile(dir.path() / "personal" / ("item-" + std::to_string(i) + ".ics"),
                        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:item-" +
                            std::to_string(i) + "\r\nDTSTAMP:20260301T000000Z\r\nSUMMARY:Item " + std::to_string(i) +
                            "\r\nDTSTART:20260317T" + hour + minute + "00Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    }
    test::writeFile(dir.path() / "personal" / "item-broken.ics", "not a calendar");
    const DayWindow today = day(2026, 3, 17);
    EventStore store({dir.path()});
    const auto events = store.events(today.start, today.end);
    ASSERT_TRUE(events.has_value());
    ASSERT_EQ(events->size(), size_t(n));
    std::vector<bool> seen(n, false);
    for (const auto& e : *events) {
        const int i = std::stoi(e.eventIdentifier->substr(5));
        EXPECT_EQ(e.title, "Item " + std::to_string(i));
        EXPECT_EQ(e.startDate, time::dateFrom(2026, 3, 17, i / 60, i % 60));
        seen[i] = true;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), n);
}
