#include "shared/views/system/NetworkView.h"
#include "shared/views/system/StorageView.h"
#include "shared/views/system/SystemView.h"
#include "tests/support/dump/DumpLines.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

using namespace plyx;

namespace {

// Colours far apart, so every role can be told from the others in a dump
// and by a pixel probe.
WCtx context(ThemeSettings::LabelStyle labels = ThemeSettings::LabelStyle::monoCaps) {
    WCtx ctx;
    ctx.theme.labels = labels;
    ctx.pal.ink = ui::Color::rgb(1, 1, 1);
    ctx.pal.inkDim = ui::Color::rgb(0.6, 0.6, 0.6);
    ctx.pal.inkFaint = ui::Color::rgb(0.4, 0.4, 0.4);
    ctx.pal.accent = ui::Color::rgb(1, 0, 0);
    ctx.pal.track = ui::Color::rgb(0, 0, 1);
    ctx.pal.fill = ui::Color::rgb(0, 1, 0);
    ctx.u = 1;
    return ctx;
}

using test::DumpLine;
using test::hex;

std::vector<DumpLine> lines(const std::string& dump) { return test::parseDump(dump); }

// Whether a dump line, as written (its kind, then its attributes), holds `part`.
bool has(const DumpLine& l, const std::string& part) { return (l.kind + " " + l.attrs).find(part) != std::string::npos; }
bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

ui::Rect frameOf(const DumpLine& l) { return {l.x, l.y, l.width, l.height}; }

// One row of the system monitor as the dump shows it.
struct Row {
    DumpLine captionLine, numberLine;
    int dots = 0, accentDots = 0, fillDots = 0;
};

// Splits the dump into rows: a row starts at its caption and ends at its
// percentage, with its dots between.
std::vector<Row> rowsOf(const std::string& dump, const WCtx& ctx) {
    std::vector<Row> rows;
    for (const auto& l : lines(dump)) {
        const bool text = has(l, "Text ");
        if (text && !has(l, "%\"")) {
            rows.push_back({l, {}, 0, 0, 0});
        } else if (text && !rows.empty()) {
            rows.back().numberLine = l;
        } else if (has(l, "Circle") && !rows.empty()) {
            ++rows.back().dots;
            if (has(l, "fill=" + hex(ctx.pal.accent))) ++rows.back().accentDots;
            if (has(l, "fill=" + hex(ctx.pal.fill))) ++rows.back().fillDots;
        }
    }
    return rows;
}

ui::Environment env() { return {}; }

double centreY(const DumpLine& line) {
    const auto r = frameOf(line);
    return r.y + r.height / 2;
}

} // namespace

TEST(SystemView, EachRowIsFlaggedFromEightyPercentOnItsOwn) {
    struct Case {
        SystemSnapshot data;
        std::vector<std::string> captions, numbers;
        std::vector<bool> flagged;
    };
    const Case cases[] = {
        {{80, 79, std::nullopt}, {"CPU", "MEMORY"}, {"80%", "79%"}, {true, false}},
        {{10, 95, 0}, {"CPU", "MEMORY", "GPU"}, {"10%", "95%", "0%"}, {false, true, false}},
        {{100, 0, 150}, {"CPU", "MEMORY", "GPU"}, {"100%", "0%", "150%"}, {true, false, true}},
    };
    const auto ctx = context();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.numbers[0] + " " + c.numbers[1]);
        const auto dump = ui::dump(SystemView{c.data, ctx}.body(), {344, 160}, env());
        const auto rows = rowsOf(dump, ctx);
        ASSERT_EQ(rows.size(), c.captions.size()) << dump;
        for (size_t i = 0; i < rows.size(); ++i) {
            SCOPED_TRACE(c.captions[i]);
            const auto& r = rows[i];
            const auto colour = hex(c.flagged[i] ? ctx.pal.accent : ctx.pal.ink);
            EXPECT_TRUE(has(r.captionLine, "text=\"" + c.captions[i] + "\"")) << r.captionLine;
            EXPECT_TRUE(has(r.captionLine, "color=" + colour)) << r.captionLine;
            EXPECT_TRUE(has(r.numberLine, "text=\"" + c.numbers[i] + "\"")) << r.numberLine;
            EXPECT_TRUE(has(r.numberLine, "color=" + colour)) << r.numberLine;
            // The bar fills the rest of the row; its lit dots follow the percentage, not clamped above.
            ASSERT_GT(r.dots, 10);
            const long pct = std::stol(c.numbers[i]);
            const int lit = std::min<int>(r.dots, int(std::lround(pct / 100.0 * r.dots)));
            EXPECT_EQ(c.flagged[i] ? r.accentDots : r.fillDots, lit);
            EXPECT_EQ(c.flagged[i] ? r.fillDots : r.accentDots, 0);
        }
        // The rows stand centred in the widget, two or three of them.
        const double middle = rows.size() == 2 ? (centreY(rows[0].captionLine) + centreY(rows[1].captionLine)) / 2
                                               : centreY(rows[1].captionLine);
        EXPECT_NEAR(middle, 80, 1.0);
    }
}

