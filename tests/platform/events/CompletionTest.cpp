#include "platform/events/EventStore.h"
#include "platform/time/Time.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace plyx;
using namespace plyx::events;
namespace fs = std::filesystem;

namespace {

const fs::path kFixtures = PLYX_FIXTURES;

// A copy of the fixtures the test may change.
struct Sources {
    test::TempDir dir;
    fs::path vdir, tasks, calendar;
    Sources() {
        fs::copy(kFixtures, dir.path(), fs::copy_options::recursive);
        vdir = dir.path() / "vdir";
        tasks = dir.path() / "evolution" / "tasks.ics";
        calendar = dir.path() / "evolution" / "calendar.ics";
    }
};

// The file without its modification stamps.
std::string withoutStamps(const std::string& text) {
    std::istringstream in(text);
    std::string out;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("DTSTAMP", 0) != 0 && line.rfind("LAST-MODIFIED", 0) != 0) out += line + "\n";
    return out;
}

// The lines of one to-do, by UID, as written.
std::string todoBlock(const std::string& text, const std::string& uid) {
    const auto at = text.find("UID:" + uid + "\r\n");
    if (at == std::string::npos) return {};
    const auto begin = text.rfind("BEGIN:VTODO", at);
    const auto end = text.find("END:VTODO", at);
    return text.substr(begin, end - begin);
}

bool toggle(const fs::path& source, const std::string& id, Date now) {
    EventStore store({source});
    auto item = store.calendarItem(id);
    if (!item || !std::holds_alternative<Reminder>(*item)) return false;
    auto reminder = std::get<Reminder>(*item);
    reminder.setCompleted(!reminder.isCompleted, now);
    return store.save(reminder, now);
}

} // namespace

TEST(ReminderCompletion, TogglingTwiceRoundTripsTheFileApartFromItsStamps) {
    Sources s;
    const Date now = time::dateFrom(2026, 3, 17, 15, 42, 7);
    for (const auto& [source, file, id] :
         {std::tuple{s.vdir, s.vdir / "tasks" / "call-maya.ics", "call-maya"},
          std::tuple{s.tasks, s.tasks, "overdue-plants"}}) {
        SCOPED_TRACE(id);
        const std::string before = test::readFile(file);

        ASSERT_TRUE(toggle(source, id, now));
        const std::string done = test::readFile(file);
        const std::string block = todoBlock(done, id);
        EXPECT_NE(block.find("STATUS:COMPLETED\r\n"), std::string::npos) << block;
        EXPECT_NE(block.find("COMPLETED:20260317T154207Z\r\n"), std::string::npos) << block;
        EXPECT_NE(block.find("PERCENT-COMPLETE:100\r\n"), std::string::npos) << block;
        EXPECT_NE(block.find("LAST-MODIFIED:20260317T154207Z\r\n"), std::string::npos) << block;
        EXPECT_NE(block.find("DTSTAMP:20260317T154207Z\r\n"), std::string::npos) << block;
        // New properties go before the to-do's alarm, not after it.
        if (block.find("BEGIN:VALARM") != std::string::npos) {
            EXPECT_LT(block.find("PERCENT-COMPLETE"), block.find("BEGIN:VALARM"));
        }

        EventStore reread({source});
        const auto item = reread.calendarItem(id);
        ASSERT_TRUE(item && std::holds_alternative<Reminder>(*item));
        EXPECT_TRUE(std::get<Reminder>(*item).isCompleted);
        EXPECT_EQ(std::get<Reminder>(*item).completionDate, time::dateFrom(2026, 3, 17, 15, 42, 7));

        ASSERT_TRUE(toggle(source, id, now + 60));
        const std::string after = test::readFile(file);
        EXPECT_EQ(withoutStamps(after), withoutStamps(before));
        EXPECT_NE(after.find("LAST-MODIFIED:20260317T154307Z"), std::string::npos);
    }
}

TEST(ReminderCompletion, OnlyTheToggledToDoChangesAndUnknownLinesStay) {
    Sources s;
    const std::string before = test::readFile(s.tasks);
    ASSERT_TRUE(toggle(s.tasks, "done-run", time::dateFrom(2026, 3, 17, 18, 0)));
    const std::string after = test::readFile(s.tasks);
    // Every other to-do, the calendar's own lines included, byte for byte.
    for (const char* other : {"overdue-plants", "dateonly-rent", "nodue-books", "tz-ny-call", "done-build",
                              "cancelled-trip", "tomorrow-dentist"})
        EXPECT_EQ(todoBlock(after, other), todoBlock(before, other)) << other;
    EXPECT_EQ(after.substr(0, after.find("BEGIN:VTODO")), before.substr(0, before.find("BEGIN:VTODO")));
    // Reopening drops the completion and the percentage.
    const std::string block = todoBlock(after, "done-run");
    EXPECT_NE(block.find("STATUS:NEEDS-ACTION\r\n"), std::string::npos) << block;
    EXPECT_EQ(block.find("COMPLETED:"), std::string::npos) << block;
    EXPECT_EQ(block.find("PERCENT-COMPLETE"), std::string::npos) << block;

    // A folded description and an unknown property survive a toggle in the vdir.
    const fs::path item = s.vdir / "tasks" / "call-maya.ics";
    ASSERT_TRUE(toggle(s.vdir, "call-maya", time::dateFrom(2026, 3, 17, 18, 0)));
    const std::string text = test::readFile(item);
    EXPECT_NE(text.find("X-APPLE-SORT-ORDER:20\r\n"), std::string::npos);
    EXPECT_NE(text.find("for the launch \r\n post\\, and"), std::string::npos);
}

TEST(ReminderCompletion, NothingIsWrittenForEventsUnknownItemsOrFilesThatDoNotParse) {
    Sources s;
    const Date now = time::dateFrom(2026, 3, 17, 12, 0);
    const std::string calendar = test::readFile(s.calendar);
    const std::string standup = test::readFile(s.vdir / "work" / "standup-7c1e.ics");
    const std::string errorPage = test::readFile(s.vdir / "work" / "error-page.ics");

    // A to-do with a line the parser had to drop: shown, but never rewritten.
    EventStore store({s.calendar});
    const auto damaged = store.calendarItem("damaged-todo");
    ASSERT_TRUE(damaged && std::holds_alternative<Reminder>(*damaged));
    auto reminder = std::get<Reminder>(*damaged);
    reminder.setCompleted(true, now);
    EXPECT_FALSE(store.save(reminder, now));

    // An event's identifier names no reminder; an unknown one names nothing.
    EXPECT_FALSE(toggle(s.vdir, "standup-7c1e@example.org", now));
    Reminder ghost;
    ghost.calendarItemIdentifier = "nobody";
    ghost.setCompleted(true, now);
    EXPECT_FALSE(EventStore({s.vdir}).save(ghost, now));

    EXPECT_EQ(test::readFile(s.calendar), calendar);
    EXPECT_EQ(test::readFile(s.vdir / "work" / "standup-7c1e.ics"), standup);
    EXPECT_EQ(test::readFile(s.vdir / "work" / "error-page.ics"), errorPage);
    // The replacement leaves no temporary file behind.
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(s.dir.path() / "evolution")) ++files;
    EXPECT_EQ(files, 2u);
}
