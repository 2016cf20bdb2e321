// A sample widget drawn through the root on each background, with text in
// both resource faces and a few symbols. The background is probed; when
// PLYX_TEST_ARTIFACTS is set the images are written there for a person to look at.
#include "platform/ui/View.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/foundation/ThemeStore.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plyx {
namespace {

ui::View sampleContent(const WCtx& ctx) {
    const double u = ctx.u;
    const auto& p = ctx.pal;
    auto symbol = [&](const char* name, const ui::Color& c) {
        return ui::Image(name).resizable().frame(18 * u, 18 * u).foregroundColor(c);
    };
    return ui::VStack(
               {
                   ui::HStack({ui::Text("WEATHER · LONDON")
                                   .font(PlyxFonts::label(9 * u, ctx.theme.labels))
                                   .tracking(0.9 * u)
                                   .foregroundColor(p.inkDim),
                               ui::Spacer(), symbol("cloud.sun", p.accent)}),
                   ui::Spacer(),
                   ui::Text("12:45")
                       .font(PlyxFonts::numerals(44 * u, ThemeSettings::NumeralStyle::dotMatrix, ui::FontWeight::black))
                       .foregroundColor(p.ink),
                   ui::HStack({ui::Text("23°")
                                   .font(PlyxFonts::numerals(20 * u, ThemeSettings::NumeralStyle::mono,
                                                             ui::FontWeight::regular))
                                   .foregroundColor(p.ink),
                               ui::Text("Partly cloudy").font(ui::Font::system(11 * u, ui::FontWeight::medium))
                                   .foregroundColor(p.inkFaint),
                               ui::Spacer()},
                              ui::VerticalAlignment::firstTextBaseline),
                   ui::HStack({symbol("play.fill", p.ink), symbol("checkmark", p.fill), symbol("battery.75percent", p.inkDim),
                               ui::Spacer(),
                               ui::Capsule().fill(p.chip).frame(44 * u, 16 * u).overlay(
                                   ui::Text("LIVE").font(PlyxFonts::label(8 * u, ctx.theme.labels)).foregroundColor(p.accent))},
                              ui::VerticalAlignment::center, 8 * u),
               },
               ui::HorizontalAlignment::leading, 4 * u)
        .padding(14 * u);
}

struct Sample {
    const char* name;
    SurfaceOption surface;
    WidgetPalette::Tone tone;
    ui::RenderingMode mode;
    ui::Color corner; // the background a corner pixel must show
};

TEST(WidgetRootSample, EachBackgroundDrawsBehindTheContent) {
    test::FreshStorage fresh;
    ThemeSettings theme;
    theme.accent = ThemeSettings::Accent::named(ThemeSettings::Accent::Kind::nothingRed);
    ThemeStore::save(theme);
    const ui::Color accent = PlyxTokens::nothingRed;
    const Sample samples[] = {
        {"solid-dark", SurfaceOption::solid, WidgetPalette::Tone::dark, ui::RenderingMode::fullColor, PlyxTokens::ink},
        {"solid-light", SurfaceOption::solid, WidgetPalette::Tone::light, ui::RenderingMode::fullColor, PlyxTokens::paper},
        {"glass", SurfaceOption::glass, WidgetPalette::Tone::dark, ui::RenderingMode::fullColor,
         ui::materialColor(ui::Material::ultraThin)},
        {"accent", SurfaceOption::accent, WidgetPalette::Tone::dark, ui::RenderingMode::fullColor,
         brightened(accent, 0.18)},
        {"accented-mode", SurfaceOption::solid, WidgetPalette::Tone::light, ui::RenderingMode::accented,
         ui::materialColor(ui::Material::ultraThin)},
    };
    for (const auto& s : samples) {
        const ui::View root = PlyxWidgetRoot(s.tone, DesignSize::small, s.surface, sampleContent);
        ui::Environment env;
        env.renderingMode = s.mode;
        env.displayScale = 2;
        const QImage img = ui::render(root, {170, 170}, 2, env).image;
        const QColor corner = img.pixelColor(1, 1).toRgb();
        auto close = [](int got, double want) { return std::abs(got - int(std::lround(want * 255))) <= 3; };
        EXPECT_TRUE(close(corner.red(), s.corner.r) && close(corner.green(), s.corner.g) &&
                    close(corner.blue(), s.corner.b) && close(corner.alpha(), s.corner.a))
            << s.name << " corner " << corner.name(QColor::HexArgb).toStdString();
        if (auto dir = test::artifactsDir())
            img.save(QString::fromStdString((*dir / (std::string("widget-root-") + s.name + ".png")).string()));
    }
}

} // namespace
} // namespace plyx
