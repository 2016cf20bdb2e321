#include "shared/sync/EventSync.h"

#include "platform/events/EventSources.h"
#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plyx;
namespace fs = std::filesystem;

namespace {

const fs::path kFixtures = PLYX_FIXTURES;

// A fresh suite with the given sources configured, times in 24-hour form,
// and the clock stopped at `now` until the end of the scope.
struct SyncWorld {
    test::FreshStorage storage;
    explicit SyncWorld(std::vector<fs::path> sources) {
        auto suite = SharedStorage::suite();
        events::setConfiguredSources(suite, sources);
        SharedStorage::setInteger(StorageKeys::timeFormat, 24);
    }
    test::FakeClock clock;
    void at(int h, int m, int s = 0, int day = 17) { clock.set(time::dateFrom(2026, 3, day, h, m, s)); }
};

std::string describe(const ReminderItem& r) {
    return r.id + (r.done ? " done" : "") + (r.isUrgent ? " urgent" : "") + (r.time ? " " + *r.time : "");
}

std::vector<std::string> describe(const std::vector<ReminderItem>& items) {
    std::vector<std::string> out;
    for (const auto& r : items) out.push_back(describe(r));
    return out;
}

} // namespace

TEST(EventSyncReminders, TodayIsTheLastTwoDoneThenTheOpenOnesByDueDate) {
    SyncWorld s({kFixtures / "tasks"});
    s.at(15, 0);
    const auto snap = EventSync::readReminders();
    ASSERT_TRUE(snap.has_value());
    // Five done today give the last two; the overdue one and the date-only
    // one (due at the start of today) are urgent; undated comes last, with
    // no time and never urgent; tomorrow's is not listed.
    EXPECT_EQ(describe(snap->items),
              (std::vector<std::string>{"done-4 done", "done-5 done", "overdue urgent 09:00", "dateonly urgent",
                                        "soon urgent 15:01", "soon2 urgent 15:02", "later 20:00", "undated"}));
    EXPECT_EQ(snap->items.back().title, "Untitled");
    EXPECT_EQ(snap->items[2].title, "Water the monstera");
}

TEST(EventSyncReminders, TheNextOneIsTheFirstDueStrictlyLaterWithWholeMinutesOfAtLeastOne) {
    SyncWorld s({kFixtures / "tasks"});
    struct Case {
        int h, m, sec;
        std::optional<std::string> next;
        std::optional<std::int64_t> minutes;
    };
    const Case cases[] = {
        {15, 0, 0, "soon", 1},      // 90 s
        {14, 59, 0, "soon", 2},     // 150 s
        {15, 1, 30, "soon2", 1},    // due exactly now is not ahead; 60 s
        {15, 2, 20, "soon2", 1},    // 10 s still counts as a minute
        {19, 0, 0, "later", 60},
        {20, 0, 1, std::nullopt, std::nullopt},  // only overdue and undated left
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.h) + ":" + std::to_string(c.m) + ":" + std::to_string(c.sec));
        s.at(c.h, c.m, c.sec);
        const auto snap = EventSync::readReminders();
        ASSERT_TRUE(snap.has_value());
        EXPECT_EQ(snap->nextUp ? std::optional(snap->nextUp->id) : std::nullopt, c.next);
        EXPECT_EQ(snap->minutesToNext, c.minutes);
        if (snap->nextUp) {
            EXPECT_FALSE(snap->nextUp->done);
        }
    }
}

TEST(EventSyncCalendar, SixTimedEventsWithTheirFlagsAndDetails) {
    SyncWorld s({kFixtures / "calendar.ics"});
    s.at(11, 0);
    const auto snap = EventSync::readCalendar();
    ASSERT_TRUE(snap.has_value());
    // Eight timed events give the first six; the all-day one never shows.
    // The weekly planning's instance today was moved to 14:00.
    struct Want {
        const char *start, *end, *title, *detail;
        bool past, next;
    };
    const Want want[] = {
        {"09:00", "10:00", "Standup", "Done", true, false},
        {"10:30", "11:30", "Workshop", "60 min", false, false},  // in progress: neither
        {"12:00", "13:30", "Design review", "Conference Room Aurora N \u00B7 90 min", false, true},
        {"14:00", "14:30", "Weekly planning (moved)", "30 min", false, false},
        {"16:00", "16:45", "Coffee", "45 min", false, false},
        {"17:00", "18:00", "Gym", "60 min", false, false},
    };
    ASSERT_EQ(snap->events.size(), std::size(want));
    for (size_t i = 0; i < std::size(want); ++i) {
        SCOPED_TRACE(want[i].title);
        const auto& e = snap->events[i];
        EXPECT_EQ(e.start, want[i].start);
        EXPECT_EQ(e.end, want[i].end);
        EXPECT_EQ(e.title, want[i].title);
        EXPECT_EQ(e.detail, want[i].detail);
        EXPECT_EQ(e.isPast, want[i].past);
        EXPECT_EQ(e.isNext, want[i].next);
    }
    EXPECT_EQ(snap->events[0].id, "standup");
    // An event without a UID gets a fresh identifier on every reading.
    EXPECT_TRUE(Uuid::parse(snap->events[4].id).has_value());
    EXPECT_NE(EventSync::readCalendar()->events[4].id, snap->events[4].id);
}

