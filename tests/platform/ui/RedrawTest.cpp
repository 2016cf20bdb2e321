// Drawing a frame into the image of the last one: only what changed is drawn
// again, and the image must come out exactly as a fresh render of the frame.
#include "platform/ui/Shape.h"
#include "platform/ui/View.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plyx::ui;
using plyx::Date;

namespace {

const Color kRed = Color::rgb(1, 0, 0);
const Color kGreen = Color::rgb(0.1, 0.8, 0.3);
const Color kInk = Color::rgb(0.95, 0.95, 0.9);
const Color kSurface = Color::rgb(0.08, 0.09, 0.1);

/// A small monitor-like widget: a background, labels, a row of dots of which
/// `filled` are lit, and a number.
View meter(int filled, const std::string& number, const Color& lit = kGreen, const Color& surface = kSurface) {
    std::vector<View> dots;
    for (int i = 0; i < 10; ++i) dots.push_back(Circle().fill(i < filled ? lit : kInk.opacity(0.2)).frame(6, 6));
    return HStack({Text("CPU").font(Font::system(10)), HStack(std::move(dots), VerticalAlignment::center, 2.5),
                   Text(number).font(Font::system(15, FontWeight::heavy)).frame(40, std::nullopt, Alignment::trailing)},
                  VerticalAlignment::center, 8)
        .foregroundColor(kInk)
        .frameFill()
        .background(Rectangle().fill(surface));
}

/// A free drawing: a line from the top-left corner to (x, 30).
View sketch(double x) {
    return Canvas([x](QPainter& p, Size) {
        p.setPen(QPen(QColor(255, 0, 0), 3));
        p.drawLine(QPointF(0, 0), QPointF(x, 30));
    });
}

/// The meter with a square of `square` in its top-left corner, cut to a rounded outline.
View cornered(const Color& square) {
    std::vector<View> layers;
    layers.push_back(meter(4, "42%"));
    layers.push_back(Rectangle().fill(square).frame(24, 24).frame(200, 60, Alignment::topLeading));
    return ZStack(std::move(layers)).clipShape(RoundedRectangle(18));
}

struct Change {
    const char* name;
    View before, after;
};

std::vector<Change> changes() {
    return {
        {"nothing", meter(4, "42%"), meter(4, "42%")},
        {"the number", meter(4, "42%"), meter(4, "57%")},
        {"the dots", meter(4, "42%"), meter(6, "42%")},
        {"dot colour", meter(4, "42%"), meter(4, "42%", kRed)},
        {"the background", meter(4, "42%"), meter(4, "42%", kGreen, Color::rgb(0.2, 0.1, 0.1))},
        {"a view goes", ZStack({meter(4, "42%"), Circle().fill(kRed).frame(20, 20)}), meter(4, "42%")},
        {"a view comes", meter(4, "42%"), ZStack({meter(4, "42%"), Circle().fill(kRed).frame(20, 20)})},
        {"to nothing", meter(4, "42%"), EmptyView()},
        {"moved", Circle().fill(kRed).frame(20, 20).offset(-30, 0), Circle().fill(kRed).frame(20, 20).offset(31.3, 4.1)},
        {"rotated", Capsule().fill(kRed).frame(60, 12).rotationEffect(10),
         Capsule().fill(kRed).frame(60, 12).rotationEffect(35)},
        {"scaled", Text("Scaled").scaleEffect(1), Text("Scaled").scaleEffect(1.7)},
        {"faded", meter(4, "42%").opacity(0.9), meter(4, "42%").opacity(0.4)},
        {"translucent", Circle().fill(kRed.opacity(0.5)).frame(40, 40), Circle().fill(kGreen.opacity(0.5)).frame(40, 40)},
        {"gradient", Rectangle().fill(LinearGradient{Gradient::evenly({kRed, kGreen})}),
         Rectangle().fill(LinearGradient{Gradient::evenly({kRed, kInk})})},
        {"stroke width", Circle().stroke(kRed, 2).frame(50, 50), Circle().stroke(kRed, 9).frame(50, 50)},
        {"trim", Circle().trim(0, 0.3).stroke(kRed, 6).frame(50, 50), Circle().trim(0, 0.7).stroke(kRed, 6).frame(50, 50)},
        {"custom path", Path([](const QRectF& r) {
                            QPainterPath p;
                            p.addEllipse(r);
                            return p;
                        }).fill(kRed).frame(40, 20),
         Path([](const QRectF& r) {
             QPainterPath p;
             p.addRect(r.adjusted(5, 0, -5, 0));
             return p;
         }).fill(kRed).frame(40, 20)},
        {"clip", Rectangle().fill(kRed).clipShape(Circle()).frame(60, 60),
         Rectangle().fill(kRed).clipShape(Capsule()).frame(60, 30)},
        {"clipped content", Text("clipped").font(Font::system(30)).clipShape(Rectangle()).frame(50, 20),
         Text("clipper").font(Font::system(30)).clipShape(Rectangle()).frame(50, 20)},
        {"mask content", Rectangle().fill(kRed).mask(Text("mask").font(Font::system(30))),
         Rectangle().fill(kRed).mask(Text("mast").font(Font::system(30)))},
        {"masked content", Rectangle().fill(kRed).mask(Circle().frame(30, 30)),
         Rectangle().fill(kGreen).mask(Circle().frame(30, 30))},
        {"symbol colour", Image("cpu").foregroundColor(kRed), Image("cpu").foregroundColor(kGreen)},
        {"rotated symbol", Image("cpu").foregroundColor(kRed).rotationEffect(20),
         Image("cpu").foregroundColor(kRed).rotationEffect(21)},
        // A widget cut to its outline: what changes inside it is drawn without
        // the outline's clip, what changes at a corner with it.
        {"inside a rounded outline", meter(4, "42%").clipShape(RoundedRectangle(18)),
         meter(6, "57%").clipShape(RoundedRectangle(18))},
        {"at a rounded corner", cornered(kRed), cornered(kGreen)},
        {"free drawing", ZStack({meter(4, "42%"), sketch(40)}), ZStack({meter(4, "42%"), sketch(90)})},
        {"text over dots", ZStack({meter(4, "42%"), Text("overlapping").offset(10, 0)}),
         ZStack({meter(4, "42%"), Text("overlapping").offset(12, 0)})},
    };
}

} // namespace

