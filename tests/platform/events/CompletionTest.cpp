#include "platform/events/EventStore.h"
#include "platform/events/LockedRewrite.h"
#include "platform/time/Time.h"
#include "tests/support/TestSupport.h"

#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

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

namespace {

const fs::path kExports = kFixtures / "exports";

// Copies of the calendar exports (as desktop, web and phone programs write
// them) that the test may change.
struct Exports {
    test::TempDir dir;
    Exports() { fs::copy(kExports, dir.path(), fs::copy_options::recursive); }
    fs::path operator/(const std::string& name) const { return dir.path() / name; }
};

std::optional<Reminder> openTitled(const fs::path& source, const std::string& title) {
    EventStore store({source});
    const auto open = store.incompleteReminders(std::nullopt, std::nullopt);
    if (!open) return std::nullopt;
    for (const auto& r : *open)
        if (r.title == title) return r;
    return std::nullopt;
}

bool isCompletedNow(const fs::path& source, const std::string& id) {
    EventStore store({source});
    const auto item = store.calendarItem(id);
    return item && std::holds_alternative<Reminder>(*item) && std::get<Reminder>(*item).isCompleted;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Log lines of the calendar sources while it lives.
struct LogCapture {
    static inline std::string lines;
    QtMessageHandler previous;
    LogCapture() {
        lines.clear();
        previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& msg) {
            lines += msg.toStdString() + "\n";
        });
    }
    ~LogCapture() { qInstallMessageHandler(previous); }
};

} // namespace

TEST(ReminderCompletion, InAFileOfTwoCalendarsOnlyTheToDoOfTheSecondChanges) {
    Exports e;
    const fs::path file = e / "two-calendars.ics";
    const std::string before = test::readFile(file);
    const std::string id = "7f3c1a2e-5d0b-4c8e-9a61-2b7d4e0c9f13";
    const Date now = time::dateFrom(2026, 3, 17, 9, 30);

    Reminder r;
    r.calendarItemIdentifier = id;
    r.setCompleted(true, now);
    ASSERT_TRUE(EventStore({file}).save(r, now));
    const std::string after = test::readFile(file);
    const auto second = before.find("BEGIN:VCALENDAR", 1);
    // The first calendar, and the second one's zone, byte for byte.
    EXPECT_EQ(after.substr(0, before.find("BEGIN:VTODO", second)), before.substr(0, before.find("BEGIN:VTODO", second)));
    const std::string block = todoBlock(after, id);
    EXPECT_NE(block.find("STATUS:COMPLETED\r\nX-MOZ-GENERATION:1\r\n"), std::string::npos) << block;
    EXPECT_NE(block.find("PERCENT-COMPLETE:100\r\nBEGIN:VALARM"), std::string::npos) << block;
    EXPECT_NE(block.find("autum\r\n n\r\n"), std::string::npos) << block;
    EXPECT_EQ(todoBlock(after, "20260310T081500Z-4411@web.example.com"),
              todoBlock(before, "20260310T081500Z-4411@web.example.com"));

    r.setCompleted(false, now);
    ASSERT_TRUE(EventStore({file}).save(r, now + 60));
    EXPECT_EQ(withoutStamps(test::readFile(file)), withoutStamps(before));
}

