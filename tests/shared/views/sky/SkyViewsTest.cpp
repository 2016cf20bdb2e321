#include "platform/time/Time.h"
#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/storage/SharedStorage.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/sky/AirQualityView.h"
#include "shared/views/sky/DaylightView.h"
#include "shared/views/sky/MoonView.h"
#include "tests/shared/views/ViewTestContext.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace plyx {
namespace {

using test::hex;
using ui::Color;

constexpr ui::Size kSmall{160, 160};
constexpr ui::Size kMedium{344, 160};


std::vector<test::DumpLine> textLines(const ui::View& v, ui::Size size) {
    return test::ofKind(test::dumpLines(v, size), "Text");
}

// ---- moon -----------------------------------------------------------------

// The disc's dot centres in points, from the dump's 128 dots (two grids).
struct Disc {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    ui::Point dot(int column, int row) const {
        const double pitch = (right - left) / 7;
        return {left + pitch * column, top + (bottom - top) / 7 * row};
    }
};
Disc discOf(const ui::View& view) {
    Disc d;
    int n = 0;
    for (const auto& c : test::ofKind(test::dumpLines(view, kSmall), "Circle")) {
        ++n;
        d.left = std::min(d.left, c.x + c.width / 2);
        d.right = std::max(d.right, c.x + c.width / 2);
        d.top = std::min(d.top, c.y + c.height / 2);
        d.bottom = std::max(d.bottom, c.y + c.height / 2);
    }
    EXPECT_EQ(n, 128);
    return d;
}

TEST(MoonView, TheLitSideFollowsFractionAndDirection) {
    const auto ctx = test::viewContext();
    struct Case {
        double illuminated;
        bool waxing;
        const char* lit; // per column, left to right: L lit, D dark
    };
    const Case cases[] = {
        {0, true, "DDDDDDDD"},   {1, false, "LLLLLLLL"},  {0.5, true, "DDDDLLLL"},
        {0.5, false, "LLLLDDDD"}, {0.25, true, "DDDDDDLL"}, {std::nan(""), true, "DDDDDDDD"},
        {1.7, true, "LLLLLLLL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.illuminated) + (c.waxing ? " waxing" : " waning"));
        MoonInfo m{"Phase", c.illuminated, c.waxing, 3, 12};
        const auto view = MoonView{m, ctx}.body();
        const auto disc = discOf(view);
        // Centred across the card's inner width, 72 points wide.
        EXPECT_NEAR((disc.left + disc.right) / 2, 80, 0.01);
        EXPECT_NEAR(disc.right - disc.left, 72 - 4, 0.01);
        const auto image = test::renderImage(view, kSmall);
        for (int col = 0; col < 8; ++col) {
            // Middle rows: inside the circle the disc is clipped to.
            const auto p = disc.dot(col, 4);
            const Color want = c.lit[col] == 'L' ? ctx.pal.fill : MoonView::kDarkGrey;
            EXPECT_TRUE(test::near(test::pixelAt(image, p.x, p.y), want, 8)) << "column " << col;
        }
        // Corner dots fall outside the circle and are not drawn.
        const auto corner = disc.dot(0, 0);
        EXPECT_EQ(test::pixelAt(image, corner.x, corner.y).alpha(), 0);
    }
}

TEST(MoonView, CaptionsNamePhaseAndTheNextFullOrNewMoon) {
    const auto ctx = test::viewContext();
    struct Case {
        bool waxing;
        std::int64_t toFull, toNew;
        const char* detail;
    };
    const Case cases[] = {
        {true, 0, 0, "FULL MOON TONIGHT"},
        {false, 14, 0, "NEW MOON TONIGHT"},
        {true, 6, 21, "FULL IN 6 DAYS"},
        {false, 20, 5, "NEW IN 5 DAYS"},
    };
    for (const auto& c : cases) {
        const auto texts = textLines(MoonView{{"Waxing Gibbous", 0.78, c.waxing, c.toFull, c.toNew}, ctx}.body(), kSmall);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0].text(), "MOON");
        EXPECT_EQ(texts[0].attr("color"), hex(ctx.pal.inkDim));
        EXPECT_EQ(texts[1].text(), "WAXING GIBBOUS");
        EXPECT_EQ(texts[1].attr("color"), hex(ctx.pal.ink));
        EXPECT_EQ(texts[2].text(), c.detail);
        EXPECT_EQ(texts[2].attr("color"), hex(ctx.pal.inkFaint));
        // Card frame: top-leading at 22, 20; the detail on the bottom inset.
        EXPECT_NEAR(texts[0].x, 22, 0.01);
        EXPECT_NEAR(texts[0].y, 20, 0.01);
        EXPECT_NEAR(texts[2].y + texts[2].height, 140, 0.01);
        EXPECT_NEAR(texts[2].y - (texts[1].y + texts[1].height), 3, 0.01);
    }
}

// ---- daylight ---------------------------------------------------------------

const Date kRise = Date::fromUnix(1781240400); // 2026-06-12 05:00 UTC
const Date kSet = kRise + 15 * 3600 + 40 * 60;

