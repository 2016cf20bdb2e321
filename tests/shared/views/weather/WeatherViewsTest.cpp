#include "platform/ui/Symbols.h"
#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/weather/WeatherCurrent.h"
#include "shared/views/weather/WeatherForecast.h"
#include "shared/views/weather/WeatherNight.h"
#include "shared/views/weather/WeatherRain.h"
#include "shared/views/weather/WeatherTexts.h"
#include "tests/shared/views/ViewTestContext.h"
#include "tests/support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace plyx {
namespace {

using test::hex;
using ui::Color;

constexpr ui::Size kSmall{160, 160};
constexpr ui::Size kMedium{344, 160};


struct Shown {
    std::string text, color;
    test::DumpLine line;
};
std::vector<Shown> texts(const ui::View& v, ui::Size size) {
    std::vector<Shown> out;
    for (const auto& l : test::ofKind(test::dumpLines(v, size), "Text")) out.push_back({l.text(), l.attr("color"), l});
    return out;
}
std::vector<std::string> textsOnly(const std::vector<Shown>& shown) {
    std::vector<std::string> out;
    for (const auto& s : shown) out.push_back(s.text);
    return out;
}

WeatherSnapshot snapshot() {
    WeatherSnapshot s;
    s.place = "Oslo";
    s.temperature = -2;
    s.condition = "Snow";
    s.high = -2;
    s.low = -9;
    s.feelsLike = -7;
    s.code = 71;
    s.rainChance = 0.29;
    return s;
}

TEST(WeatherSymbols, EveryConditionCodeByDayAndNightHasAnIcon) {
    // Every code the forecast service defines lies in 0...99; beyond them the
    // fallback symbol applies, which must have an icon too.
    std::vector<std::int64_t> codes;
    for (std::int64_t c = -1; c <= 100; ++c) codes.push_back(c);
    codes.push_back(std::numeric_limits<std::int64_t>::max());
    for (const auto code : codes)
        for (const bool night : {false, true}) {
            const auto name = WeatherSnapshot::symbol(code, night);
            SCOPED_TRACE(std::to_string(code) + (night ? " night " : " day ") + name);
            ASSERT_TRUE(ui::hasSymbol(name));
            EXPECT_TRUE(QFile::exists(QString::fromStdString(ui::symbolFile(name))));
        }
}

TEST(WeatherSymbols, TheCornerSymbolFollowsCodeAndNightFlagOnly) {
    struct Case {
        std::optional<std::int64_t> code;
        bool night;
        const char* symbol;
    };
    const Case cases[] = {
        {std::nullopt, false, "cloud.sun"}, {std::nullopt, true, "cloud.moon"}, {0, true, "moon.stars"},
        {0, false, "sun.max"},              {95, true, "cloud.bolt.rain"},
    };
    const auto ctx = test::viewContext();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symbol);
        auto s = snapshot();
        s.code = c.code;
        s.isNight = c.night;
        for (const auto& view : {WeatherCurrent{s, ctx}.body(), WeatherNight{s, ctx}.body()}) {
            const auto images = test::ofKind(test::dumpLines(view, kSmall), "Image");
            ASSERT_EQ(images.size(), 1u);
            EXPECT_EQ(images[0].attr("symbol"), c.symbol);
            // The night flag changes nothing else: the night view still says "Feels".
        }
        EXPECT_EQ(textsOnly(texts(WeatherNight{s, ctx}.body(), kSmall)).back(), "FEELS -7°");
        EXPECT_EQ(textsOnly(texts(WeatherCurrent{s, ctx}.body(), kSmall)).back(), "H -2° · L -9°");
    }
}

