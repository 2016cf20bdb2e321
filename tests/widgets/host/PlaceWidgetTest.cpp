// Where widget windows go: new ones to a free spot, and every one onto a
// screen that shows it.
#include "widgets/host/PlaceWidget.h"

#include <gtest/gtest.h>

using plyx::host::freeSpot;
using plyx::host::keptOnScreen;

namespace {

const QRect kLeft(0, 0, 1920, 1080);
const QRect kRight(1920, 0, 1280, 1024);

} // namespace

TEST(KeptOnScreen, AWindowNoScreenShowsComesBackOntoTheNearestWhole) {
    const QSize w(170, 170);
    struct Case {
        QPoint at;
        std::vector<QRect> screens;
        QPoint shown;
        const char* why;
    } cases[] = {
        {{40, 60}, {kLeft}, {40, 60}, "on a screen: left where it is"},
        {{1900, 60}, {kLeft, kRight}, {1900, 60}, "across two screens"},
        {{-100, 60}, {kLeft}, {-100, 60}, "partly off, enough still shown to drag"},
        {{-130, -130}, {kLeft}, {0, 0}, "only a corner shown: too little to grab"},
        {{-16384, -16384}, {kLeft}, {0, 0}, "far off to the top left"},
        {{16384, 500}, {kLeft, kRight}, {3200 - 170, 500}, "far off to the right: onto the right-hand screen"},
        {{2500, 300}, {kLeft}, {1920 - 170, 300}, "its screen went away: onto the one left"},
        {{2500, 300}, {}, {2500, 300}, "no screens known: unchanged"},
    };
    for (const auto& c : cases) EXPECT_EQ(keptOnScreen(QRect(c.at, w), c.screens), c.shown) << c.why;
    // A window larger than its screen shows its top left.
    EXPECT_EQ(keptOnScreen(QRect(QPoint(5000, 5000), QSize(400, 300)), {QRect(0, 0, 320, 240)}), QPoint(0, 0));
}

TEST(FreeSpot, GoesDownTheFirstColumnThenTheNextAndKeepsAGap) {
    const QSize small(170, 170), wide(364, 170);
    const QRect area(0, 0, 1280, 500);
    std::vector<QRect> taken;
    std::vector<QPoint> spots;
    for (int i = 0; i < 4; ++i) {
        const QPoint at = freeSpot(small, area, taken);
        for (const auto& r : taken) EXPECT_FALSE(r.adjusted(-15, -15, 15, 15).intersects(QRect(at, small))) << i;
        EXPECT_TRUE(area.contains(QRect(at, small))) << i;
        taken.emplace_back(at, small);
        spots.push_back(at);
    }
    EXPECT_EQ(spots, (std::vector<QPoint>{{24, 24}, {24, 210}, {210, 24}, {210, 210}})) << "two fit a column";
    // A gap between placed widgets is taken when it is large enough, not otherwise.
    EXPECT_EQ(freeSpot(small, area, {QRect(24, 24, 170, 170), QRect(24, 400, 170, 90)}), QPoint(24, 210));
    EXPECT_EQ(freeSpot(small, area, {QRect(24, 24, 170, 170), QRect(24, 380, 170, 90)}), QPoint(210, 24));
    EXPECT_EQ(freeSpot(wide, QRect(0, 0, 1280, 300), {QRect(24, 24, 170, 170), QRect(400, 24, 170, 170)}),
              QPoint(586, 24));
    // A widget placed by hand in the way is gone round.
    EXPECT_EQ(freeSpot(small, area, {QRect(100, 100, 50, 50)}), QPoint(24, 166));
    // No room anywhere: the area's top left, as before.
    EXPECT_EQ(freeSpot(small, QRect(0, 0, 100, 100), {}), QPoint(24, 24));
}