TEST(Redraw, AFrameDrawnIntoTheLastOneEqualsAFreshRender) {
    const Size size{200, 60};
    for (const double dpr : {1.0, 1.5, 2.0}) {
        for (const auto& c : changes()) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(dpr));
            QImage last = render(c.before, size, dpr, {}).image;
            const uchar* buffer = last.constBits();
            auto again = render(c.after, size, dpr, {}, std::move(last));
            EXPECT_EQ(again.image.constBits(), buffer) << "drawn into the same pixels";
            EXPECT_EQ(again.image, render(c.after, size, dpr, {}).image);
            // And back, so a redraw also starts from a redrawn frame.
            const auto back = render(c.before, size, dpr, {}, std::move(again.image));
            EXPECT_EQ(back.image, render(c.before, size, dpr, {}).image);
        }
    }
}

TEST(Redraw, ASeriesOfFramesStaysExact) {
    // A widget refreshed again and again, each frame into the last one's image.
    QImage last;
    const char* numbers[] = {"3%", "17%", "17%", "100%", "9%", "9%", "64%"};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const View frame = meter(i % 4 * 3, numbers[i], i == 3 ? kRed : kGreen);
        auto r = render(frame, {220, 80}, 2, {}, std::move(last));
        ASSERT_EQ(r.image, render(frame, {220, 80}, 2, {}).image);
        last = std::move(r.image);
    }
}

TEST(Redraw, PixelsChangedByAnyoneElseAreDrawnAgain) {
    const View v = meter(4, "42%");
    QImage last = render(v, {200, 60}, 2, {}).image;
    // Written through the image after the render: the renderer no longer knows these pixels.
    last.setPixelColor(3, 3, QColor(0, 0, 255));
    QPainter(&last).fillRect(QRect(100, 10, 50, 50), QColor(255, 255, 0));
    EXPECT_EQ(render(v, {200, 60}, 2, {}, std::move(last)).image, render(v, {200, 60}, 2, {}).image);

    // The same image at another ratio (same pixel size) is not the frame it was.
    QImage atOne = render(v, {200, 60}, 2, {}).image;
    atOne.setDevicePixelRatio(1);
    EXPECT_EQ(render(v, {400, 120}, 1, {}, std::move(atOne)).image, render(v, {400, 120}, 1, {}).image);
}

TEST(Redraw, HitsAreThoseOfAFreshRender) {
    const auto tappable = [](const std::string& label, const std::string& url) {
        return VStack({Button(Text(label), R"({"intent":"tap"})"),
                       Link(Circle().fill(kRed).frame(10, 10), url).mask(Rectangle()), meter(3, label)})
            .widgetURL("plyx://widget");
    };
    auto first = render(tappable("a", "plyx://one"), {200, 160}, 2, {});
    const View second = tappable("b", "plyx://two");
    auto redrawn = render(second, {200, 160}, 2, {}, std::move(first.image));
    const auto fresh = render(second, {200, 160}, 2, {});
    ASSERT_EQ(redrawn.hits.size(), fresh.hits.size());
    ASSERT_EQ(fresh.hits.size(), 3u);
    for (size_t i = 0; i < fresh.hits.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(redrawn.hits[i].rect, fresh.hits[i].rect);
        EXPECT_EQ(redrawn.hits[i].payload, fresh.hits[i].payload);
        EXPECT_EQ(redrawn.hits[i].depth, fresh.hits[i].depth);
    }
    // Unchanged frames too: nothing is drawn, the hits are still all there.
    const auto same = render(second, {200, 160}, 2, {}, std::move(redrawn.image));
    EXPECT_EQ(same.hits.size(), fresh.hits.size());
}

