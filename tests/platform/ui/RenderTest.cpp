// Drawing: pixel probes for what a dump cannot show, hit rectangles and symbols.
#include "platform/ui/View.h"
#include "tests/support/TestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace plyx::ui;

namespace {

const Color kRed = Color::rgb(1, 0, 0);

/// The pixel at point (x, y) of an image rendered at some device-pixel ratio.
QColor at(const QImage& img, double x, double y) {
    const double dpr = img.devicePixelRatio();
    return img.pixelColor(int(x * dpr), int(y * dpr));
}

/// A point on a circle around (cx, cy), `degrees` clockwise from 12 o'clock.
QPointF onClock(double cx, double cy, double r, double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return {cx + r * std::sin(a), cy - r * std::cos(a)};
}

bool lit(const QColor& c) { return c.alpha() > 200; }
bool clear(const QColor& c) { return c.alpha() < 30; }

void saveArtifact(const QImage& img, const std::string& name) {
    if (auto dir = plyx::test::artifactsDir()) img.save(QString::fromStdString((*dir / (name + ".png")).string()));
}

} // namespace

TEST(Render, ImageSizeFollowsTheDevicePixelRatio) {
    for (double dpr : {1.0, 2.0, 3.0}) {
        const auto r = render(Rectangle().fill(kRed), {50, 20}, dpr, {});
        EXPECT_EQ(r.image.width(), int(50 * dpr));
        EXPECT_EQ(r.image.height(), int(20 * dpr));
        EXPECT_EQ(r.image.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(at(r.image, 49, 19), QColor(255, 0, 0));
    }
}

TEST(Render, AnImageHandedBackIsClearedAndDrawnIntoUnlessSomeoneHoldsIt) {
    const auto dot = Circle().fill(kRed).frame(10, 10);
    const QImage fresh = render(dot, {40, 40}, 2, {}).image;
    // A full red frame first, so pixels left over from it would show.
    auto previous = render(Rectangle().fill(kRed), {40, 40}, 2, {}).image;
    const uchar* buffer = previous.constBits();
    const auto again = render(dot, {40, 40}, 2, {}, std::move(previous)).image;
    EXPECT_EQ(again.constBits(), buffer) << "the same pixels, not a new allocation";
    EXPECT_EQ(again, fresh);

    // An image someone else still holds is never drawn over.
    const QImage held = render(Rectangle().fill(kRed), {40, 40}, 2, {}).image;
    const auto fromHeld = render(dot, {40, 40}, 2, {}, held).image;
    EXPECT_NE(fromHeld.constBits(), held.constBits());
    EXPECT_EQ(at(held, 1, 1), QColor(255, 0, 0));
    EXPECT_EQ(fromHeld, fresh);
    // Nor is one of another size.
    EXPECT_EQ(render(dot, {40, 40}, 2, {}, QImage(10, 10, QImage::Format_ARGB32_Premultiplied)).image, fresh);
}

TEST(Render, TrimmedRingStartsWhereTheRotationPutsIt) {
    // A quarter of a ring: unrotated it runs from 3 o'clock clockwise to 6; turned by
    // -90 degrees it runs from 12 to 3, the way progress rings are drawn.
    const auto ring = [](double rotation) {
        return Circle().trim(0, 0.25).stroke(kRed, 10).rotationEffect(rotation).frame(80, 80);
    };
    const struct {
        double rotation;
        double litAt, clearAt1, clearAt2;
    } cases[] = {
        {0, 135, 45, 225},   // lit between 3 and 6 o'clock
        {-90, 45, 135, 315}, // lit between 12 and 3 o'clock
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rotation);
        const auto img = render(ring(c.rotation), {100, 100}, 2, {}).image;
        saveArtifact(img, "ring-" + std::to_string(int(c.rotation)));
        auto probe = [&](double deg) {
            const QPointF p = onClock(50, 50, 40, deg);
            return at(img, p.x(), p.y());
        };
        EXPECT_TRUE(lit(probe(c.litAt)));
        EXPECT_TRUE(clear(probe(c.clearAt1)));
        EXPECT_TRUE(clear(probe(c.clearAt2)));
        EXPECT_TRUE(clear(at(img, 50, 50)));
    }
}

TEST(Render, InsetStrokeStaysInsideTheFrame) {
    const auto inset = render(Circle().strokeBorder(kRed, 10).frame(80, 80), {80, 80}, 2, {}).image;
    const auto centred = render(Circle().stroke(kRed, 10).frame(80, 80), {80, 80}, 2, {}).image;
    // Inside the edge, 7 points in from the top: only the inset ring reaches it.
    EXPECT_TRUE(lit(at(inset, 40, 7)));
    EXPECT_TRUE(clear(at(centred, 40, 7)));
    EXPECT_TRUE(lit(at(centred, 40, 2)));
}

