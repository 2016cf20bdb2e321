// Values that are not numbers, or are infinite or negative, reach views from
// computed data (a ratio over zero, an unset measurement). They must neither
// crash the layout nor leave non-finite frames for the painter.
#include "platform/ui/Element.h"
#include "platform/ui/View.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plyx::ui;

TEST(Robustness, DegenerateValuesLayOutAndDrawSafely) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = infinity;
    const struct {
        const char* name;
        View view;
    } cases[] = {
        {"trim to NaN", Circle().trim(0, nan).stroke(Color::black(), 4).frame(40, 40)},
        {"stroke width NaN", Circle().stroke(Color::black(), nan).frame(40, 40)},
        {"fixed frame NaN and infinite", Rectangle().frame(nan, inf)},
        {"flexible frame NaN and negative", Rectangle().frame(FlexFrame{.minWidth = nan, .maxWidth = -5})},
        {"padding NaN", Rectangle().padding(nan)},
        {"effects NaN and infinite", Rectangle().offset(nan, inf).rotationEffect(nan).scaleEffect(inf).opacity(nan)},
        {"font size NaN", Text("abc").font(Font::system(nan))},
        {"font size negative", Text("abc").font(Font::system(-3))},
        {"tiny font in a short frame", Text("a b c d e f").font(Font::system(0.001)).frame(5, 3)},
        {"text spacing NaN and infinite", Text("a\nb").tracking(nan).lineSpacing(inf).minimumScaleFactor(nan)},
        {"stack spacing NaN", HStack({Rectangle(), Rectangle()}, VerticalAlignment::center, nan)},
        {"spacer NaN", VStack({Spacer(nan), Rectangle().frame(10, 10)})},
        {"symbol at an infinite size", Image("checkmark").font(Font::system(inf))},
        {"layout priority NaN", HStack({Rectangle().layoutPriority(nan), Rectangle()})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string d = dump(c.view, {100, 100}, {});
        EXPECT_EQ(d.find("nan"), std::string::npos) << d;
        EXPECT_EQ(d.find("inf"), std::string::npos) << d;
        const auto r = render(c.view, {100, 100}, 2, {});
        EXPECT_EQ(r.image.width(), 200);
    }
}

// What the modifiers refuse can still reach an element from inside the layer.
// The stack's invariant check stops such a layout at once: without it, a
// priority that is not a number leaves the serving loop without progress.
TEST(RobustnessDeathTest, AStackOrderBrokenByAPriorityThatIsNotANumberStopsTheLayout) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto stack = detail::buildChild(HStack({Rectangle(), Rectangle().frame(10, 10)}), {});
            stack->children()[0]->layoutPriority = std::numeric_limits<double>::quiet_NaN();
            (void)stack->sizeThatFits({100, 100});
        },
        "invariant failed: .*layoutPriority");
}
