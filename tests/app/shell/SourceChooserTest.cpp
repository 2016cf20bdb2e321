// The question the application asks when reminders or calendars are
// connected and none of the usual places holds any, with a double for the
// dialogs: asked on the main thread, cancelling refuses, the answer is kept.
#include "app/shell/SourceChooser.h"

#include "platform/events/EventSources.h"
#include "shared/storage/SharedStorage.h"
#include "shared/sync/EventSync.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"
#include "tests/support/gui/WidgetsApp.h"

#include <gtest/gtest.h>

#include <QThread>
#include <QtConcurrent>

namespace plyx {
namespace {

namespace fs = std::filesystem;

TEST(SourceChooser, AsksOnTheMainThreadWhenNothingIsFoundAndKeepsTheAnswer) {
    QApplication& app = test::widgetsApp();
    // A home with none of the usual calendar places.
    test::TempDir home;
    test::ScopedEnv homeEnv("HOME", home.path().string());
    test::ScopedEnv dataEnv("XDG_DATA_HOME", (home.path() / "data").string());
    auto suite = SharedStorage::suite();
    events::setConfiguredSources(suite, {});
    const fs::path picked = home.path() / "Sync" / "calendars";
    fs::create_directories(picked / "personal");

    int asked = 0;
    bool onMainThread = false;
    std::optional<events::EntityType> askedFor;
    std::optional<fs::path> answer;
    installSourceChooser([&](events::EntityType type) {
        ++asked;
        onMainThread = QThread::currentThread() == app.thread();
        askedFor = type;
        return answer;
    });
    // As the services ask: on a worker, the main thread running its loop.
    auto request = [](bool (*ask)()) {
        auto f = QtConcurrent::run(ask);
        EXPECT_TRUE(test::spinUntil([&] { return f.isFinished(); }));
        return f.result();
    };

    // Cancelled: refused, nothing kept.
    EXPECT_FALSE(request(&EventSync::requestRemindersAccess));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(onMainThread);
    EXPECT_EQ(askedFor, events::EntityType::reminder);
    EXPECT_TRUE(EventSync::sources().empty());

    // A folder chosen: granted and kept for later starts, which ask no more.
    answer = picked;
    EXPECT_TRUE(request(&EventSync::requestCalendarAccess));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(askedFor, events::EntityType::event);
    EXPECT_EQ(EventSync::sources(), std::vector<fs::path>{picked});
    EXPECT_TRUE(request(&EventSync::requestRemindersAccess));
    EXPECT_EQ(asked, 2);

    events::setSourceAsker({});
    events::setConfiguredSources(suite, {});
}

} // namespace
} // namespace plyx