TEST(DaylightView, TheSunStepsAlongTheDay) {
    struct Case {
        Date sunrise, sunset, at;
        int sun;
        int passed; // dots before the sun drawn faint
        const char* afterSun; // colour role of the dots after the sun
    };
    const double span = kSet - kRise;
    const Case cases[] = {
        {kRise, kSet, kRise - 3600, 0, 0, "ink"},
        {kRise, kSet, kRise, 0, 0, "ink"},
        {kRise, kSet, kRise + span * 0.25, 2, 2, "ink"},
        {kRise, kSet, kRise + span * 0.5, 3, 3, "ink"},
        {kRise, kSet, kSet, 6, 6, "-"},
        {kRise, kSet, kSet + 7200, 6, 6, "-"},
        // A sunset not after the sunrise: a day of one second, no division by zero.
        {kRise, kRise, kRise + 0.5, 3, 3, "ink"},
        {kSet, kRise, kSet + 10, 6, 6, "-"},
    };
    const auto ctx = test::viewContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.at - c.sunrise);
        const DaylightView v{{c.sunrise, c.sunset, "Oslo"}, c.at, ctx};
        EXPECT_EQ(v.sunIndex(), c.sun);
        const auto lines = test::dumpLines(v.body(), kMedium);
        const auto circles = test::ofKind(lines, "Circle");
        ASSERT_EQ(circles.size(), 7u);
        for (int i = 0; i < 7; ++i) {
            SCOPED_TRACE(i);
            if (i == c.sun) {
                EXPECT_EQ(circles[i].attr("fill"), hex(ctx.pal.accent));
                EXPECT_NEAR(circles[i].width, 14, 0.01);
            } else {
                EXPECT_EQ(circles[i].attr("fill"), hex(i < c.passed ? ctx.pal.inkFaint : ctx.pal.ink));
                EXPECT_NEAR(circles[i].width, 8, 0.01);
            }
        }
    }
}

TEST(DaylightView, DotsLieOnTheParabolaOfTheReader) {
    const ui::Size reader{300, 100};
    const std::pair<int, ui::Point> cases[] = {
        {0, {18, 95}}, {3, {150, 5}}, {6, {282, 95}}, {1, {300 * (0.06 + 0.88 / 6), 100 * (0.95 - 0.9 * (5.0 / 9))}},
    };
    for (const auto& [i, p] : cases) {
        const auto got = DaylightView::dotCentre(i, reader);
        EXPECT_NEAR(got.x, p.x, 1e-9) << i;
        EXPECT_NEAR(got.y, p.y, 1e-9) << i;
    }

    // Drawn where computed: the sun at the top centre at midday.
    const auto ctx = test::viewContext();
    const DaylightView v{{kRise, kSet, "Oslo"}, kRise + (kSet - kRise) / 2, ctx};
    const auto view = v.body();
    const auto lines = test::dumpLines(view, kMedium);
    const auto readers = test::ofKind(lines, "GeometryReader");
    ASSERT_EQ(readers.size(), 1u);
    const auto& r = readers[0];
    EXPECT_NEAR(r.x, 26, 0.01);
    EXPECT_NEAR(r.width, 292, 0.01);
    const auto image = test::renderImage(view, kMedium);
    for (int i = 0; i < 7; ++i) {
        const auto c = DaylightView::dotCentre(i, {r.width, r.height});
        const Color want = i == 3 ? ctx.pal.accent : i < 3 ? ctx.pal.inkFaint : ctx.pal.ink;
        EXPECT_TRUE(test::near(test::pixelAt(image, r.x + c.x, r.y + c.y), want, 8)) << i;
    }
}

TEST(DaylightView, HeaderAndTimes) {
    test::FreshStorage storage;
    SharedStorage::setInteger(StorageKeys::timeFormat, 24);
    const auto ctx = test::viewContext(ThemeSettings::LabelStyle::systemSans);
    const auto texts = textLines(DaylightView{{kRise, kSet, "Oslo"}, kRise, ctx}.body(), kMedium);
    ASSERT_EQ(texts.size(), 4u);
    const char* want[] = {"Daylight", "15H 40M", "05:00 rise", "20:40 set"};
    const Color colours[] = {ctx.pal.inkDim, ctx.pal.inkDim, ctx.pal.ink, ctx.pal.ink};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(texts[i].text(), want[i]);
        EXPECT_EQ(texts[i].attr("color"), hex(colours[i]));
    }
    EXPECT_NEAR(texts[0].x, 26, 0.01);
    EXPECT_NEAR(texts[1].x + texts[1].width, 344 - 26, 0.01);
    EXPECT_NEAR(texts[0].y, 20, 0.01);
    EXPECT_NEAR(texts[3].y + texts[3].height, 140, 0.01);

    // The times are the current zone's, in the form the user chose.
    SharedStorage::setInteger(StorageKeys::timeFormat, 12);
    time::setCurrentZone("America/New_York");
    const auto there = textLines(DaylightView{{kRise, kSet, "Oslo"}, kRise, ctx}.body(), kMedium);
    time::setCurrentZone("");
    ASSERT_EQ(there.size(), 4u);
    EXPECT_EQ(there[2].text(), "1:00 rise");
    EXPECT_EQ(there[3].text(), "4:40 set");
}