TEST(Render, GradientsRunTheirWay) {
    const Gradient rb = Gradient::evenly({Color::rgb(1, 0, 0), Color::rgb(0, 0, 1)});
    const auto linear = render(Rectangle().fill(LinearGradient{rb, UnitPoint::top(), UnitPoint::bottom()}), {40, 100}, 1, {}).image;
    EXPECT_GT(at(linear, 20, 2).red(), 230);
    EXPECT_GT(at(linear, 20, 97).blue(), 230);
    // Angular gradients turn clockwise on screen from their start angle.
    const auto angular = render(Rectangle().fill(AngularGradient{rb, UnitPoint::center(), 0, 360}), {100, 100}, 1, {}).image;
    const QColor justBelow = at(angular, 90, 55);  // a little past the start, clockwise
    const QColor justAbove = at(angular, 90, 45);  // almost a full turn
    EXPECT_GT(justBelow.red(), justBelow.blue());
    EXPECT_GT(justAbove.blue(), justAbove.red());
    const auto radial = render(Rectangle().fill(RadialGradient{rb, UnitPoint::center(), 0, 50}), {100, 100}, 1, {}).image;
    EXPECT_GT(at(radial, 50, 50).red(), 230);
    EXPECT_GT(at(radial, 99, 50).blue(), 230);
}

TEST(Render, OpacityClipMaskAndMaterial) {
    const auto faded = render(Rectangle().fill(kRed).opacity(0.5), {10, 10}, 1, {}).image;
    EXPECT_NEAR(at(faded, 5, 5).alpha(), 128, 2);

    for (const View& v : {Rectangle().fill(kRed).clipShape(Circle()), Rectangle().fill(kRed).mask(Circle())}) {
        const auto img = render(v, {100, 100}, 2, {}).image;
        EXPECT_TRUE(lit(at(img, 50, 50)));
        EXPECT_TRUE(clear(at(img, 3, 3)));
        EXPECT_TRUE(clear(at(img, 97, 97)));
    }

    const auto glass = render(Rectangle().fill(Material::ultraThin), {10, 10}, 1, {}).image;
    const int alpha = at(glass, 5, 5).alpha();
    EXPECT_GT(alpha, 0);
    EXPECT_LT(alpha, 255);
}

TEST(Render, TranslucentColoursKeepTheirOpacity) {
    const struct {
        const char* name;
        View view;
        QPointF on, off;
        int alpha;
    } cases[] = {
        {"fill", Rectangle().fill(kRed.opacity(0.5)).frame(40, 40), {50, 50}, {10, 10}, 128},
        {"stroke", Circle().stroke(Color::white().opacity(0.25), 10).frame(80, 80), {50, 10}, {50, 50}, 64},
        {"rotated stroke", Capsule().stroke(Color::white().opacity(0.25), 6).frame(80, 20).rotationEffect(90), {50, 10}, {10, 50}, 64},
        {"inset stroke", Circle().strokeBorder(kRed.opacity(0.75), 8).frame(80, 80), {50, 14}, {50, 50}, 191},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto img = render(c.view, {100, 100}, 2, {}).image;
        EXPECT_NEAR(at(img, c.on.x(), c.on.y()).alpha(), c.alpha, 3);
        EXPECT_EQ(at(img, c.off.x(), c.off.y()).alpha(), 0);
    }
}

TEST(Render, HitRectanglesInnermostWins) {
    const View v = Button(ZStack({Rectangle().fill(kRed).frame(100, 60),
                                  Link(Circle().frame(20, 20), "plyx://inner").offset(30, 0)}),
                          R"({"intent":"outer"})")
                       .widgetURL("plyx://widget");
    const auto r = render(v, {200, 100}, 2, {});
    ASSERT_EQ(r.hits.size(), 3u);
    const struct {
        Point p;
        const char* payload;
        HitKind kind;
    } probes[] = {
        {{130, 50}, "plyx://inner", HitKind::link},       // the link, moved by its offset
        {{100, 50}, R"({"intent":"outer"})", HitKind::action}, // where the link was before the offset
        {{55, 25}, R"({"intent":"outer"})", HitKind::action},
        {{10, 10}, "plyx://widget", HitKind::link},       // outside the button: the widget's URL
    };
    for (const auto& p : probes) {
        SCOPED_TRACE(p.payload);
        const Hit* h = hitTest(r.hits, p.p);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->payload, p.payload);
        EXPECT_EQ(h->kind, p.kind);
    }
    const Hit* link = hitTest(r.hits, {130, 50});
    EXPECT_NEAR(link->rect.x, 120, 1e-6);
    EXPECT_NEAR(link->rect.width, 20, 1e-6);
    EXPECT_EQ(hitTest(std::vector<Hit>{}, {1, 1}), nullptr);
}

TEST(Render, PaintDrawsIntoAnyPainterAtItsTransform) {
    QImage img(120, 120, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.translate(20, 20);
    const auto hits = paint(Button(Rectangle().fill(kRed), "{}"), p, {100, 100}, {});
    p.end();
    EXPECT_EQ(img.pixelColor(25, 25), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(10, 10).alpha(), 0);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].rect, (Rect{0, 0, 100, 100}));
}