TEST(WeatherTexts, NumbersAndLines) {
    EXPECT_EQ(WeatherTexts::highLow(21, 12), "H 21° · L 12°");
    EXPECT_EQ(WeatherTexts::highLow(-2, -9), "H -2° · L -9°");
    EXPECT_EQ(WeatherTexts::feels(-7), "Feels -7°");
    EXPECT_EQ(WeatherTexts::degrees(-12), "-12°");
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, std::int64_t> rain[] = {
        {1.0, 100}, {0.999, 99}, {0.29, 28}, {0.456, 45}, {0, 0}, {0.5, 50},
        // No defined figure: shown as 0.
        {std::nan(""), 0}, {inf, 0}, {-inf, 0}, {1e300, 0},
    };
    for (const auto& [chance, percent] : rain) EXPECT_EQ(WeatherTexts::rainPercent(chance), percent) << chance;
}

TEST(WeatherCurrent, ColumnAndCornerSymbolSitAtTheirInsets) {
    for (const double u : {1.0, 1.5}) {
        SCOPED_TRACE(u);
        const auto ctx = test::viewContext(ThemeSettings::LabelStyle::monoCaps, u);
        const ui::Size size{160 * u, 160 * u};
        const auto shown = texts(WeatherCurrent{snapshot(), ctx}.body(), size);
        ASSERT_EQ(textsOnly(shown), (std::vector<std::string>{"OSLO", "-2°", "SNOW", "H -2° · L -9°"}));
        const std::string colours[] = {hex(ctx.pal.inkDim), hex(ctx.pal.ink), hex(ctx.pal.ink), hex(ctx.pal.inkDim)};
        for (size_t i = 0; i < 4; ++i) EXPECT_EQ(shown[i].color, colours[i]) << shown[i].text;
        for (const auto& s : shown) EXPECT_NEAR(s.line.x, 22 * u, 0.01) << s.text;
        EXPECT_NEAR(shown[0].line.y, 20 * u, 0.01);
        // The last caption stands on the bottom inset, the condition 3 above it.
        EXPECT_NEAR(shown[3].line.y + shown[3].line.height, 140 * u, 0.01);
        EXPECT_NEAR(shown[3].line.y - (shown[2].line.y + shown[2].line.height), 3 * u, 0.01);
        // The temperature is 8 below the place, in the theme's numerals at 56.
        EXPECT_NEAR(shown[1].line.y - (shown[0].line.y + shown[0].line.height), 8 * u, 0.01);
        EXPECT_EQ(shown[1].line.attr("size"), u == 1 ? "56" : "84") << shown[1].line.attrs;

        const auto images = test::ofKind(test::dumpLines(WeatherCurrent{snapshot(), ctx}.body(), size), "Image");
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].attr("color"), hex(ctx.pal.inkDim));
        EXPECT_NEAR(images[0].y, 20 * u, 0.01);
        EXPECT_NEAR(images[0].x + images[0].width, (160 - 22) * u, 0.01);
    }
}

TEST(WeatherNight, DegreeSignInAccentAndTheSymbolCloserToTheCorner) {
    const auto ctx = test::viewContext();
    const auto shown = texts(WeatherNight{snapshot(), ctx}.body(), kSmall);
    ASSERT_EQ(textsOnly(shown), (std::vector<std::string>{"OSLO", "-2", "°", "SNOW", "FEELS -7°"}));
    EXPECT_EQ(shown[1].color, hex(ctx.pal.ink));
    EXPECT_EQ(shown[2].color, hex(ctx.pal.accent));
    // The two parts touch and share their top.
    EXPECT_NEAR(shown[2].line.x, shown[1].line.x + shown[1].line.width, 0.01);
    EXPECT_NEAR(shown[2].line.y, shown[1].line.y, 0.01);
    EXPECT_EQ(shown[4].color, hex(ctx.pal.inkDim));

    const auto images = test::ofKind(test::dumpLines(WeatherNight{snapshot(), ctx}.body(), kSmall), "Image");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].attr("color"), hex(ctx.pal.ink));
    EXPECT_NEAR(images[0].y, 18, 0.01);
    EXPECT_NEAR(images[0].x + images[0].width, 160 - 20, 0.01);
    // 22 points of symbol, drawn 1.2 times the font size.
    EXPECT_NEAR(images[0].width, 22 * 1.2, 0.01);
}

