#include "shared/views/kit/DotBar.h"
#include "shared/views/kit/DotBarChart.h"
#include "shared/views/kit/DotGrid.h"
#include "tests/support/dump/DumpLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace plyx {
namespace {

using test::hex;
using ui::Color;

const Color kTrack = Color::grey255(58);
const Color kFill = Color::grey255(245);
const Color kOver = Color::rgb(215 / 255.0, 25 / 255.0, 33 / 255.0);
const Color kHighlight = Color::rgb(10 / 255.0, 132 / 255.0, 1);
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

DotBar bar(double fraction, double over, double pitch = 6, double u = 1) {
    return DotBar{fraction, over, pitch, 4, kTrack, kFill, kOver, u};
}

// The fill colours of the dots a view draws, in drawing order.
std::vector<std::string> dotColours(const ui::View& v, ui::Size size) {
    std::vector<std::string> out;
    for (const auto& l : test::ofKind(test::dumpLines(v, size), "Circle")) out.push_back(l.attr("fill"));
    return out;
}

std::vector<std::string> run(int fill, int over, int track) {
    std::vector<std::string> out(fill, hex(kFill));
    out.insert(out.end(), over, hex(kOver));
    out.insert(out.end(), track, hex(kTrack));
    return out;
}

TEST(DotBar, DotCountFollowsTheWidthInPitches) {
    struct Case {
        double widthInPitches, pitch, u;
        int dots;
    };
    const Case cases[] = {
        {10, 6, 1, 10}, {9.9, 6, 1, 10}, {9.7, 6, 1, 9}, {0.5, 6, 1, 1}, {0, 6, 1, 1},
        {10, 5, 1.25, 10}, {20, 3, 2, 20},
    };
    for (const auto& c : cases) {
        const double w = c.widthInPitches * c.pitch * c.u;
        EXPECT_EQ(bar(0, 0, c.pitch, c.u).dotCount(w), c.dots) << c.widthInPitches;
        EXPECT_EQ(dotColours(bar(0, 0, c.pitch, c.u), {std::max(w, 1.0), 8}).size(), std::size_t(c.dots))
            << c.widthInPitches;
    }
}

// A zero, negative or non-finite pitch (or scale unit) used to divide by zero;
// it now draws exactly one dot.
TEST(DotBar, UnusablePitchDrawsOneDot) {
    for (const auto& [pitch, u] : {std::pair{0.0, 1.0}, {-6.0, 1.0}, {kNaN, 1.0}, {kInf, 1.0}, {6.0, 0.0}, {6.0, kNaN}}) {
        const DotBar b = bar(0.5, 0, pitch, u);
        EXPECT_EQ(b.dotCount(100), 1) << pitch << " u " << u;
        EXPECT_EQ(dotColours(b, {100, 8}).size(), 1u) << pitch << " u " << u;
    }
    EXPECT_EQ(bar(0, 0).dotCount(kInf), 1);
    EXPECT_EQ(bar(0, 0, 1e-300).dotCount(100), 4096); // bounded, not a runaway loop
}

TEST(DotBar, FilledAndOverDotsRoundHalfAwayFromZero) {
    struct Case {
        double fraction, over;
        double widthInPitches;
        std::vector<std::string> colours;
    };
    const Case cases[] = {
        {0.5, 0, 9, run(5, 0, 4)},      // 4.5 -> 5
        {0.25, 0, 10, run(3, 0, 7)},    // 2.5 -> 3
        {0.6, 0.3, 10, run(6, 3, 1)},
        {1, 0.3, 10, run(10, 0, 0)},    // a full bar leaves no room for over dots
        {1.7, 0, 10, run(10, 0, 0)},    // held to 1
        {-0.4, 0.2, 10, run(0, 2, 8)},  // held to 0
        {kNaN, 0.2, 10, run(0, 2, 8)},  // not a number counts as 0
        {0.3, kInf, 10, run(3, 0, 7)},
        {0.3, -kInf, 10, run(3, 0, 7)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dotColours(bar(c.fraction, c.over), {c.widthInPitches * 6, 4}), c.colours)
            << c.fraction << " / " << c.over;
}

TEST(DotBar, LaysDotsFromTheLeadingEdgeAtPitch) {
    const auto dots = test::ofKind(test::dumpLines(bar(0.5, 0, 6, 2), {120, 30}), "Circle");
    ASSERT_EQ(dots.size(), 10u);
    for (std::size_t i = 0; i < dots.size(); ++i) {
        EXPECT_NEAR(dots[i].x, 12.0 * double(i), 0.01);
        EXPECT_NEAR(dots[i].width, 8, 0.01);
    }
    // The bar is one dot high whatever the space.
    EXPECT_NEAR(dots[0].height, 8, 0.01);
    const QImage img = test::renderImage(ui::VStack({bar(0.5, 0, 6, 2), ui::Spacer()}), {120, 30});
    EXPECT_TRUE(test::near(test::pixelAt(img, 4, 4), kFill));
    EXPECT_TRUE(test::near(test::pixelAt(img, 112, 4), kTrack));
    EXPECT_EQ(test::pixelAt(img, 10, 4).alpha(), 0); // the gap between dots stays empty
}

DotGrid grid(int cols, int rows, int filled, std::optional<int> highlight) {
    return DotGrid{cols, rows, filled, 6, kTrack, kFill, highlight, kHighlight, 1};
}

TEST(DotGrid, FilledRangeAndHighlightInReadingOrder) {
    const auto lines = test::dumpLines(grid(7, 5, 12, 11), {140, 100});
    const auto dots = test::ofKind(lines, "Circle");
    ASSERT_EQ(dots.size(), 35u);
    for (int k = 0; k < 35; ++k) {
        const Color want = k == 11 ? kHighlight : k < 12 ? kFill : kTrack;
        EXPECT_EQ(dots[k].attr("fill"), hex(want)) << k;
    }
    // Outer dots touch the edges; the highlight keeps its place in the grid.
    EXPECT_NEAR(dots[0].x, 0, 0.01);
    EXPECT_NEAR(dots[0].y, 0, 0.01);
    EXPECT_NEAR(dots[34].x, 134, 0.01);
    EXPECT_NEAR(dots[34].y, 94, 0.01);
    const double pitchX = (140 - 6) / 6.0;
    EXPECT_NEAR(dots[11].x, 4 * pitchX, 0.01);
    EXPECT_NEAR(dots[11].y, (100 - 6) / 4.0, 0.01);
    EXPECT_NEAR(dots[12].x, 5 * pitchX, 0.01);
    int scaled = 0;
    for (const auto& l : lines)
        if (l.attr("by") == "1.7,1.7") ++scaled;
    EXPECT_EQ(scaled, 1);

    // Drawn 1.7 times as large: a point 0.7 dot-widths from its centre is lit.
    const QImage img = test::renderImage(grid(7, 5, 12, 11), {140, 100});
    const double cx = dots[11].x + 3, cy = dots[11].y + 3;
    EXPECT_TRUE(test::near(test::pixelAt(img, cx + 4.2 - 0.5, cy), kHighlight, 6));
    EXPECT_EQ(test::pixelAt(img, dots[10].x + 3 + 4.2, dots[10].y + 3).alpha(), 0);
}

TEST(DotGrid, EdgeCounts) {
    // One column: no horizontal gap, the dots stand at the leading edge.
    const auto column = test::ofKind(test::dumpLines(grid(1, 4, 0, std::nullopt), {50, 60}), "Circle");
    ASSERT_EQ(column.size(), 4u);
    for (const auto& d : column) EXPECT_NEAR(d.x, 0, 0.01);
    EXPECT_NEAR(column[3].y, 54, 0.01);
    const auto row = test::ofKind(test::dumpLines(grid(5, 1, 0, std::nullopt), {60, 50}), "Circle");
    ASSERT_EQ(row.size(), 5u);
    for (const auto& d : row) EXPECT_NEAR(d.y, 0, 0.01);

    for (const auto& [cols, rows] : {std::pair{0, 5}, {7, 0}, {-3, 4}, {4, -1}})
        EXPECT_TRUE(test::ofKind(test::dumpLines(grid(cols, rows, 3, 0), {60, 60}), "Circle").empty());

    // Negative filled count: every dot is track; a highlight outside the grid singles out none.
    EXPECT_EQ(dotColours(grid(3, 2, -5, 99), {60, 40}), run(0, 0, 6));
}

TEST(DotBarChart, ColumnsGrowFromTheBaselineInEqualShares) {
    const Color peak = kOver;
    const Color labelPeak = kHighlight;
    const DotBarChart chart{{DotBarChart::Bar(0, std::nullopt, "MON"), DotBarChart::Bar(0.54, peak, "TUE", labelPeak),
                             DotBarChart::Bar(1, std::nullopt, "WEDNESDAY")},
                            12, 60, 6, 4, kFill, ui::Font::system(9), kTrack, 1};
    EXPECT_EQ(chart.rowCount(chart.bars[0]), 1);
    EXPECT_EQ(chart.rowCount(chart.bars[1]), 5); // 5.4 rounds down
    EXPECT_EQ(chart.rowCount(chart.bars[2]), 10);
    EXPECT_EQ(chart.dotsPerRow(), 2);

    const auto lines = test::dumpLines(chart, {300, 90});
    const auto dots = test::ofKind(lines, "Circle");
    ASSERT_EQ(dots.size(), std::size_t(2 * (1 + 5 + 10)));
    // Bars in order: 2 dots of bar 0, 10 of bar 1, 20 of bar 2.
    for (std::size_t i = 0; i < dots.size(); ++i)
        EXPECT_EQ(dots[i].attr("fill"), hex(i >= 2 && i < 12 ? peak : kFill)) << i;
    // Each bar's lowest row sits on the same baseline; the tallest reaches the top.
    const double base = dots[1].y;
    EXPECT_NEAR(dots[11].y, base, 0.01);
    EXPECT_NEAR(dots.back().y, base, 0.01);
    EXPECT_NEAR(dots[12].y, base - 9 * 6, 0.01);
    // Equal shares of 100 points: columns centred at 50, 150, 250.
    EXPECT_NEAR(dots[0].x + 5, 50, 0.01);
    EXPECT_NEAR(dots[2].x + 5, 150, 0.01);
    EXPECT_NEAR(dots[12].x + 5, 250, 0.01);

    const auto texts = test::ofKind(lines, "Text");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].attr("color"), hex(kTrack));
    EXPECT_EQ(texts[1].attr("color"), hex(labelPeak));
    for (const auto& t : texts) EXPECT_GT(t.y, base + 4); // labels under the bars