TEST(Symbols, EveryNameTheViewsUseIsInTheTable) {
    // The names the widget views and application windows ask for.
    const char* used[] = {
        "sun.max", "moon.stars", "moon", "cloud.sun", "cloud.moon", "cloud", "cloud.fog", "cloud.drizzle",
        "cloud.rain", "cloud.heavyrain", "cloud.snow", "cloud.bolt.rain", "play.fill", "pause.fill",
        "forward.fill", "backward.fill", "checkmark", "checkmark.circle", "checkmark.circle.fill", "circle",
        "pin", "pin.fill", "trash", "plus", "checklist", "square.and.pencil", "circle.grid.3x3",
        "circle.grid.3x3.fill", "photo.on.rectangle", "gearshape", "lock.shield", "clock", "calendar",
        "battery.75percent", "note.text", "chart.bar", "play.circle", "timer", "heart", "cpu", "sparkles",
    };
    for (const char* name : used) EXPECT_TRUE(hasSymbol(name)) << name;
    EXPECT_FALSE(hasSymbol("no.such.symbol"));
}

TEST(Symbols, EveryTableEntryDrawsTintedAndUnknownNamesDrawNothing) {
    QImage sheet(24 * 8, 24 * int((symbolNames().size() + 7) / 8), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter sp(&sheet);
    int i = 0;
    for (const auto& name : symbolNames()) {
        SCOPED_TRACE(name);
        const auto img =
            render(Image(name).font(Font::system(16)).foregroundColor(Color::rgb(0, 0.5, 1)), {24, 24}, 2, {}).image;
        int inked = 0;
        bool tinted = true;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.alpha() < 250) continue;
                ++inked;
                tinted = tinted && c.red() < 10 && std::abs(c.green() - 128) < 4 && c.blue() > 250;
            }
        EXPECT_GT(inked, 8);
        EXPECT_TRUE(tinted);
        sp.drawImage(QRectF(24 * (i % 8), 24 * (i / 8), 24, 24), img);
        ++i;
    }
    sp.end();
    saveArtifact(sheet, "symbols");

    const auto unknown = render(Image("no.such.symbol").font(Font::system(16)), {24, 24}, 2, {});
    EXPECT_TRUE(std::all_of(reinterpret_cast<const QRgb*>(unknown.image.constBits()),
                            reinterpret_cast<const QRgb*>(unknown.image.constBits()) + unknown.image.width() * unknown.image.height(),
                            [](QRgb px) { return qAlpha(px) == 0; }));
    EXPECT_NE(dump(Image("no.such.symbol"), {24, 24}, {}).find("unknown"), std::string::npos);
}

TEST(Symbols, SizeFollowsTheFontUnlessResizable) {
    const std::string fixed = dump(Image("checkmark").font(Font::system(10)), {100, 100}, {});
    EXPECT_NE(fixed.find("Image 44,44 12x12 symbol=checkmark"), std::string::npos) << fixed;
    const std::string resizable = dump(Image("checkmark").resizable().frame(30, 40), {100, 100}, {});
    EXPECT_NE(resizable.find("Image 35,30 30x40 symbol=checkmark"), std::string::npos) << resizable;
}

TEST(Render, SampleSheetForPeople) {
    // A small widget-like sheet of texts, dots, a ring and symbols; written only when
    // PLYX_TEST_ARTIFACTS asks for images. It also must draw something.
    const Color ink = Color::grey255(240);
    const View sheet =
        VStack({HStack({Text("BATTERY").font(Font::system(10)).tracking(1.6).foregroundColor(ink.opacity(0.6)), Spacer(),
                        Image("cloud.sun").font(Font::system(14)).foregroundColor(ink)}),
                HStack({Text("87").font(Font::system(44, FontWeight::black)).foregroundColor(ink),
                        Text("%").font(Font::system(18, FontWeight::heavy)).foregroundColor(ink.opacity(0.6))},
                       VerticalAlignment::lastTextBaseline, 2),
                HStack(ForEachIndex(12, [&](int k) { return Circle().fill(k < 9 ? kRed : ink.opacity(0.15)).frame(6.7, 6.7); }),
                       VerticalAlignment::center, 1.3),
                ZStack({Circle().stroke(ink.opacity(0.15), 8), Circle().trim(0, 0.6).stroke(kRed, 8).rotationEffect(-90)})
                    .frame(50, 50),
                Spacer()},
               HorizontalAlignment::leading, 8)
            .padding(16)
            .frameFill(Alignment::topLeading)
            .background(RoundedRectangle(22).fill(Color::grey255(17)));
    const auto img = render(sheet, {160, 200}, 2, {}).image;
    saveArtifact(img, "sample-sheet");
    EXPECT_EQ(at(img, 80, 190).red(), 17);
}