TEST(WeatherForecast, DaysShareTheWidthAndThePeakDayIsMarked) {
    const auto ctx = test::viewContext();
    struct Case {
        std::vector<WeatherSnapshot::Day> days;
    };
    const Case cases[] = {
        {WeatherSnapshot::sample().days},
        {{{"Mon", 3, -1, false}, {"Tue", 5, 0, true}, {"Wed", -4, -12, false}}},
        {{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.days.size());
        auto s = snapshot();
        s.days = c.days;
        const auto lines = test::dumpLines(WeatherForecast{s, ctx}.body(), kMedium);
        std::vector<Shown> shown;
        for (const auto& l : test::ofKind(lines, "Text")) shown.push_back({l.text(), l.attr("color"), l});
        // Header: temperature, then condition, place and high/low on the right.
        ASSERT_EQ(shown.size(), 4 + 3 * c.days.size());
        EXPECT_EQ(textsOnly(std::vector<Shown>(shown.begin(), shown.begin() + 4)),
                  (std::vector<std::string>{"-2°", "SNOW", "OSLO", "H -2° · L -9°"}));
        EXPECT_NEAR(shown[0].line.x, 26, 0.01);
        for (int i = 1; i < 4; ++i) EXPECT_NEAR(shown[i].line.x + shown[i].line.width, 344 - 26, 0.01);

        // The rule still draws: one point high across the inner width.
        const auto rects = test::ofKind(lines, "Rectangle");
        ASSERT_EQ(rects.size(), 1u);
        EXPECT_EQ(rects[0].attr("fill"), hex(ctx.pal.hairline));
        EXPECT_NEAR(rects[0].height, 1, 0.01);
        EXPECT_NEAR(rects[0].width, 292, 0.01);

        const double column = 292.0 / std::max<size_t>(c.days.size(), 1);
        for (size_t d = 0; d < c.days.size(); ++d) {
            const auto& day = c.days[d];
            SCOPED_TRACE(day.label);
            const Shown* col = &shown[4 + 3 * d];
            EXPECT_EQ(col[0].text, upperCased(day.label));
            EXPECT_EQ(col[1].text, WeatherTexts::degrees(day.high));
            EXPECT_EQ(col[2].text, WeatherTexts::degrees(day.low));
            EXPECT_EQ(col[0].color, hex(day.isPeak ? ctx.pal.accent : ctx.pal.inkDim));
            EXPECT_EQ(col[1].color, hex(day.isPeak ? ctx.pal.accent : ctx.pal.ink));
            EXPECT_EQ(col[2].color, hex(ctx.pal.inkFaint));
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(col[k].line.x + col[k].line.width / 2, 26 + column * (d + 0.5), 0.01);
        }
    }
}

TEST(WeatherRain, BarsTakeTheirColourFromPeakAndChance) {
    const auto ctx = test::viewContext();
    auto s = snapshot();
    s.rainHours = {{"13", 0.2, true}, {"14", 0.5, false}, {"15", 0.49, false}, {"16", 0.9, false}, {"17", 0, false}};
    const auto bars = WeatherRain{s, ctx}.bars();
    struct Want {
        Color color;
        std::optional<Color> label;
    };
    const Want want[] = {{ctx.pal.accent, ctx.pal.accent},
                         {ctx.pal.fill, std::nullopt},
                         {WeatherRain::kUnlikelyGrey, std::nullopt},
                         {ctx.pal.fill, std::nullopt},
                         {WeatherRain::kUnlikelyGrey, std::nullopt}};
    ASSERT_EQ(bars.size(), 5u);
    for (size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(s.rainHours[i].label);
        EXPECT_EQ(bars[i].label, s.rainHours[i].label);
        EXPECT_EQ(bars[i].value, s.rainHours[i].chance);
        EXPECT_EQ(bars[i].color, want[i].color);
        EXPECT_EQ(bars[i].labelColor, want[i].label);
    }
    EXPECT_NE(bars[0].id, bars[1].id);
    EXPECT_EQ(WeatherRain::kUnlikelyGrey, Color::rgb(76 / 255.0, 76 / 255.0, 76 / 255.0));

    // Drawn: the labels in their colours under the columns, the figure truncated.
    const auto shown = texts(WeatherRain{s, ctx}.body(), kMedium);
    ASSERT_EQ(textsOnly(shown),
              (std::vector<std::string>{"RAIN · NEXT 12H", "28%", "13", "14", "15", "16", "17"}));
    EXPECT_EQ(shown[2].color, hex(ctx.pal.accent));
    for (int i = 3; i < 7; ++i) EXPECT_EQ(shown[i].color, hex(ctx.pal.inkFaint));
    // Header on one baseline, the chart's labels on the bottom inset.
    EXPECT_NEAR(shown[6].line.y + shown[6].line.height, 160 - 16, 0.01);
    EXPECT_NEAR(shown[0].line.x, 26 + 5 + 6, 0.01); // after the 5-point dot and its 6-point gap
    EXPECT_NEAR(shown[1].line.x + shown[1].line.width, 344 - 26, 0.01);
}

TEST(WeatherRain, ChartLabelsFollowTheLabelStyleWhileFiguresFollowTheNumerals) {
    for (const auto labels : ThemeSettings::allLabelStyles) {
        auto ctx = test::viewContext(labels);
        ctx.theme.numerals = ThemeSettings::NumeralStyle::mono;
        auto s = snapshot();
        s.rainHours = {{"9", 0.3, false}};
        const auto shown = texts(WeatherRain{s, ctx}.body(), kMedium);
        ASSERT_EQ(shown.size(), 3u);
        const bool sans = labels == ThemeSettings::LabelStyle::systemSans;
        EXPECT_EQ(shown[2].line.attrs.find(sans ? "font=system size=8.5" : "font=Fragment Mono size=8.5") !=
                      std::string::npos,
                  true)
            << shown[2].line.attrs;
        EXPECT_NE(shown[1].line.attrs.find("font=Fragment Mono size=20"), std::string::npos) << shown[1].line.attrs;
    }
}

TEST(WeatherRain, LitDotsShowTheBarColours) {
    const auto ctx = test::viewContext();
    auto s = snapshot();
    s.rainHours = {{"1", 1.0, true}, {"2", 1.0, false}, {"3", 0.25, false}};
    const auto view = WeatherRain{s, ctx}.body();
    const auto image = test::renderImage(view, kMedium);
    // The lowest dot of each column, at the middle of its third of the width.
    std::vector<test::DumpLine> circles;
    for (const auto& l : test::ofKind(test::dumpLines(view, kMedium), "Circle"))
        if (l.width > 6) circles.push_back(l); // the header's dot is 5 across
    ASSERT_FALSE(circles.empty());
    double bottom = 0;
    for (const auto& c : circles) bottom = std::max(bottom, c.y + c.height / 2);
    const Color want[] = {ctx.pal.accent, ctx.pal.fill, WeatherRain::kUnlikelyGrey};
    for (int i = 0; i < 3; ++i) {
        const test::DumpLine* hit = nullptr;
        for (const auto& c : circles)
            if (std::abs(c.y + c.height / 2 - bottom) < 0.01 && c.x >= 26 + i * 292.0 / 3 && c.x < 26 + (i + 1) * 292.0 / 3) {
                hit = &c;
                break;
            }
        ASSERT_NE(hit, nullptr) << i;
        EXPECT_TRUE(test::near(test::pixelAt(image, hit->x + hit->width / 2, hit->y + hit->height / 2), want[i], 8))
            << i;
    }
}

TEST(WeatherViews, FahrenheitSnapshotsPrintTheirOwnNumbers) {
    const auto ctx = test::viewContext();
    const auto f = WeatherSnapshot::sample().inFahrenheit();
    EXPECT_EQ(textsOnly(texts(WeatherCurrent{f, ctx}.body(), kSmall)),
              (std::vector<std::string>{"LONDON", "73°", "PARTLY CLOUDY", "H 81° · L 64°"}));
    EXPECT_EQ(textsOnly(texts(WeatherNight{f, ctx}.body(), kSmall)),
              (std::vector<std::string>{"LONDON", "73", "°", "PARTLY CLOUDY", "FEELS 77°"}));
    const auto forecast = textsOnly(texts(WeatherForecast{f, ctx}.body(), kMedium));
    ASSERT_EQ(forecast.size(), 4u + 18u);
    EXPECT_EQ(forecast[0], "73°");
    EXPECT_EQ(forecast[4 + 3 * 2 + 1], "88°"); // the sample's peak Saturday, 31 °C
}

} // namespace
} // namespace plyx

