#include "shared/intents/ToggleReminderIntent.h"

#include "platform/events/EventSources.h"
#include "platform/time/Time.h"
#include "shared/storage/SharedStorage.h"
#include "shared/sync/EventSync.h"
#include "tests/support/TestSupport.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plyx;
namespace fs = std::filesystem;

TEST(ToggleReminderIntent, OneTextParameterCarriedByTheButtonAndRebuiltFromIt) {
    const auto& d = ToggleReminderIntent::descriptor();
    EXPECT_EQ(d.title, "Complete Reminder");
    ASSERT_EQ(d.parameters.size(), 1u);
    EXPECT_EQ(d.parameters[0].key, "reminderID");
    EXPECT_EQ(d.parameters[0].title, "Reminder ID");
    EXPECT_EQ(d.parameters[0].kind, intents::ParameterKind::string);
    EXPECT_EQ(ToggleReminderIntent().reminderID, "");
    EXPECT_EQ(ToggleReminderIntent::from(intents::Configuration::defaults(d))->reminderID, "");

    intents::IntentRegistry registry;
    registerToggleReminderIntent(registry);
    registerToggleReminderIntent(registry);
    for (const std::string id : {"call-maya", "", "a\"b\\c/d"}) {
        const std::string carried = intents::serialise(ToggleReminderIntent(id));
        std::string error;
        auto rebuilt = registry.rebuild(carried, &error);
        ASSERT_NE(rebuilt, nullptr) << error;
        EXPECT_EQ(rebuilt->type().type, "ToggleReminderIntent");
        EXPECT_EQ(dynamic_cast<ToggleReminderIntent&>(*rebuilt).reminderID, id);
    }
}

TEST(ToggleReminderIntent, ATapCompletesThenReopensAndAnEmptyIdentifierChangesNothing) {
    test::FreshStorage storage;
    test::TempDir dir;
    const fs::path fixtures = fs::path(PLYX_SOURCE_DIR) / "tests" / "shared" / "sync" / "fixtures" / "tasks";
    fs::copy(fixtures, dir.path() / "tasks", fs::copy_options::recursive);
    auto suite = SharedStorage::suite();
    events::setConfiguredSources(suite, {dir.path() / "tasks"});
    const Date now = time::dateFrom(2026, 3, 17, 15, 0);
    test::FakeClock clock(now);

    const fs::path file = dir.path() / "tasks" / "inbox" / "later.ics";
    const std::string before = test::readFile(file);
    EXPECT_FALSE(ToggleReminderIntent().perform());
    EXPECT_EQ(test::readFile(file), before);
    EXPECT_FALSE(EventSync::storedReminders().has_value());

    EXPECT_TRUE(ToggleReminderIntent("later").perform());
    EXPECT_NE(test::readFile(file).find("STATUS:COMPLETED"), std::string::npos);
    ASSERT_TRUE(EventSync::storedReminders().has_value());
    EXPECT_TRUE(EventSync::storedReminders()->items[1].done);
    EXPECT_TRUE(ToggleReminderIntent("later").perform());
    EXPECT_NE(test::readFile(file).find("STATUS:NEEDS-ACTION"), std::string::npos);
}