TEST(SystemView, AllRowsShareOneDotCountThatFollowsTheWidth) {
    const auto ctx = context();
    const auto narrow = rowsOf(ui::dump(SystemView{{50, 50, 50}, ctx}.body(), {344, 160}, env()), ctx);
    const auto wide = rowsOf(ui::dump(SystemView{{50, 50, 50}, ctx}.body(), {500, 160}, env()), ctx);
    ASSERT_EQ(narrow.size(), 3u);
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_EQ(narrow[0].dots, narrow[2].dots);
    // 156 more points at a pitch of 8 hold 19 or 20 more dots.
    EXPECT_NEAR(wide[0].dots - narrow[0].dots, 19.5, 1.0);
}

TEST(SystemView, RowsKeepTheirCaptionAndNumberWidthsAndSpacingAtEveryScale) {
    for (double u : {1.0, 2.0}) {
        SCOPED_TRACE(u);
        auto ctx = context();
        ctx.u = u;
        const auto dump = ui::dump(SystemView{{50, 50, 50}, ctx}.body(), {344 * u, 160 * u}, env());
        std::vector<ui::Rect> rows, dots;
        for (const auto& l : lines(dump)) {
            if (has(l, "HStack ") && frameOf(l).height > 10 * u) rows.push_back(frameOf(l));
            if (has(l, "Circle") && dots.empty()) dots.push_back(frameOf(l));
        }
        ASSERT_EQ(rows.size(), 3u) << dump;
        // 26 in from each side; rows 13 apart.
        EXPECT_NEAR(rows[0].x, 26 * u, 0.01);
        EXPECT_NEAR(rows[0].width, 292 * u, 0.01);
        EXPECT_NEAR(rows[1].y - (rows[0].y + rows[0].height), 13 * u, 0.01);
        // The bar starts after the 56-wide caption and a gap of 14, with dots 6.7 wide.
        ASSERT_EQ(dots.size(), 1u);
        EXPECT_NEAR(dots[0].x, (26 + 56 + 14) * u, 0.01);
        EXPECT_NEAR(dots[0].width, 6.7 * u, 0.01);
        // The number's 44-wide frame ends at the right inset.
        const auto rowsOfDump = rowsOf(dump, ctx);
        const auto number = frameOf(rowsOfDump[0].numberLine);
        EXPECT_NEAR(number.x + number.width, 318 * u, 0.01);
    }
}

TEST(NetworkView, ValuesReadWithOneDecimalBelowTenAndWholeFromTen) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<std::optional<double>, const char*> cases[] = {
        {9.94, "9.9"},   {9.96, "10.0"}, {10.0, "10"},          {10.5, "11"}, {0.0, "0.0"},
        {482.0, "482"},  {36.0, "36"},   {std::nullopt, "—"},  {11.49, "11"},
        // Nothing sensible to write: the dash.
        {inf, "—"},      {-inf, "—"},    {std::nan(""), "—"}, {1e19, "—"},  {9.3e18, "—"},
        {9.2e18, "9200000000000000000"},
    };
    for (const auto& [value, text] : cases) {
        SCOPED_TRACE(value ? std::to_string(*value) : "absent");
        EXPECT_EQ(NetworkView::valueText(value), text);
    }
}