TEST(ReminderCompletion, AWeeklyToDoIsCompletedOneOccurrenceAtATime) {
    Exports e;
    const fs::path file = e / "weekly.ics";
    const std::string before = test::readFile(file);
    const std::string uid = "b0c61e4f-8a7d-4f55-a2d3-0e9c7b1a6d42";
    const Date now = time::dateFrom(2026, 3, 17, 8, 15);

    // Last week's was completed by another program: this week's is the one shown.
    const auto current = openTitled(file, "Take out the recycling");
    ASSERT_TRUE(current);
    EXPECT_EQ(current->calendarItemIdentifier, uid + ";RECURRENCE-ID=20260316T070000");
    ASSERT_TRUE(current->dueDateComponents && current->dueDateComponents->date);
    EXPECT_EQ(*current->dueDateComponents->date, time::dateFrom(2026, 3, 16, 8, 0, 0, "Europe/Berlin"));

    ASSERT_TRUE(toggle(file, current->calendarItemIdentifier, now));
    const std::string done = test::readFile(file);
    EXPECT_EQ(count(done, "RRULE:FREQ=WEEKLY;BYDAY=MO\r\n"), 1u);
    EXPECT_EQ(count(done, "BEGIN:VTODO"), 3u);
    EXPECT_NE(done.find("BEGIN:VTODO\r\nUID:" + uid + "\r\nDTSTAMP:20260317T081500Z\r\n"
                        "RECURRENCE-ID;TZID=Europe/Berlin:20260316T070000\r\n"
                        "DTSTART;TZID=Europe/Berlin:20260316T070000\r\n"
                        "SUMMARY:Take out the recycling\r\nSTATUS:COMPLETED\r\nCOMPLETED:20260317T081500Z\r\n"),
              std::string::npos)
        << done;

    // The series goes on: next week's is open, this week's is among today's completed.
    const auto next = openTitled(file, "Take out the recycling");
    ASSERT_TRUE(next);
    EXPECT_EQ(next->calendarItemIdentifier, uid + ";RECURRENCE-ID=20260323T070000");
    EXPECT_EQ(*next->dueDateComponents->date, time::dateFrom(2026, 3, 23, 8, 0, 0, "Europe/Berlin"));
    EventStore store({file});
    const auto completed = store.completedReminders(time::dateFrom(2026, 3, 17), time::dateFrom(2026, 3, 18));
    ASSERT_TRUE(completed);
    ASSERT_EQ(completed->size(), 1u);
    EXPECT_EQ((*completed)[0].calendarItemIdentifier, current->calendarItemIdentifier);

    // Unticked: the file is as it was.
    ASSERT_TRUE(toggle(file, current->calendarItemIdentifier, now + 60));
    EXPECT_EQ(test::readFile(file), before);
}

TEST(ReminderCompletion, ToDosInLessCommonFormsAreTickedAndUntickedAgain) {
    Exports e;
    const Date now = time::dateFrom(2026, 3, 17, 10, 0);
    // Through a link in another folder too: the link stays, its target changes.
    fs::create_directories(e / "links");
    fs::create_symlink(e / "odd-todos.ics", e / "links" / "tasks.ics");
    struct Case {
        fs::path source, file;
        std::string title, id;  // the id when it is known up front
    };
    const std::vector<Case> cases{
        {e / "odd-todos.ics", e / "odd-todos.ics", "Buy stamps, envelopes", "list-7,item-3"},
        {e / "odd-todos.ics", e / "odd-todos.ics", "Sharpen the kitchen knives", ""},
        {e / "odd-todos.ics", e / "odd-todos.ics", "Draft the quarterly report", "draft-report"},
        {e / "links" / "tasks.ics", e / "odd-todos.ics", "Draft the quarterly report", "draft-report"},
        {e / "bom.ics", e / "bom.ics", "Send the signed contract", "040000008200E00074C5B7101A82E0080000000010A2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.string() + " " + c.title);
        const std::string before = test::readFile(c.file);
        const auto r = openTitled(c.source, c.title);
        ASSERT_TRUE(r);
        if (!c.id.empty()) {
            EXPECT_EQ(r->calendarItemIdentifier, c.id);
        }
        const std::string id = r->calendarItemIdentifier;

        ASSERT_TRUE(toggle(c.source, id, now));
        EXPECT_TRUE(isCompletedNow(c.source, id));
        EXPECT_NE(test::readFile(c.file), before);
        // A second read names it the same way.
        EXPECT_TRUE(isCompletedNow(c.source, id));

        ASSERT_TRUE(toggle(c.source, id, now + 60));
        EXPECT_FALSE(isCompletedNow(c.source, id));
        EXPECT_EQ(withoutStamps(test::readFile(c.file)), withoutStamps(before));
    }
    EXPECT_TRUE(fs::is_symlink(e / "links" / "tasks.ics"));
    EXPECT_EQ(test::readFile(e / "bom.ics").rfind("\xEF\xBB\xBF" "BEGIN:VCALENDAR\r\n", 0), 0u);

    // The in-process to-do keeps its status and percentage while completed.
    ASSERT_TRUE(toggle(e / "odd-todos.ics", "draft-report", now));
    const std::string block = todoBlock(test::readFile(e / "odd-todos.ics"), "draft-report");
    EXPECT_NE(block.find("X-PLYX-PRIOR-STATUS:IN-PROCESS\r\n"), std::string::npos) << block;
    EXPECT_NE(block.find("X-PLYX-PRIOR-PERCENT-COMPLETE:40\r\n"), std::string::npos) << block;
}

TEST(ReminderCompletion, TwentyProcessesCompletingToDosOfOneFileAllLand) {
    test::TempDir dir;
    const fs::path file = dir.path() / "tasks.ics";
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example Corp.//Desktop Tasks 1.9//EN\r\n";
    constexpr int kProcesses = 20;
    for (int i = 0; i < kProcesses; ++i)
        text += "BEGIN:VTODO\r\nUID:task-" + std::to_string(i) + "\r\nDTSTAMP:20260310T080000Z\r\nSUMMARY:Task " +
                std::to_string(i) + "\r\nSTATUS:NEEDS-ACTION\r\nEND:VTODO\r\n";
    text += "END:VCALENDAR\r\n";
    test::writeFile(file, text);

    // All wait on one pipe, so they read the file at the same moment.
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < kProcesses; ++i) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(gate[1]);
            char c;
            (void)::read(gate[0], &c, 1);
            const bool ok = toggle(file, "task-" + std::to_string(i), time::dateFrom(2026, 3, 17, 12, 0, i));
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EventStore store({file});
    const auto completed = store.completedReminders(time::dateFrom(2026, 3, 17), time::dateFrom(2026, 3, 18));
    ASSERT_TRUE(completed);
    EXPECT_EQ(completed->size(), size_t(kProcesses));
    const auto open = store.incompleteReminders(std::nullopt, std::nullopt);
    ASSERT_TRUE(open);
    EXPECT_TRUE(open->empty());
}