namespace plyx {
namespace {

// Each view through the widget root on its tone, with the samples and a
// snapshot of long texts: every text and symbol stays inside the widget.
// With PLYX_TEST_ARTIFACTS set the images are written there.
TEST(WeatherViews, EverythingStaysInsideTheWidgetThroughTheRoot) {
    test::FreshStorage fresh;
    auto wordy = WeatherSnapshot::sample();
    wordy.place = "Llanfairpwllgwyngyll, GB";
    wordy.condition = "Thunderstorm with heavy hail";
    wordy.temperature = -128;
    wordy.high = 100;
    wordy.low = -100;
    const std::pair<const char*, WeatherSnapshot> data[] = {
        {"sample", WeatherSnapshot::sample()}, {"night", WeatherSnapshot::sampleNight()}, {"wordy", wordy}};
    using Make = ui::View (*)(const WeatherSnapshot&, const WCtx&);
    const std::tuple<const char*, WidgetPalette::Tone, ui::Size, Make> views[] = {
        {"current", WidgetPalette::Tone::dark, DesignSize::small,
         [](const WeatherSnapshot& d, const WCtx& c) { return WeatherCurrent{d, c}.body(); }},
        {"night", WidgetPalette::Tone::light, DesignSize::small,
         [](const WeatherSnapshot& d, const WCtx& c) { return WeatherNight{d, c}.body(); }},
        {"forecast", WidgetPalette::Tone::light, DesignSize::medium,
         [](const WeatherSnapshot& d, const WCtx& c) { return WeatherForecast{d, c}.body(); }},
        {"rain", WidgetPalette::Tone::dark, DesignSize::medium,
         [](const WeatherSnapshot& d, const WCtx& c) { return WeatherRain{d, c}.body(); }},
    };
    for (const auto& [viewName, tone, size, make] : views)
        for (const auto& [dataName, snapshot] : data) {
            SCOPED_TRACE(std::string(viewName) + " " + dataName);
            const auto root = PlyxWidgetRoot(tone, size, SurfaceOption::solid,
                                             [&, make = make](const WCtx& ctx) { return make(snapshot, ctx); });
            const auto lines = test::dumpLines(root, size);
            int shown = 0;
            for (const auto& l : lines)
                if (l.kind == "Text" || l.kind == "Image") {
                    ++shown;
                    EXPECT_GE(l.x, 0) << l.attrs;
                    EXPECT_GE(l.y, 0) << l.attrs;
                    EXPECT_LE(l.x + l.width, size.width + 0.01) << l.attrs;
                    EXPECT_LE(l.y + l.height, size.height + 0.01) << l.attrs;
                }
            EXPECT_GE(shown, 2);
            if (auto dir = test::artifactsDir())
                test::renderImage(root, size).save(
                    QString::fromStdString((*dir / (std::string("weather-") + viewName + "-" + dataName + ".png")).string()));
        }
}

} // namespace
} // namespace plyx
