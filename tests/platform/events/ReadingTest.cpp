// Calendar files as other programs export them, and as a hostile sender
// could write them: everything usable is read, and nothing costs more than
// the read's limits allow.
#include "platform/events/EventStore.h"
#include "platform/events/ReadLimits.h"
#include "platform/time/Time.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>

using namespace plyx;
using namespace plyx::events;
namespace fs = std::filesystem;

namespace {

const fs::path kExports = fs::path(PLYX_FIXTURES) / "exports";

std::string utc(Date d) { return time::formatPOSIX(d, "yyyy-MM-dd HH:mm", "UTC"); }

// "title start to end" per occurrence, sorted.
std::vector<std::string> describe(const std::vector<Event>& events) {
    std::vector<std::string> out;
    for (const auto& e : events) out.push_back(e.title.value_or("?") + " " + utc(e.startDate) + " to " + utc(e.endDate));
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> eventsOn(const fs::path& source, int y, int m, int d) {
    const Date start = time::dateFrom(y, m, d);
    EventStore store({source});
    const auto events = store.events(start, time::addingDays(start, 1));
    EXPECT_TRUE(events.has_value());
    return events ? describe(*events) : std::vector<std::string>{};
}

// One calendar as a calendar program writes it (CRLF lines) around `body`.
std::string calendar(const std::string& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

std::string event(const std::string& uid, const std::string& lines) {
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20260301T000000Z\r\nSUMMARY:" + uid + "\r\n" + lines +
           "END:VEVENT\r\n";
}

} // namespace

TEST(CalendarReading, EveryCalendarOfAConcatenatedExportIsRead) {
    const fs::path file = kExports / "two-calendars-read.ics";
    // 09:30 Berlin (winter) is 08:30 UTC; 18:00 in the second calendar's own
    // zone (+05:30) is 12:30 UTC.
    EXPECT_EQ(eventsOn(file, 2026, 3, 17),
              (std::vector<std::string>{"Call with the Pune office 2026-03-17 12:30 to 2026-03-17 14:00",
                                        "Quarterly planning with the product team and the people from sales "
                                        "2026-03-17 08:30 to 2026-03-17 09:00"}));

    EventStore store({file});
    const auto open = store.incompleteReminders(std::nullopt, time::dateFrom(2026, 3, 18));
    ASSERT_TRUE(open.has_value());
    ASSERT_EQ(open->size(), 1u);
    EXPECT_EQ(open->front().calendarItemIdentifier, "second-block-todo");
    ASSERT_TRUE(open->front().dueDateComponents && open->front().dueDateComponents->date);
    EXPECT_EQ(utc(*open->front().dueDateComponents->date), "2026-03-17 11:30");
    const auto item = store.calendarItem("second-block-todo");
    ASSERT_TRUE(item.has_value());
    EXPECT_TRUE(std::holds_alternative<Reminder>(*item));
}

TEST(CalendarReading, AddedPeriodsKeepTheirOwnStartEndAndZone) {
    const fs::path file = kExports / "periods.ics";
    struct Case {
        int day;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        // The series' own start, in the file's Windows-named zone.
        {10, {"Workshop 2026-03-10 08:00 to 2026-03-10 09:00"}},
        // A period with an end, in that zone (winter time); one in UTC.
        {17, {"Check-in 2026-03-17 06:00 to 2026-03-17 06:45", "Workshop 2026-03-17 13:00 to 2026-03-17 16:00"}},
        // A UTC period given by its length, running past midnight.
        {19, {"Check-in 2026-03-18 23:00 to 2026-03-19 02:00"}},
        // The second period of the same line is in summer time, two hours long.
        {31, {"Workshop 2026-03-31 12:00 to 2026-03-31 14:00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.day);
        EXPECT_EQ(eventsOn(file, 2026, 3, c.day), c.want);
    }
}

TEST(CalendarReading, LineBreaksInTextsBecomeSpaces) {
    const fs::path file = kExports / "multiline-text.ics";
    EventStore store({file});
    const Date day = time::dateFrom(2026, 3, 17);
    const auto events = store.events(day, time::addingDays(day, 1));
    ASSERT_TRUE(events && events->size() == 1);
    EXPECT_EQ(events->front().title, "Dinner (team)");
    EXPECT_EQ(events->front().location, "Restaurant Tim Raue Rudi-Dutschke-Straße 26, 10969 Berlin Germany");
    // A recurring to-do's current occurrence takes its series' title.
    const auto todos = store.incompleteReminders(std::nullopt, std::nullopt);
    ASSERT_TRUE(todos && todos->size() == 2);
    EXPECT_EQ((*todos)[0].title, "Pack the adapters");
    EXPECT_EQ((*todos)[1].title, "Water the plants");
}

TEST(CalendarReading, OverlongLinesAndZoneNamesAreRefusedNotCostly) {
    test::TempDir dir;
    const auto tzid = [](size_t bytes) {
        std::string s;
        while (s.size() < bytes) s += "Zone/";
        return s;
    };
    struct Case {
        const char* name;
        std::string tzid;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        // A zone name far beyond any real one names no zone: the time floats
        // (UTC here).
        {"60 KB zone name", tzid(60 * 1024),
         {"long 2026-03-17 10:00 to 2026-03-17 10:00", "plain 2026-03-17 11:00 to 2026-03-17 11:00"}},
        // A line past the line limit is left out, and the event without a
        // start with it; the rest of the file reads as before.
        {"200 KB start line", tzid(200 * 1024), {"plain 2026-03-17 11:00 to 2026-03-17 11:00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir.path() / "long.ics";
        test::writeFile(file, calendar(event("long", "DTSTART;TZID=" + c.tzid + ":20260317T100000\r\n") +
                                       event("plain", "DTSTART:20260317T110000Z\r\n")));
        EXPECT_EQ(eventsOn(file, 2026, 3, 17), c.want);
    }
}

TEST(CalendarReading, ZoneDefinitionsThatCannotBeUsedLeaveTimesFloating) {
    test::TempDir dir;
    // One observance with the given lines; the event is at 10:00 in the zone.
    const auto zone = [](const std::string& observance) {
        return "BEGIN:VTIMEZONE\r\nTZID:Own zone\r\nBEGIN:STANDARD\r\n" + observance +
               "END:STANDARD\r\nEND:VTIMEZONE\r\n" + event("meeting", "DTSTART;TZID=Own zone:20260317T100000\r\n");
    };
    struct Case {
        const char* name;
        std::string observance;
        const char* want;
    };
    const Case cases[] = {
        {"usable", "DTSTART:19700101T000000\r\nTZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\n", "2026-03-17 07:00"},
        {"offsets past a day", "DTSTART:19700101T000000\r\nTZOFFSETFROM:+999999\r\nTZOFFSETTO:-999999\r\n",
         "2026-03-17 10:00"},
        {"no offsets", "DTSTART:19700101T000000\r\n", "2026-03-17 10:00"},
        {"hourly changes",
         "DTSTART:20200101T000000\r\nRRULE:FREQ=HOURLY\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n",
         "2026-03-17 10:00"},
        {"secondly changes",
         "DTSTART:20200101T000000\r\nRRULE:FREQ=SECONDLY\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n",
         "2026-03-17 10:00"},
        {"a yearly rule firing every hour",
         "DTSTART:20200101T000000\r\nRRULE:FREQ=YEARLY;BYHOUR=0,1,2,3,4,5,6,7,8,9,10,11\r\n"
         "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n",
         "2026-03-17 10:00"},
        // Daily changes since 1601 would be over a hundred thousand to expand.
        {"daily changes for centuries",
         "DTSTART:16010101T000000\r\nRRULE:FREQ=DAILY\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n",
         "2026-03-17 10:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir.path() / "zone.ics";
        test::writeFile(file, calendar(zone(c.observance)));
        EXPECT_EQ(eventsOn(file, 2026, 3, 17),
                  std::vector<std::string>{std::string("meeting ") + c.want + " to " + c.want});
    }
}

TEST(CalendarReading, ExpansionStopsAtTheReadsTotal) {
    test::TempDir dir;
    struct Case {
        const char* name;
        std::string body;
    };
    // 200 events that each recur every second of the day, and one event
    // with 100,000 added dates, one a second from midnight on.
    std::string secondly;
    for (int i = 0; i < 200; ++i)
        secondly += event("s" + std::to_string(i), "DTSTART:20260317T000000Z\r\nRRULE:FREQ=SECONDLY;COUNT=100000000\r\n");
    std::string rdates = "DTSTART:20260317T000000Z\r\n";
    const Date midnight = time::dateFrom(2026, 3, 17);
    for (int i = 1; i <= 100000; ++i) {
        char line[40];
        std::snprintf(line, sizeof line, "RDATE:202603%02dT%02d%02d%02dZ\r\n", 17 + i / 86400, i / 3600 % 24,
                      i / 60 % 60, i % 60);
        rdates += line;
    }
    const Case cases[] = {{"secondly rules", secondly}, {"added dates", event("r", rdates)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir.path() / "many.ics";
        test::writeFile(file, calendar(c.body));
        EventStore store({file});
        const auto events = store.events(midnight, time::addingDays(midnight, 1));
        ASSERT_TRUE(events.has_value());
        EXPECT_LE(long(events->size()), detail::kMaxOccurrencesPerRead);
        EXPECT_GE(long(events->size()), detail::kMaxOccurrencesPerRead / 2);
        // What is given is right: each a distinct second of the day, per event.
        std::set<std::pair<std::string, double>> seen;
        for (const auto& e : *events) {
            EXPECT_GE(e.startDate, midnight);
            EXPECT_EQ(e.startDate.unixTime(), std::floor(e.startDate.unixTime()));
            EXPECT_TRUE(seen.insert({*e.eventIdentifier, e.startDate.unixTime()}).second);
        }
    }
}

TEST(CalendarReading, AFileChangedSinceTheLastReadIsReadAgain) {
    test::TempDir dir;
    const fs::path folder = dir.path() / "personal";
    const auto one = [](const std::string& title, const std::string& at) {
        return calendar(event(title, "DTSTART:20260317T" + at + "00Z\r\n"));
    };
    test::writeFile(folder / "a.ics", one("Alpha", "0900"));
    test::writeFile(folder / "b.ics", one("Bravo", "1000"));
    test::writeFile(folder / "c.ics", one("Gamma", "1100"));
    EXPECT_EQ(eventsOn(dir.path(), 2026, 3, 17),
              (std::vector<std::string>{"Alpha 2026-03-17 09:00 to 2026-03-17 09:00",
                                        "Bravo 2026-03-17 10:00 to 2026-03-17 10:00",
                                        "Gamma 2026-03-17 11:00 to 2026-03-17 11:00"}));

    // Rewritten in place with the same size and its old modification time
    // put back (as copying tools that keep times do), one removed, one added.
    struct stat before {};
    ASSERT_EQ(::stat((folder / "a.ics").c_str(), &before), 0);
    test::writeFile(folder / "a.ics", one("Delta", "0930"));
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder / "a.ics").c_str(), times, 0), 0);
    fs::remove(folder / "b.ics");
    test::writeFile(folder / "d.ics", one("Omega", "1200"));
    EXPECT_EQ(eventsOn(dir.path(), 2026, 3, 17),
              (std::vector<std::string>{"Delta 2026-03-17 09:30 to 2026-03-17 09:30",
                                        "Gamma 2026-03-17 11:00 to 2026-03-17 11:00",
                                        "Omega 2026-03-17 12:00 to 2026-03-17 12:00"}));
}
