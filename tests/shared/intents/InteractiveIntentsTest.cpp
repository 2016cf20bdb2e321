// The six interactive intents as one table, their plain forms, and the reload
// that follows a change: each kind in order, then the notification, also for
// no kinds.
#include "shared/intents/InteractiveIntents.h"
#include "shared/intents/ReloadKinds.h"

#include "platform/bus/Bus.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/identity/AppIdentity.h"
#include "tests/support/bus/PrivateBus.h"

#include <gtest/gtest.h>

namespace plyx {
namespace {

using intents::ParameterKind;

TEST(InteractiveIntents, TheTableNamesEachTypeItsTitleParametersAndReloadedKind) {
    struct Row {
        InteractiveIntentKind which;
        const char* type;
        const char* title;
        const char* kind;
        std::vector<std::tuple<std::string, std::string, ParameterKind, intents::Json>> parameters;
    };
    const Row expected[] = {
        {InteractiveIntentKind::focusToggle, "FocusToggleIntent", "Start or Stop Focus", "plyx.focus.timer", {}},
        {InteractiveIntentKind::stopwatchToggle, "StopwatchToggleIntent", "Start or Lap Stopwatch", "plyx.stopwatch", {}},
        {InteractiveIntentKind::stopwatchReset, "StopwatchResetIntent", "Reset Stopwatch", "plyx.stopwatch", {}},
        {InteractiveIntentKind::habitToggle, "HabitToggleIntent", "Check In Habit", "plyx.habits.week",
         {{"habitID", "Habit ID", ParameterKind::string, nullptr}}},
        {InteractiveIntentKind::addWater, "AddWaterIntent", "Log a Glass of Water", "plyx.water", {}},
        {InteractiveIntentKind::addSteps, "AddStepsIntent", "Log Steps", "plyx.steps",
         {{"steps", "Steps", ParameterKind::integer, 1000}}},
    };
    const auto& table = interactiveIntentTable();
    ASSERT_EQ(table.size(), std::size(expected));
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(expected[i].type);
        EXPECT_EQ(table[i].which, expected[i].which);
        EXPECT_EQ(table[i].descriptor.type, expected[i].type);
        EXPECT_EQ(table[i].descriptor.title, expected[i].title);
        EXPECT_STREQ(table[i].reloadedKind, expected[i].kind);
        std::vector<std::tuple<std::string, std::string, ParameterKind, intents::Json>> params;
        for (const auto& p : table[i].descriptor.parameters) {
            params.emplace_back(p.key, p.title, p.kind, p.defaultValue);
            EXPECT_FALSE(p.optional);
        }
        EXPECT_EQ(params, expected[i].parameters);
    }
}

TEST(InteractiveIntents, PlainFormsRebuildToTheButtonsIntentsWithTheirDefaults) {
    intents::IntentRegistry registry;
    registerInteractiveIntents(registry);
    registerInteractiveIntents(registry);  // a second registration keeps the first
    for (const auto& row : interactiveIntentTable()) {
        SCOPED_TRACE(row.descriptor.type);
        std::string error;
        auto intent = registry.rebuild(R"({"type":")" + row.descriptor.type + "\"}", &error);
        ASSERT_TRUE(intent) << error;
        EXPECT_EQ(&intent->type(), &row.descriptor);
    }
    EXPECT_EQ(AddStepsIntent().steps, 1000);
    EXPECT_EQ(serialise(AddStepsIntent()), R"({"type":"AddStepsIntent","parameters":{"steps":1000}})");
    EXPECT_EQ(HabitToggleIntent().habitID, "");
    EXPECT_EQ(serialise(HabitToggleIntent("E621E1F8-C36C-495A-93FC-0C247A3E6E5F")),
              R"({"type":"HabitToggleIntent","parameters":{"habitID":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F"}})");
    EXPECT_EQ(serialise(FocusToggleIntent()), R"({"type":"FocusToggleIntent","parameters":{}})");

    auto steps = registry.rebuild(R"({"type":"AddStepsIntent","parameters":{"steps":250.0}})");
    ASSERT_TRUE(steps);
    EXPECT_EQ(dynamic_cast<AddStepsIntent&>(*steps).steps, 250);
    std::string error;
    EXPECT_FALSE(registry.rebuild(R"({"type":"HabitToggleIntent","parameters":{"habitID":42}})", &error));
    EXPECT_NE(error.find("habitID"), std::string::npos) << error;
}

TEST(ReloadKinds, ReloadsEachKindInOrderThenPostsAlsoForNoKinds) {
    if (test::privateBusAddress().empty()) GTEST_SKIP() << "dbus-daemon could not be started";
    test::coreApp();
    AppIdentity::configurePlatform(AppIdentity::Program::extension);
    std::vector<std::string> heard;
    widgetkit::WidgetReloadListener reloads([&](const std::optional<std::string>& kind) {
        heard.push_back("reload " + kind.value_or("all"));
    });
    auto posts = bus::observe(kReloadWidgetsNotification, [&] { heard.push_back("posted"); });
    ASSERT_TRUE(reloads.isListening() && posts->isObserving());

    reloadKinds({});
    ASSERT_TRUE(test::spinUntil([&] { return heard.size() == 1; }));
    EXPECT_EQ(heard, (std::vector<std::string>{"posted"}));

    reloadKinds({"plyx.water", "plyx.steps"});
    ASSERT_TRUE(test::spinUntil([&] { return heard.size() == 4; }));
    EXPECT_EQ(heard, (std::vector<std::string>{"posted", "reload plyx.water", "reload plyx.steps", "posted"}));
}

} // namespace
} // namespace plyx
