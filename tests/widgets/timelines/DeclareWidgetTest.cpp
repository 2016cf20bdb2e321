#include "platform/widgetkit/WidgetHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/timelines/DeclareWidget.h"
#include "widgets/timelines/LocalProvider.h"

#include <gtest/gtest.h>

using namespace plyx;

namespace {

int sampleValue() { return 5; }

widgetkit::WidgetConfiguration counter(const char* link) {
    const WidgetRow row{"plyx.test.counter", "Counter", "Counts.", kSmall, kLight, link};
    return declare(row, LocalProvider<int>{4, &sampleValue, 15}, [](const PlyxEntry<int>& e, const WCtx& ctx) {
               // The view sees the entry and the root's scale unit.
               return ui::Text("count " + std::to_string(e.data) + " u " + std::to_string(int(ctx.u * 100)));
           })
        .configuration;
}

} // namespace

TEST(DeclareWidget, ContentIsTheRootHoldingTheViewAndOpensTheLinkWhenOneIsSet) {
    test::FreshStorage storage;
    for (const char* link : {static_cast<const char*>(nullptr), "plyxwidgets://notes"}) {
        SCOPED_TRACE(link ? link : "no link");
        const auto widget = counter(link);
        EXPECT_EQ(widget.kind(), "plyx.test.counter");
        EXPECT_EQ(widget.supportedFamilies(),
                  std::vector<widgetkit::WidgetFamily>{widgetkit::WidgetFamily::systemSmall});
        const auto answer = widgetkit::request(widget, widgetkit::RequestMode::timeline,
                                               intents::Configuration::defaults(widget.intent()), {});
        // Offered twice the design size: the root hands the view u = 2.
        const auto view = widget.content(answer.entries.at(0));
        const auto dump = ui::dump(view, {320, 320}, {});
        EXPECT_NE(dump.find("count 5 u 200"), std::string::npos) << dump;
        const auto hits = ui::render(view, {320, 320}, 1, {}).hits;
        if (link) {
            const auto* hit = ui::hitTest(hits, {300, 300});
            ASSERT_NE(hit, nullptr);
            EXPECT_EQ(hit->kind, ui::HitKind::link);
            EXPECT_EQ(hit->payload, link);
        } else {
            EXPECT_TRUE(hits.empty());
        }
    }
}