// ---- air quality --------------------------------------------------------------

TEST(AirQualityView, TurnsToTheAccentFromOneHundredAndOne) {
    struct Case {
        std::int64_t aqi;
        bool hot;
        double lit; // share of the dots lit
        const char* category;
    };
    const Case cases[] = {
        {0, false, 0, "Good"},
        {100, false, 2.0 / 3, "Moderate"},
        {101, true, 101.0 / 150, "Unhealthy for some"},
        {150, true, 1, "Unhealthy for some"},
        {400, true, 1, "Hazardous"},
    };
    // The system face, in which the longest band name fits the small card.
    const auto ctx = test::viewContext(ThemeSettings::LabelStyle::systemSans);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.aqi);
        const auto lines = test::dumpLines(AirQualityView{{c.aqi, Date{}}, ctx}.body(), kSmall);
        const auto texts = test::ofKind(lines, "Text");
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0].text(), "Air quality");
        EXPECT_EQ(texts[0].attr("color"), hex(ctx.pal.inkDim));
        EXPECT_EQ(texts[1].text(), std::to_string(c.aqi));
        EXPECT_EQ(texts[2].text(), c.category);
        const auto tint = hex(c.hot ? ctx.pal.accent : ctx.pal.ink);
        EXPECT_EQ(texts[1].attr("color"), tint);
        EXPECT_EQ(texts[2].attr("color"), tint);

        int lit = 0, track = 0, other = 0;
        const auto litColour = hex(c.hot ? ctx.pal.accent : ctx.pal.fill);
        for (const auto& d : test::ofKind(lines, "Circle")) {
            if (d.attr("fill") == litColour) ++lit;
            else if (d.attr("fill") == hex(ctx.pal.track)) ++track;
            else ++other;
        }
        const int n = lit + track;
        ASSERT_GT(n, 10);
        EXPECT_EQ(other, 0);
        EXPECT_EQ(lit, int(std::lround(c.lit * n)));
        // The bar stands 8 above the category, which ends on the bottom inset.
        EXPECT_NEAR(texts[2].y + texts[2].height, 140, 0.01);
    }
}

} // namespace
} // namespace plyx

namespace plyx {
namespace {

// The three views through the widget root on their tones, with their
// samples and extreme values: every text stays inside the widget. With
// PLYX_TEST_ARTIFACTS set the images are written there.
TEST(SkyViews, EverythingStaysInsideTheWidgetThroughTheRoot) {
    test::FreshStorage fresh;
    const Date noon = DaylightInfo::sample().sunrise + 6 * 3600;
    const std::tuple<std::string, WidgetPalette::Tone, ui::Size, std::function<ui::View(const WCtx&)>> views[] = {
        {"moon", WidgetPalette::Tone::dark, DesignSize::small,
         [](const WCtx& c) { return MoonView{{"Waxing Gibbous", 0.78, true, 6, 21}, c}.body(); }},
        {"moon-waning", WidgetPalette::Tone::dark, DesignSize::small,
         [](const WCtx& c) { return MoonView{{"Waning Crescent", 0.2, false, 20, 3}, c}.body(); }},
        {"daylight", WidgetPalette::Tone::light, DesignSize::medium,
         [noon](const WCtx& c) { return DaylightView{DaylightInfo::sample(), noon, c}.body(); }},
        {"airquality", WidgetPalette::Tone::light, DesignSize::small,
         [](const WCtx& c) { return AirQualityView{AirQualitySnapshot::sample(), c}.body(); }},
        {"airquality-hot", WidgetPalette::Tone::light, DesignSize::small,
         [](const WCtx& c) { return AirQualityView{{999, Date{}}, c}.body(); }},
    };
    for (const auto& [name, tone, size, make] : views) {
        SCOPED_TRACE(name);
        const auto root = PlyxWidgetRoot(tone, size, SurfaceOption::solid, make);
        int shown = 0;
        for (const auto& l : test::dumpLines(root, size))
            if (l.kind == "Text" || l.kind == "Circle") {
                ++shown;
                EXPECT_GE(l.x, -0.01) << l.kind << " " << l.attrs;
                EXPECT_GE(l.y, -0.01) << l.kind << " " << l.attrs;
                EXPECT_LE(l.x + l.width, size.width + 0.01) << l.kind << " " << l.attrs;
                EXPECT_LE(l.y + l.height, size.height + 0.01) << l.kind << " " << l.attrs;
            }
        EXPECT_GE(shown, 3);
        if (auto dir = test::artifactsDir())
            test::renderImage(root, size).save(QString::fromStdString((*dir / ("sky-" + name + ".png")).string()));
    }
}

} // namespace
} // namespace plyx
