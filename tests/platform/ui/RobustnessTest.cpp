// Values that are not numbers, or are infinite or negative, reach views from
// computed data (a ratio over zero, an unset measurement). They must neither
// crash the layout nor leave non-finite frames for the painter.
#include "platform/ui/Element.h"
#include "platform/ui/View.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <limits>
#include <optional>

using namespace plyx::ui;

TEST(Robustness, DegenerateValuesLayOutAndDrawSafely) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = infinity;
    // Where the value a degenerate one stands for is plain, the view with that
    // value (`same`) must draw the very same pixels.
    const struct {
        const char* name;
        View view;
        std::optional<View> same;
    } cases[] = {
        {"trim to NaN", Circle().trim(0, nan).stroke(Color::black(), 4).frame(40, 40), std::nullopt},
        {"stroke width NaN", Circle().stroke(Color::black(), nan).frame(40, 40),
         Circle().stroke(Color::black(), 0).frame(40, 40)},
        {"fixed frame NaN and infinite", Rectangle().frame(nan, inf), std::nullopt},
        {"flexible frame NaN and negative", Rectangle().frame(FlexFrame{.minWidth = nan, .maxWidth = -5}), std::nullopt},
        {"padding NaN", Rectangle().padding(nan), Rectangle().padding(0)},
        {"effects NaN and infinite", Rectangle().offset(nan, inf).rotationEffect(nan).scaleEffect(inf).opacity(nan),
         Rectangle().offset(0, 0).rotationEffect(0).scaleEffect(1).opacity(1)},
        {"font size NaN", Text("abc").font(Font::system(nan)), Text("abc").font(Font::system(0))},
        {"font size negative", Text("abc").font(Font::system(-3)), std::nullopt},
        {"tiny font in a short frame", Text("a b c d e f").font(Font::system(0.001)).frame(5, 3), std::nullopt},
        {"text spacing NaN and infinite", Text("a\nb").tracking(nan).lineSpacing(inf).minimumScaleFactor(nan), std::nullopt},
        {"stack spacing NaN", HStack({Rectangle(), Rectangle()}, VerticalAlignment::center, nan),
         HStack({Rectangle(), Rectangle()})},
        {"spacer NaN", VStack({Spacer(nan), Rectangle().frame(10, 10)}), std::nullopt},
        {"symbol at an infinite size", Image("checkmark").font(Font::system(inf)), std::nullopt},
        {"layout priority NaN", HStack({Rectangle().layoutPriority(nan), Rectangle()}),
         HStack({Rectangle(), Rectangle()})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string d = dump(c.view, {100, 100}, {});
        EXPECT_EQ(d.find("nan"), std::string::npos) << d;
        EXPECT_EQ(d.find("inf"), std::string::npos) << d;
        // Drawing must not crash either; where the stand-in value is plain, the
        // pixels are those of the view with that value.
        const QImage drawn = render(c.view, {100, 100}, 2, {}).image;
        if (!c.same) continue;
        EXPECT_EQ(d, dump(*c.same, {100, 100}, {}));
        EXPECT_TRUE(drawn == render(*c.same, {100, 100}, 2, {}).image) << "drawn differently from its stand-in";
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
