#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "shared/storage/SharedStorage.h"
#include "tests/support/TestSupport.h"
#include "widgets/timelines/ClockWidgets.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <regex>

namespace plyx {
namespace {

using widgetkit::RequestMode;

struct ClockWorld {
    ClockWorld() {
        SharedStorage::setInteger(StorageKeys::timeFormat, 24);
        time::setCurrentZone("Europe/Berlin");
    }
    ~ClockWorld() { time::setCurrentZone("UTC"); }
    test::FreshStorage fresh;
    test::FakeClock clock{time::dateFrom(2026, 1, 5, 10, 15, 42, "UTC")};
};

// The texts an entry of `kind` draws, configured with `values`: the first
// entry of its timeline, or the one `minutes` later.
std::vector<std::string> textsOf(const char* kind, const std::string& values, int minutes = 0) {
    const auto* widget = PlyxWidgetsBundle::find(kind);
    EXPECT_NE(widget, nullptr) << kind;
    if (!widget) return {};
    const auto& c = widget->configuration;
    // Read as a stored configuration is: a stored city that names no zone is
    // still drawn (a new one is refused when given).
    const auto config = intents::Configuration::make(
        c.intent(), values.empty() ? intents::Json::object() : intents::Json::parse(values));
    EXPECT_TRUE(config) << values;
    if (!config) return {};
    const auto answer = widgetkit::request(c, RequestMode::timeline, *config, {});
    EXPECT_EQ(answer.entries.size(), 60u);
    const std::string dump = ui::dump(c.content(answer.entries.at(size_t(minutes))), widget->designSize(), {});
    static const std::regex text(R"re(Text \S+ \S+ text="([^"]*)")re");
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(dump.begin(), dump.end(), text); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[1]);
    return out;
}

TEST(ClockWidgets, AllTenAreInTheBundleWithTheirConfigurations) {
    const std::pair<const WidgetRow*, const char*> rows[] = {
        {&AnalogClassicWidget, "ClockConfigIntent"}, {&AnalogMinimalWidget, "ClockConfigIntent"},
        {&HybridClassicWidget, "ClockConfigIntent"}, {&HybridMinimalWidget, "ClockConfigIntent"},
        {&MatrixSmallWidget, "ClockConfigIntent"},   {&StackedClockWidget, "ClockConfigIntent"},
        {&MatrixMediumWidget, "ClockConfigIntent"},  {&WorldClockWidget, "WorldClockConfigIntent"},
        {&DotDialWidget, "ClockConfigIntent"},       {&DualClockWidget, "DualClockConfigIntent"},
    };
    for (const auto& [row, intent] : rows) {
        const auto* d = PlyxWidgetsBundle::find(row->kind);
        ASSERT_NE(d, nullptr) << row->kind;
        EXPECT_EQ(d->configuration.intent().type, intent);
        EXPECT_EQ(d->row.link, nullptr);
    }
    // The clocks lead the bundle, in their rows' order.
    const auto& all = PlyxWidgetsBundle::declarations();
    ASSERT_GE(all.size(), 10u);
    for (size_t i = 0; i < 10; ++i) EXPECT_EQ(all[i].row.kind, rows[i].first->kind);
}

TEST(ClockWidgets, SingleCityClocksDrawTheirCityOrTheCurrentZone) {
    ClockWorld world;
    // 10:15 UTC is 11:15 in Berlin and 19:15 in Tokyo.
    EXPECT_EQ(textsOf("plyx.clock.matrixSmall", R"({"city":"Asia/Tokyo"})"),
              (std::vector<std::string>{"TOKYO", "19", "15", "MON, JAN 5"}));
    EXPECT_EQ(textsOf("plyx.clock.matrixSmall", ""), (std::vector<std::string>{"BERLIN", "11", "15", "MON, JAN 5"}));
    // A city the system does not know keeps its name and runs on the current zone.
    EXPECT_EQ(textsOf("plyx.clock.matrixSmall", R"({"city":"Mars/Olympus_Mons"})"),
              (std::vector<std::string>{"OLYMPUS MONS", "11", "15", "MON, JAN 5"}));
    EXPECT_EQ(textsOf("plyx.clock.matrixSmall", R"({"city":"NoSlash"})"),
              (std::vector<std::string>{"NOSLASH", "11", "15", "MON, JAN 5"}));
    // Each entry draws its own minute.
    EXPECT_EQ(textsOf("plyx.clock.stacked", R"({"city":"Asia/Kolkata"})", 59),
              (std::vector<std::string>{"16", "44", "GMT+5:30"}));
    EXPECT_EQ(textsOf("plyx.clock.hybridMinimal", ""), (std::vector<std::string>{"11", "15"}));
    EXPECT_TRUE(textsOf("plyx.clock.analogMinimal", "").empty());
    EXPECT_EQ(textsOf("plyx.clock.dotDial", ""), (std::vector<std::string>{"12", "3", "6", "9"}));
}

TEST(ClockWidgets, WorldAndDualZoneFallbacks) {
    ClockWorld world;
    EXPECT_EQ(textsOf("plyx.clock.world", ""),
              (std::vector<std::string>{"BERLIN", "11", "15", "NEW YORK", "05", "15", "TOKYO", "19", "15"}));
    EXPECT_EQ(textsOf("plyx.clock.world", R"({"city1":"Asia/Tokyo","city2":"Mars/Olympus"})"),
              (std::vector<std::string>{"TOKYO", "19", "15", "BERLIN", "11", "15", "TOKYO", "19", "15"}));

    EXPECT_EQ(textsOf("plyx.clock.dual", ""),
              (std::vector<std::string>{"HOME", "11", "15", "GMT+1 \u00B7 DAY", "SYDNEY", "21", "15",
                                        "GMT+11 \u00B7 NIGHT"}));
    // An away city the system does not know shows the current zone, not Sydney.
    EXPECT_EQ(textsOf("plyx.clock.dual", R"({"home":"America/Los_Angeles","away":"Mars/Olympus"})"),
              (std::vector<std::string>{"HOME", "02", "15", "GMT-8 \u00B7 NIGHT", "BERLIN", "11", "15",
                                        "GMT+1 \u00B7 DAY"}));
}

} // namespace
} // namespace plyx