TEST(EventSyncCalendar, DayProgressRunsFromSevenToElevenInPlainSeconds) {
    struct Case {
        const char* zone;
        int day, h, m;
        double want;
    };
    const Case cases[] = {
        {"UTC", 17, 6, 0, 0.0},
        {"UTC", 17, 15, 0, 0.5},
        {"UTC", 17, 23, 30, 1.0},
        // The clocks went forward that night: 15:00 local is 14 hours after
        // midnight, so the window (shifted with the change) is 7/16 gone.
        {"Europe/Berlin", 29, 15, 0, 7.0 / 16.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.h));
        time::setCurrentZone(c.zone);
        const Date now = time::dateFrom(2026, 3, c.day, c.h, c.m);
        const auto snap = EventSync::calendarSnapshot({}, time::startOfDay(now), now);
        time::setCurrentZone("UTC");
        EXPECT_DOUBLE_EQ(snap.dayProgress, c.want);
        EXPECT_TRUE(snap.events.empty());
    }
}

TEST(EventSyncStorage, SnapshotsRoundTripAndUnreadableValuesReadAsNone) {
    test::FreshStorage storage;
    EXPECT_FALSE(EventSync::storedReminders().has_value());
    EXPECT_FALSE(EventSync::storedCalendar().has_value());

    RemindersSnapshot r{{{"a", "A", "9:00", false, true}, {"b", "B", std::nullopt, true, false}}, std::nullopt,
                        std::nullopt};
    EventSync::storeReminders(r);
    EXPECT_EQ(EventSync::storedReminders(), r);
    // Absent optionals are left out of the stored form.
    const auto text = SharedStorage::suite().data(StorageKeys::remindersSnapshot);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->find("nextUp"), std::string::npos);
    EXPECT_EQ(text->find("minutesToNext"), std::string::npos);

    EventSync::storeCalendar(CalendarSnapshot::sample());
    EXPECT_EQ(EventSync::storedCalendar(), CalendarSnapshot::sample());

    // A progress that cannot be encoded leaves the stored one.
    EventSync::storeCalendar(CalendarSnapshot{{}, std::nan("")});
    EXPECT_EQ(EventSync::storedCalendar(), CalendarSnapshot::sample());

    SharedStorage::suite().setData(StorageKeys::remindersSnapshot, "{\"items\":[{\"id\":1}]}");
    EXPECT_FALSE(EventSync::storedReminders().has_value());
}

TEST(EventSyncToggle, ATickCompletesAndASecondReopensAndTheSnapshotFollows) {
    test::TempDir dir;
    fs::copy(kFixtures / "tasks", dir.path() / "tasks", fs::copy_options::recursive);
    SyncWorld s({dir.path() / "tasks"});
    s.at(15, 0);

    EventSync::toggleReminder("later");
    auto stored = EventSync::storedReminders();
    ASSERT_TRUE(stored.has_value());
    // Completed now, it is the latest done one and no longer open.
    EXPECT_EQ(describe(stored->items[1]), "later done 20:00");
    EXPECT_EQ(stored->items.size(), 7u);

    EventSync::toggleReminder("later");
    stored = EventSync::storedReminders();
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(describe(stored->items[6]), "later 20:00");
    EXPECT_EQ(describe(stored->items[1]), "done-5 done");
}

TEST(EventSyncToggle, EventsUnknownIdentifiersAndUnreadableSourcesStoreNothing) {
    test::TempDir dir;
    fs::copy(kFixtures / "calendar.ics", dir.path() / "calendar.ics");
    const std::string before = test::readFile(dir.path() / "calendar.ics");
    SyncWorld s({dir.path() / "calendar.ics"});
    s.at(11, 0);
    for (const char* id : {"review", "nobody", ""}) EventSync::toggleReminder(id);
    EXPECT_FALSE(EventSync::storedReminders().has_value());
    EXPECT_EQ(test::readFile(dir.path() / "calendar.ics"), before);
}

TEST(EventSyncReading, AFailedReadGivesNoSnapshotWhileAnEmptyOneGivesAnEmptySnapshot) {
    {
        SyncWorld s({kFixtures / "vanished"});
        s.at(12, 0);
        EXPECT_FALSE(EventSync::readReminders().has_value());
        EXPECT_FALSE(EventSync::readCalendar().has_value());
        EXPECT_EQ(EventSync::authorizationStatus(events::EntityType::reminder), events::AuthorizationStatus::denied);
    }
    {
        test::TempDir empty;
        SyncWorld s({empty.path()});
        s.at(15, 0);
        const auto r = EventSync::readReminders();
        ASSERT_TRUE(r.has_value());
        EXPECT_TRUE(r->items.empty());
        EXPECT_FALSE(r->nextUp.has_value());
        EXPECT_FALSE(r->minutesToNext.has_value());
        const auto c = EventSync::readCalendar();
        ASSERT_TRUE(c.has_value());
        EXPECT_TRUE(c->events.empty());
        EXPECT_DOUBLE_EQ(c->dayProgress, 0.5);
    }
}

TEST(EventSyncAccess, RequestsStoreTheSourcesBothProgramsRead) {
    test::FreshStorage storage;
    test::TempDir home;
    test::ScopedEnv env("HOME", home.path().string());
    EXPECT_EQ(EventSync::authorizationStatus(events::EntityType::event), events::AuthorizationStatus::notDetermined);
    EXPECT_FALSE(EventSync::requestCalendarAccess());
    events::setSourceAsker([](events::EntityType) { return std::optional<fs::path>(kFixtures / "calendar.ics"); });
    EXPECT_TRUE(EventSync::requestRemindersAccess());
    events::setSourceAsker({});
    EXPECT_TRUE(EventSync::requestCalendarAccess());
    EXPECT_EQ(EventSync::sources(), std::vector<fs::path>{kFixtures / "calendar.ics"});
    EXPECT_EQ(EventSync::authorizationStatus(events::EntityType::event), events::AuthorizationStatus::fullAccess);
}
