#include "platform/time/Time.h"
#include "platform/widgetkit/WidgetHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"
#include "widgets/timelines/SystemWidgets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace plyx;
using widgetkit::WidgetFamily;

TEST(PlyxWidgetsBundle, KindsAreUniquePlyxNamesAndEachFamilyMatchesItsDesignSize) {
    const auto& declared = PlyxWidgetsBundle::declarations();
    ASSERT_FALSE(declared.empty());
    std::set<std::string> kinds;
    for (const auto& d : declared) {
        const auto& c = d.configuration;
        SCOPED_TRACE(c.kind());
        EXPECT_EQ(c.kind().rfind("plyx.", 0), 0u);
        EXPECT_TRUE(kinds.insert(c.kind()).second) << "kind listed twice";
        ASSERT_EQ(c.supportedFamilies().size(), 1u);
        EXPECT_EQ(d.designSize, widgetkit::designSize(c.supportedFamilies().front()));
        EXPECT_TRUE(c.areContentMarginsDisabled());
        EXPECT_FALSE(c.displayName().empty());
        EXPECT_FALSE(c.description().empty());
    }
    EXPECT_EQ(PlyxWidgetsBundle::bundle().widgets().size(), declared.size());
}

TEST(PlyxWidgetsBundle, TheSystemGroupIsDeclaredAsListed) {
    struct Row {
        const char* kind;
        const char* name;
        const char* description;
        WidgetFamily family;
        WidgetPalette::Tone tone;
        int refreshMinutes;
    };
    const Row rows[] = {
        {"plyx.system.monitor", "System", "CPU, memory and GPU load.", WidgetFamily::systemMedium,
         WidgetPalette::Tone::dark, 15},
        {"plyx.system.network", "Network", "Average throughput since last refresh.", WidgetFamily::systemSmall,
         WidgetPalette::Tone::light, 15},
        {"plyx.system.storage", "Storage", "Disk used, as a ring.", WidgetFamily::systemSmall,
         WidgetPalette::Tone::dark, 360},
    };
    test::FreshStorage storage;
    const auto& declared = PlyxWidgetsBundle::declarations();
    size_t previous = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.kind);
        auto it = std::find_if(declared.begin(), declared.end(),
                               [&](const DeclaredWidget& d) { return d.configuration.kind() == r.kind; });
        ASSERT_NE(it, declared.end());
        const size_t at = static_cast<size_t>(it - declared.begin());
        if (&r != rows) {
            EXPECT_EQ(at, previous + 1) << "the group stands together, in this order";
        }
        previous = at;
        EXPECT_EQ(it->configuration.displayName(), r.name);
        EXPECT_EQ(it->configuration.description(), r.description);
        EXPECT_EQ(it->configuration.supportedFamilies(), std::vector<WidgetFamily>{r.family});
        EXPECT_EQ(it->tone, r.tone);
        EXPECT_EQ(it->configuration.intent().type, "SurfaceConfigIntent");

        // A live timeline of one entry, asked again the widget's minutes later.
        time::setClock([] { return Date{700'000'000}; });
        const auto answer = widgetkit::request(it->configuration, widgetkit::RequestMode::timeline,
                                               intents::Configuration::defaults(it->configuration.intent()), {});
        time::setClock({});
        EXPECT_EQ(answer.entries.size(), 1u);
        EXPECT_EQ(answer.policy, widgetkit::TimelineReloadPolicy::after(Date{700'000'000} + r.refreshMinutes * 60.0));
    }
}