TEST(ReminderCompletion, AFileChangedByAnotherProgramMeanwhileIsEditedAsItIsNow) {
    test::TempDir dir;
    const fs::path file = dir.path() / "tasks.ics";
    test::writeFile(file, "first\n");
    int edits = 0;
    const auto result = detail::rewriteLocked(file, [&](const std::string& text) -> std::optional<std::string> {
        if (++edits == 1) {
            // Another program replaces the file between our read and our rename.
            test::writeFile(dir.path() / "other.tmp", "second\n");
            fs::rename(dir.path() / "other.tmp", file);
        }
        return text + "edited\n";
    });
    EXPECT_EQ(result, detail::Rewrite::written);
    EXPECT_EQ(edits, 2);
    EXPECT_EQ(test::readFile(file), "second\nedited\n");
    EXPECT_EQ(detail::rewriteLocked(file, [](const std::string&) { return std::optional<std::string>(); }),
              detail::Rewrite::nothingToWrite);
    EXPECT_EQ(test::readFile(file), "second\nedited\n");
}

TEST(ReminderCompletion, ACompletionThatCannotBeWrittenFailsAndIsLogged) {
    Exports e;
    const fs::path file = e / "odd-todos.ics";
    const Date now = time::dateFrom(2026, 3, 17, 10, 0);
    EventStore store({file});
    auto item = store.calendarItem("draft-report");
    ASSERT_TRUE(item && std::holds_alternative<Reminder>(*item));
    auto reminder = std::get<Reminder>(*item);
    reminder.setCompleted(true, now);

    // Another program removed the to-do after the store read the file.
    std::string text = test::readFile(file);
    const std::string block = todoBlock(text, "draft-report");
    text.erase(text.find(block), block.size() + std::string("END:VTODO\r\n").size());
    test::writeFile(file, text);
    {
        LogCapture log;
        EXPECT_FALSE(store.save(reminder, now));
        EXPECT_NE(LogCapture::lines.find("draft-report"), std::string::npos) << LogCapture::lines;
    }
    EXPECT_EQ(test::readFile(file), text);
}
