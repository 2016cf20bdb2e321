#include "platform/widgetkit/WidgetHost.h"
#include "tests/support/TestSupport.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>

using namespace plyx;

namespace {

// Distinct opaque-enough colours in the image, up to `enough`.
std::size_t colours(const QImage& image, std::size_t enough) {
    std::set<QRgb> seen;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); y += 2)
        for (int x = 0; x < argb.width(); x += 2) {
            const QRgb p = argb.pixel(x, y);
            if (qAlpha(p) < 16) continue;
            seen.insert(p);
            if (seen.size() >= enough) return seen.size();
        }
    return seen.size();
}

} // namespace

// Every widget, drawn from its preview sample at its family's size, shows
// something beyond its background in each rendering mode.
TEST(BundleRender, EveryDeclaredWidgetDrawsContentInEveryRenderingMode) {
    test::FreshStorage fresh;
    const auto& all = PlyxWidgetsBundle::declarations();
    ASSERT_FALSE(all.empty());
    for (const auto& d : all) {
        const auto config = intents::Configuration::defaults(d.configuration.intent());
        widgetkit::TimelineProviderContext ctx;
        ctx.family = d.row.family;
        ctx.displaySize = d.designSize();
        const auto answer = widgetkit::request(d.configuration, widgetkit::RequestMode::preview, config, ctx);
        ASSERT_EQ(answer.entries.size(), 1u) << d.row.kind;
        for (const auto mode : {ui::RenderingMode::fullColor, ui::RenderingMode::accented, ui::RenderingMode::vibrant}) {
            SCOPED_TRACE(std::string(d.row.kind) + " mode " + std::to_string(int(mode)));
            ui::Environment env;
            env.renderingMode = mode;
            env.displayScale = 2;
            env.now = answer.entries[0].date;
            const auto result = widgetkit::renderEntry(d.configuration, answer.entries[0], d.designSize(), 2, env);
            EXPECT_EQ(result.image.width(), int(d.designSize().width * 2));
            EXPECT_EQ(result.image.height(), int(d.designSize().height * 2));
            // A background alone is one colour (two with its rounded edge's blend);
            // content brings more.
            EXPECT_GE(colours(result.image, 8), 8u);
        }
    }
}