    const QImage img = test::renderImage(chart, {300, 90});
    EXPECT_TRUE(test::near(test::pixelAt(img, dots[11].x + 2, dots[11].y + 2), peak));
    EXPECT_EQ(test::pixelAt(img, 150, dots[12].y + 2).alpha(), 0); // no track dots above a short bar
}

TEST(DotBarChart, DegenerateInputsStillDrawOneDotPerRow) {
    auto chartOf = [](double value, double barWidth, double pitch) {
        return DotBarChart{{DotBarChart::Bar(value, std::nullopt, "")}, barWidth, 60, pitch, 4, kFill,
                           ui::Font::system(9), kTrack, 1};
    };
    struct Case {
        double value, barWidth, pitch;
        int rows, perRow;
    };
    const Case cases[] = {
        {1, 2, 6, 10, 1},     // bar narrower than half a pitch
        {kNaN, 12, 6, 1, 2},  // not a number counts as 0
        {3, 12, 6, 10, 2},    // held to 1: never rises past the frame
        {-1, 12, 6, 1, 2},
        {0.5, 12, 0, 1, 1},   // unusable pitch
        {0.5, 12, kNaN, 1, 1},
    };
    for (const auto& c : cases) {
        const auto chart = chartOf(c.value, c.barWidth, c.pitch);
        EXPECT_EQ(chart.rowCount(chart.bars[0]), c.rows) << c.value << " " << c.pitch;
        EXPECT_EQ(chart.dotsPerRow(), c.perRow) << c.barWidth << " " << c.pitch;
        EXPECT_EQ(test::ofKind(test::dumpLines(chart, {60, 90}), "Circle").size(), std::size_t(c.rows * c.perRow));
    }
    // Every bar made has its own identity.
    EXPECT_NE(chartOf(0, 1, 1).bars[0].id, chartOf(0, 1, 1).bars[0].id);
}

} // namespace
} // namespace plyx