namespace {

/// A timer card: a running countdown, a dot that never changes, and
/// optionally the countdown's bar.
View timerCard(Date start, Date end, bool bar) {
    std::vector<View> rows{HStack({TimerText(start, end, true).font(Font::system(22, FontWeight::heavy)).monospacedDigit(),
                                   Spacer(), Circle().fill(kRed).frame(20, 20)})};
    if (bar) rows.push_back(TimerProgress(start, end, true, kGreen));
    return VStack(std::move(rows), HorizontalAlignment::leading, 6)
        .padding(Edges::all, 10)
        .foregroundColor(kInk)
        .frameFill()
        .background(Rectangle().fill(kSurface));
}

QImage blank(Size size, double dpr) {
    QImage image(int(std::ceil(size.width * dpr)), int(std::ceil(size.height * dpr)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    return image;
}

QImage paintedWhole(Layout& layout) {
    QImage image = blank(layout.size(), layout.environment().displayScale);
    QPainter painter(&image);
    layout.paint(painter);
    return image;
}

/// What a window does with the changed pixels: clears them and draws them again.
void drawAgain(Layout& layout, QImage& image, const QRegion& changed) {
    const double dpr = layout.environment().displayScale;
    QPainter painter(&image);
    painter.setWorldTransform(QTransform::fromScale(1 / dpr, 1 / dpr));
    painter.setClipRegion(changed);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(image.rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setWorldTransform(QTransform());
    layout.paint(painter, changed);
}

} // namespace

TEST(Redraw, AMovingMomentKeepsTheLayoutAndDrawsAgainOnlyWhatItChanges) {
    const Date start{10000};
    const Size size{300, 80};
    for (const bool bar : {false, true}) {
        for (const double dpr : {1.0, 2.0}) {
            SCOPED_TRACE((bar ? "with the bar at " : "text only at ") + std::to_string(dpr));
            const View card = timerCard(start, start + 1500, bar);
            Environment env;
            env.displayScale = dpr;
            env.now = start + 30.2;
            Layout layout(card, size, env);
            ASSERT_TRUE(layout.countsTime());
            QImage shown = paintedWhole(layout);
            for (const double step : {1.0, 1.0, 0.3, 61.0, 1.0}) {
                env.now = env.now + step;
                const auto changed = layout.advance(env.now);
                ASSERT_TRUE(changed) << "the digits are as wide as before: the layout stays";
                // The dot beside the time is never part of what changed.
                const QRect dot(int(270 * dpr), int(10 * dpr), int(20 * dpr), int(20 * dpr));
                EXPECT_FALSE(changed->intersects(dot));
                drawAgain(layout, shown, *changed);
                Layout fresh(card, size, env);
                ASSERT_EQ(shown, paintedWhole(fresh)) << "at +" << (env.now - start);
            }
        }
    }
}

TEST(Redraw, AMomentThatResizesItsPartAsksForANewLayout) {
    // Counting up from 9:59 to 10:00 adds a digit; the label beside it must move.
    const Date start{10000};
    const View v = HStack({TimerText(start, start + 7200, false, false), Text("left")});
    Environment env;
    env.now = start + 599.5;
    Layout layout(v, {200, 40}, env);
    EXPECT_TRUE(layout.countsTime());
    EXPECT_FALSE(layout.advance(start + 600.5));
}

TEST(Redraw, OnlyRunningTimersCountTime) {
    const Date t{50000};
    const struct {
        const char* name;
        View view;
        bool counts;
    } cases[] = {
        {"a countdown that runs", TimerText(t - 10, t + 10, true), true},
        {"a countdown that starts within the second", TimerText(t + 0.5, t + 10, true), true},
        {"a countdown that starts later", TimerText(t + 5, t + 10, true), false},
        {"a countdown at its end", TimerText(t - 10, t, true), false},
        {"a bar that runs", TimerProgress(t - 10, t + 10, false, kRed), true},
        {"a bar that is full", TimerProgress(t - 10, t - 1, false, kRed), false},
        {"a timer deep in a tree", VStack({Text("a"), ZStack({TimerText(t, t + 60, false).padding(Edges::all, 3)})}),
         true},
        {"the moment read, no timer", ReadMoment([](Date now) { return Text(now > Date{0} ? "later" : "early"); }),
         false},
        {"a timer built from the moment", ReadMoment([](Date now) { return TimerText(now, now + 60, true); }), true},
        {"the environment read", ReadEnvironment([](const Environment&) { return Text("x"); }), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Environment env;
        env.now = t;
        Layout layout(c.view, {120, 40}, env);
        EXPECT_EQ(layout.countsTime(), c.counts);
        // Still so a second later, as the host asks after each repaint.
        ASSERT_TRUE(layout.advance(t + 0.25));
        EXPECT_EQ(layout.countsTime(), c.counts);
    }
}
