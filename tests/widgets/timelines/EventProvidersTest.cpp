#include "platform/events/EventSources.h"
#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/storage/SharedStorage.h"
#include "shared/sync/EventSync.h"
#include "tests/support/TestSupport.h"
#include "widgets/timelines/EventProviders.h"
#include "widgets/timelines/EventWidgets.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plyx;
namespace fs = std::filesystem;
using widgetkit::TimelineProviderContext;

namespace {

const fs::path kTasks = fs::path(PLYX_SOURCE_DIR) / "tests" / "shared" / "sync" / "fixtures" / "tasks";
const fs::path kCalendar = fs::path(PLYX_SOURCE_DIR) / "tests" / "shared" / "sync" / "fixtures" / "calendar.ics";

// A fresh suite with `sources` configured and the clock stopped on a
// Tuesday afternoon of the fixtures.
struct World {
    test::FreshStorage storage;
    Date now = time::dateFrom(2026, 3, 17, 15, 0);
    explicit World(std::vector<fs::path> sources = {}) {
        auto suite = SharedStorage::suite();
        events::setConfiguredSources(suite, sources);
    }
    test::FakeClock clock{now};
};

TimelineProviderContext preview(bool on) {
    TimelineProviderContext ctx;
    ctx.isPreview = on;
    return ctx;
}

const SurfaceConfigIntent kGlass{SurfaceOption::glass};

} // namespace

TEST(EventProviders, WithoutAccessAndNothingStoredTimelinesAreEmptyAndPreviewsShowTheSamples) {
    World w;
    const auto reminders = RemindersProvider{}.timeline(kGlass, {});
    ASSERT_EQ(reminders.entries.size(), 1u);
    EXPECT_EQ(reminders.entries[0].data, RemindersSnapshot{});
    EXPECT_EQ(reminders.entries[0].surface, SurfaceOption::glass);
    EXPECT_EQ(reminders.entries[0].date, w.now);
    EXPECT_EQ(reminders.policy, widgetkit::TimelineReloadPolicy::after(w.now + 900));
    const auto calendar = CalendarProvider{}.timeline(kGlass, {});
    ASSERT_EQ(calendar.entries.size(), 1u);
    EXPECT_EQ(calendar.entries[0].data, CalendarSnapshot{});
    EXPECT_EQ(calendar.policy, widgetkit::TimelineReloadPolicy::after(w.now + 900));

    for (bool inGallery : {true, false}) {
        EXPECT_EQ(RemindersProvider{}.snapshot(kGlass, preview(inGallery)).data, RemindersSnapshot::sample());
        EXPECT_EQ(CalendarProvider{}.snapshot(kGlass, preview(inGallery)).data, CalendarSnapshot::sample());
    }
    // A placeholder is drawn on the app's background whatever is configured.
    EXPECT_EQ(RemindersProvider{}.placeholder({}).surface, SurfaceOption::followApp);
    EXPECT_EQ(CalendarProvider{}.placeholder({}).data, CalendarSnapshot::sample());
    EXPECT_FALSE(EventSync::storedReminders().has_value());
}

TEST(EventProviders, WithAccessEveryReadIsStoredAndShownAnEmptyOneToo) {
    World w({kTasks, kCalendar});
    const auto r = RemindersProvider{}.timeline(kGlass, {}).entries.at(0).data;
    EXPECT_EQ(r.nextUp->id, "soon");
    EXPECT_EQ(EventSync::storedReminders(), r);
    const auto c = CalendarProvider{}.timeline(kGlass, {}).entries.at(0).data;
    EXPECT_EQ(c.events.size(), 6u);
    EXPECT_EQ(EventSync::storedCalendar(), c);
    // The gallery still shows the samples and reads nothing.
    EXPECT_EQ(RemindersProvider{}.snapshot(kGlass, preview(true)).data, RemindersSnapshot::sample());

    test::TempDir empty;
    auto suite = SharedStorage::suite();
    events::setConfiguredSources(suite, {empty.path()});
    const auto none = RemindersProvider{}.snapshot(kGlass, preview(false)).data;
    EXPECT_TRUE(none.items.empty());
    EXPECT_EQ(EventSync::storedReminders(), RemindersSnapshot{});
}

TEST(EventProviders, ASourceMadeUnreadableKeepsTheStoredSnapshot) {
    test::TempDir dir;
    fs::copy(kTasks, dir.path() / "tasks", fs::copy_options::recursive);
    World w({dir.path() / "tasks"});
    const auto first = RemindersProvider{}.timeline(kGlass, {}).entries.at(0).data;
    ASSERT_FALSE(first.items.empty());

    fs::remove_all(dir.path() / "tasks");
    const auto later = RemindersProvider{}.timeline(kGlass, {}).entries.at(0).data;
    EXPECT_EQ(later, first);
    EXPECT_EQ(EventSync::storedReminders(), first);
    EXPECT_EQ(RemindersProvider{}.snapshot(kGlass, preview(false)).data, first);
}

TEST(EventWidgets, EightWidgetsOpenTheirAppAndDrawTheirProvidersEntries) {
    World w({kTasks, kCalendar});
    struct Case {
        const WidgetRow& row;
        const char* link;
        const char* shows;  // a text the widget draws from the fixtures
    };
    const Case cases[] = {
        {RemindersChecklistWidget, kRemindersLink, "Water the monstera"},
        {RemindersNextUpWidget, kRemindersLink, "Call Maya \u00B7 15:01"},
        {RemindersSingleWidget, kRemindersLink, "09:00 \u00B7 SOON"},
        {RemindersTodayWidget, kRemindersLink, "Pay rent"},
        {CalendarBigDateWidget, kCalendarLink, "17"},
        {CalendarMonthGridWidget, kCalendarLink, "14 DAYS LEFT"},
        {CalendarDayEventsWidget, kCalendarLink, "Coffee"},
        {CalendarAgendaWidget, kCalendarLink, "DAY 50%"},
    };
    SharedStorage::setInteger(StorageKeys::timeFormat, 24);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.kind);
        const auto* d = PlyxWidgetsBundle::find(c.row.kind);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(std::string(d->row.link), c.link);
        const auto& widget = d->configuration;
        const auto answer = widgetkit::request(widget, widgetkit::RequestMode::timeline,
                                               intents::Configuration::defaults(widget.intent()), {});
        ASSERT_EQ(answer.entries.size(), 1u);
        const auto dump = ui::dump(widget.content(answer.entries[0]), d->designSize(), {});
        EXPECT_NE(dump.find(std::string(" url=") + c.link), std::string::npos);
        EXPECT_NE(dump.find(std::string("text=\"") + c.shows + "\""), std::string::npos) << dump;
    }
}
