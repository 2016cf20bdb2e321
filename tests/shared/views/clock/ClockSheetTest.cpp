// Every clock face through the widget root, in each numeral style, at the
// tone and design size its widget uses. Each must draw its ink; when
// PLYX_TEST_ARTIFACTS is set the images are written there for a person to
// look at.
#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/foundation/ThemeStore.h"
#include "shared/views/clock/ClockAnalogClassic.h"
#include "shared/views/clock/ClockAnalogMinimal.h"
#include "shared/views/clock/ClockDotDial.h"
#include "shared/views/clock/ClockDual.h"
#include "shared/views/clock/ClockMatrixMedium.h"
#include "shared/views/clock/ClockMatrixSmall.h"
#include "shared/views/clock/ClockStacked.h"
#include "shared/views/clock/ClockWorld.h"
#include "tests/shared/views/clock/ClockTestContext.h"

#include <gtest/gtest.h>

#include <functional>

namespace plyx {
namespace {

struct Face {
    const char* name;
    WidgetPalette::Tone tone;
    ui::Size size;
    std::function<ui::View(Date, const WCtx&)> make;
};

const Face kFaces[] = {
    {"analog-classic", WidgetPalette::Tone::light, DesignSize::small,
     [](Date d, const WCtx& c) -> ui::View { return ClockAnalogClassic{d, "Europe/Paris", std::nullopt, false, c}; }},
    {"hybrid-classic", WidgetPalette::Tone::light, DesignSize::small,
     [](Date d, const WCtx& c) -> ui::View { return ClockAnalogClassic{d, "Europe/Paris", std::nullopt, true, c}; }},
    {"analog-minimal", WidgetPalette::Tone::dark, DesignSize::small,
     [](Date d, const WCtx& c) -> ui::View { return ClockAnalogMinimal{d, "Europe/Paris", std::nullopt, false, c}; }},
    {"hybrid-minimal", WidgetPalette::Tone::dark, DesignSize::small,
     [](Date d, const WCtx& c) -> ui::View { return ClockAnalogMinimal{d, "Europe/Paris", std::nullopt, true, c}; }},
    {"matrix-small", WidgetPalette::Tone::light, DesignSize::small,
     [](Date d, const WCtx& c) -> ui::View { return ClockMatrixSmall{d, "America/Los_Angeles", std::nullopt, c}; }},
    {"stacked", WidgetPalette::Tone::dark, DesignSize::small,
     [](Date d, const WCtx& c) -> ui::View { return ClockStacked{d, "Asia/Kolkata", c}; }},
    {"matrix-medium", WidgetPalette::Tone::dark, DesignSize::medium,
     [](Date d, const WCtx& c) -> ui::View { return ClockMatrixMedium{d, "Asia/Kolkata", c}; }},
    {"world", WidgetPalette::Tone::light, DesignSize::medium,
     [](Date d, const WCtx& c) -> ui::View {
         return ClockWorld{d, {"Europe/London", "America/New_York", "Asia/Tokyo"}, 0, c};
     }},
    {"dot-dial", WidgetPalette::Tone::dark, DesignSize::small,
     [](Date d, const WCtx& c) -> ui::View { return ClockDotDial{d, "Europe/Paris", std::nullopt, c}; }},
    {"dual", WidgetPalette::Tone::dark, DesignSize::medium,
     [](Date d, const WCtx& c) -> ui::View { return ClockDual{d, "Europe/Paris", "Australia/Sydney", c}; }},
};

TEST(ClockSheet, EveryFaceDrawsItsInkInEveryNumeralStyle) {
    test::ClockSetting setting(24);
    const Date d = time::dateFrom(2026, 1, 5, 10, 8, 0, "UTC");
    for (const auto style : ThemeSettings::allNumeralStyles) {
        ThemeSettings theme;
        theme.numerals = style;
        ThemeStore::save(theme);
        for (const auto& face : kFaces) {
            SCOPED_TRACE(std::string(face.name) + " " + rawValue(style));
            WidgetPalette pal;
            const ui::View root = PlyxWidgetRoot(face.tone, face.size, SurfaceOption::followApp,
                                                 [&](const WCtx& ctx) {
                                                     pal = ctx.pal;
                                                     return face.make(d, ctx);
                                                 });
            const QImage img = ui::render(root, face.size, 2, {}).image;
            int inked = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (test::near(img.pixelColor(x, y).toRgb(), pal.ink, 2)) ++inked;
            EXPECT_GT(inked, 200);
            if (const auto dir = test::artifactsDir())
                img.save(QString::fromStdString((*dir / ("clock-" + std::string(face.name) + "-" + rawValue(style) +
                                                         ".png"))
                                                    .string()));
        }
    }
}

} // namespace
} // namespace plyx