TEST(NetworkView, BlocksShowValueAndUnitInTheLabelStyleAndDashesWhenNothingWasMeasured) {
    struct Case {
        std::optional<NetworkSnapshot> data;
        ThemeSettings::LabelStyle labels;
        const char *down, *up, *downValue, *upValue, *unit;
    };
    const Case cases[] = {
        {NetworkSnapshot{9.96, 0}, ThemeSettings::LabelStyle::monoCaps, "↓ DOWN", "↑ UP", "10.0", "0.0", " MB/S"},
        {NetworkSnapshot{482, 36}, ThemeSettings::LabelStyle::systemSans, "↓ Down", "↑ Up", "482", "36", " MB/s"},
        {std::nullopt, ThemeSettings::LabelStyle::monoCaps, "↓ DOWN", "↑ UP", "—", "—", " MB/S"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.downValue);
        const auto ctx = context(c.labels);
        const auto dump = ui::dump(NetworkView{c.data, ctx}.body(), {160, 160}, env());
        std::vector<DumpLine> texts;
        for (const auto& l : lines(dump))
            if (has(l, "Text ")) texts.push_back(l);
        ASSERT_EQ(texts.size(), 6u) << dump;
        const char* expected[] = {c.down, c.downValue, c.unit, c.up, c.upValue, c.unit};
        const ui::Color colours[] = {ctx.pal.inkDim, ctx.pal.ink, ctx.pal.inkDim,
                                     ctx.pal.inkDim, ctx.pal.ink, ctx.pal.inkDim};
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_TRUE(has(texts[i], std::string("text=\"") + expected[i] + "\"")) << texts[i];
            EXPECT_TRUE(has(texts[i], "color=" + hex(colours[i]))) << texts[i];
        }
        // Leading-aligned at the 22-point inset; value and unit sit on one baseline.
        EXPECT_NEAR(frameOf(texts[0]).x, 22, 0.01);
        EXPECT_NEAR(frameOf(texts[1]).x, 22, 0.01);
        const auto value = frameOf(texts[1]), unit = frameOf(texts[2]);
        EXPECT_NEAR(unit.x, value.x + value.width + 2, 0.01);
        EXPECT_GT(unit.y, value.y);  // the smaller unit text hangs lower to meet the baseline
    }
}

namespace {

// The colour of the ring at `degrees` clockwise from the top, on the middle
// of its stroke.
QColor ringAt(const QImage& image, double degrees) {
    const double cx = 80, cy = 86, r = 46;  // the 92-point ring, 12 points below centre
    const double a = degrees * M_PI / 180;
    return image.pixelColor(int(std::lround(cx + r * std::sin(a))), int(std::lround(cy - r * std::cos(a))));
}

bool near(const QColor& c, const ui::Color& want) {
    return std::abs(c.redF() - want.r) < 0.1 && std::abs(c.greenF() - want.g) < 0.1 &&
           std::abs(c.blueF() - want.b) < 0.1 && c.alphaF() > 0.9;
}

} // namespace

TEST(StorageView, RingFillsClockwiseFromTheTopAndNeverDividesByZero) {
    struct Case {
        StorageSnapshot data;
        const char *used, *of;
        std::vector<double> filledAt, emptyAt;
    };
    const Case cases[] = {
        {{0, 0}, "0", "OF 0GB", {}, {5, 90, 180, 270, 355}},
        {{600, 1000}, "600", "OF 1TB", {5, 90, 180, 210}, {225, 270, 355}},
        {{1200, 1000}, "1200", "OF 1TB", {5, 90, 180, 270, 355}, {}},
        {{-5, 994}, "-5", "OF 994GB", {}, {5, 180, 355}},
    };
    const auto ctx = context();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.used);
        const auto view = StorageView{c.data, ctx}.body();
        const auto dump = ui::dump(view, {160, 160}, env());
        std::vector<DumpLine> texts;
        for (const auto& l : lines(dump))
            if (has(l, "Text ")) texts.push_back(l);
        ASSERT_EQ(texts.size(), 3u) << dump;
        EXPECT_TRUE(has(texts[0], "text=\"STORAGE\"")) << texts[0];
        EXPECT_NEAR(frameOf(texts[0]).x, 22, 0.01);
        EXPECT_NEAR(frameOf(texts[0]).y, 20, 0.01);
        EXPECT_TRUE(has(texts[1], std::string("text=\"") + c.used + "\"")) << texts[1];
        EXPECT_TRUE(has(texts[1], "color=" + hex(ctx.pal.ink)));
        EXPECT_TRUE(has(texts[2], std::string("text=\"") + c.of + "\"")) << texts[2];

        const auto image = ui::render(view, {160, 160}, 1, env()).image;
        for (double d : c.filledAt) EXPECT_TRUE(near(ringAt(image, d), ctx.pal.fill)) << "filled at " << d;
        for (double d : c.emptyAt) EXPECT_TRUE(near(ringAt(image, d), ctx.pal.track)) << "track at " << d;
    }
}

TEST(StorageView, CaptionsFollowTheLabelStyle) {
    const auto ctx = context(ThemeSettings::LabelStyle::systemSans);
    const auto dump = ui::dump(StorageView{{600, 1000}, ctx}.body(), {160, 160}, env());
    EXPECT_TRUE(has(dump, "text=\"Storage\"")) << dump;
    EXPECT_TRUE(has(dump, "text=\"Of 1TB\"")) << dump;
}
