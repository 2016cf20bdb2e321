// Layout rules, pinned by small trees of shapes and their dumped frames. The
// expected frames are worked out by hand from the rules, not copied from output.
#include "platform/ui/Element.h"
#include "platform/ui/View.h"
#include "tests/support/dump/DumpLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace plyx::ui;

namespace {

View box(double w, double h) { return Rectangle().frame(w, h); }

struct LayoutCase {
    const char* name;
    std::function<View()> make;
    Size size;
    const char* expected;
};

/// A node's kind and frame as the dump writes them: "HStack 0,20 200x10".
std::string kindAndFrame(const plyx::test::DumpLine& l) {
    using detail::formatNumber;
    return l.kind + " " + formatNumber(l.x) + "," + formatNumber(l.y) + " " + formatNumber(l.width) + "x" +
           formatNumber(l.height);
}

/// The dump without attributes: kind and frame only, indented.
std::string frames(const View& v, Size size) {
    std::string out;
    for (const auto& l : plyx::test::dumpLines(v, size)) out += std::string(size_t(l.indent), ' ') + kindAndFrame(l) + "\n";
    return out;
}

const LayoutCase kCases[] = {
    {"spacer takes what the fixed children leave",
     [] { return HStack({box(20, 10), Spacer(), box(30, 10)}); }, {200, 50},
     "HStack 0,20 200x10\n"
     "  frame 0,20 20x10\n    Rectangle 0,20 20x10\n"
     "  Spacer 28,25 134x0\n"
     "  frame 170,20 30x10\n    Rectangle 170,20 30x10\n"},
    {"two spacers share equally",
     [] { return HStack({Spacer(), box(10, 10), Spacer()}); }, {100, 10},
     "HStack 0,0 100x10\n  Spacer 0,5 37x0\n  frame 45,0 10x10\n    Rectangle 45,0 10x10\n  Spacer 63,5 37x0\n"},
    {"the least flexible child is served first",
     [] { return HStack({Rectangle(), Rectangle().frame(30, std::nullopt)}); }, {100, 20},
     "HStack 0,0 100x20\n  Rectangle 0,0 62x20\n  frame 70,0 30x20\n    Rectangle 70,0 30x20\n"},
    {"layout priority is served before flexibility",
     [] { return HStack({Rectangle().frame(FlexFrame{.maxWidth = 50}), Rectangle().layoutPriority(1)}, VerticalAlignment::center, 0); },
     {100, 20},
     "HStack 0,0 100x20\n  frame 0,0 0x20\n    Rectangle 0,0 0x20\n  Rectangle 0,0 100x20\n"},
    {"a minimum width holds against an equal share",
     [] { return HStack({Rectangle().frame(FlexFrame{.minWidth = 60}), Rectangle()}); }, {100, 20},
     "HStack 0,0 100x20\n  frame 0,0 60x20\n    Rectangle 0,0 60x20\n  Rectangle 68,0 32x20\n"},
    {"empty children take neither space nor spacing",
     [] { return HStack({box(10, 10), EmptyView(), box(10, 10)}); }, {28, 10},
     "HStack 0,0 28x10\n  frame 0,0 10x10\n    Rectangle 0,0 10x10\n  frame 18,0 10x10\n    Rectangle 18,0 10x10\n"},
    {"vertical stack aligns leading with given spacing",
     [] { return VStack({box(10, 10), box(30, 10)}, HorizontalAlignment::leading, 4); }, {100, 100},
     "VStack 35,38 30x24\n  frame 35,38 10x10\n    Rectangle 35,38 10x10\n  frame 35,52 30x10\n    Rectangle 35,52 30x10\n"},
    {"fixed frame aligns its child bottom-trailing",
     [] { return box(10, 10).frame(50, 40, Alignment::bottomTrailing); }, {50, 40},
     "frame 0,0 50x40\n  frame 40,30 10x10\n    Rectangle 40,30 10x10\n"},
    {"infinite frame fills and aligns top-leading",
     [] { return box(10, 10).frameFill(Alignment::topLeading); }, {100, 80},
     "frame 0,0 100x80\n  frame 0,0 10x10\n    Rectangle 0,0 10x10\n"},
    {"a maximum width grows towards the offer, a minimum pushes out",
     [] { return box(20, 20).frame(FlexFrame{.minWidth = 40, .maxWidth = 60}); }, {100, 100},
     "frame 20,40 60x20\n  frame 40,40 20x20\n    Rectangle 40,40 20x20\n"},
    {"padding per edge adds up around the child",
     [] { return box(10, 10).padding(Edges::leading | Edges::top, 5).padding(3); }, {100, 100},
     "padding 39.5,39.5 21x21\n  padding 42.5,42.5 15x15\n    frame 47.5,47.5 10x10\n      Rectangle 47.5,47.5 10x10\n"},
    {"padding shrinks what the child is offered",
     [] { return Rectangle().padding(10); }, {50, 30},
     "padding 0,0 50x30\n  Rectangle 10,10 30x10\n"},
    {"layered stack aligns bottom-trailing",
     [] { return ZStack({box(40, 20), box(10, 10)}, Alignment::bottomTrailing); }, {40, 20},
     "ZStack 0,0 40x20\n  frame 0,0 40x20\n    Rectangle 0,0 40x20\n  frame 30,10 10x10\n    Rectangle 30,10 10x10\n"},
    {"overlay and background take the primary's frame",
     [] { return box(30, 20).overlay(box(10, 10), Alignment::topTrailing).background(Rectangle().fill(Color::white())); },
     {30, 20},
     "background 0,0 30x20\n  Rectangle 0,0 30x20\n  overlay 0,0 30x20\n    frame 0,0 30x20\n      Rectangle 0,0 30x20\n"
     "    frame 20,0 10x10\n      Rectangle 20,0 10x10\n"},
    {"geometry reader builds for the size it gets",
     [] { return GeometryReader([](Size s) { return box(s.width / 2, s.height / 4); }); }, {80, 40},
     "GeometryReader 0,0 80x40\n  frame 0,0 40x10\n    Rectangle 0,0 40x10\n"},
    {"fixed size asks for the ideal size",
     [] { return Rectangle().fixedSize(); }, {80, 40},
     "fixedSize 35,15 10x10\n  Rectangle 35,15 10x10\n"},
    {"a spacer does not take a share from a flexible sibling",
     [] { return HStack({Rectangle().frame(FlexFrame{.maxWidth = 70}), Spacer(), box(10, 10)}); }, {100, 10},
     "HStack 0,0 100x10\n  frame 0,0 70x10\n    Rectangle 0,0 70x10\n  Spacer 78,5 4x0\n  frame 90,0 10x10\n    Rectangle 90,0 10x10\n"},
    {"a framed spacer still stretches along its stack",
     [] { return VStack({box(10, 10), Spacer().frame(4, std::nullopt), box(10, 10)}, HorizontalAlignment::center, 0); },
     {10, 100},
     "VStack 0,0 10x100\n  frame 0,0 10x10\n    Rectangle 0,0 10x10\n  frame 3,10 4x80\n    Spacer 5,10 0x80\n"
     "  frame 0,90 10x10\n    Rectangle 0,90 10x10\n"},
};

} // namespace

TEST(Layout, SmallTreesGiveTheirFrames) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(frames(c.make(), c.size), c.expected);
    }
}

TEST(Layout, DrawingEffectsLeaveTheLayoutAlone) {
    const auto row = [](std::function<View(View)> effect) {
        return HStack({effect(box(20, 10)), box(30, 10)}).padding(4);
    };
    // Every laid-out node except the effect's own, without nesting.
    const auto nodes = [](const View& v) {
        const std::vector<std::string> effects = {"rotation", "scale", "offset", "opacity", "clip"};
        std::string out;
        for (const auto& l : plyx::test::dumpLines(v, {120, 40}))
            if (std::find(effects.begin(), effects.end(), l.kind) == effects.end()) out += kindAndFrame(l) + "\n";
        return out;
    };
    const std::string plain = nodes(row([](View v) { return v; }));
    for (auto effect : std::vector<std::function<View(View)>>{
             [](View v) { return v.rotationEffect(45); },
             [](View v) { return v.scaleEffect(2); },
             [](View v) { return v.offset(7, -3); },
             [](View v) { return v.opacity(0.5); },
             [](View v) { return v.clipShape(Circle()); },
         }) {
        const View withEffect = row(effect);
        EXPECT_NE(frames(withEffect, {120, 40}), frames(row([](View v) { return v; }), {120, 40}));
        EXPECT_EQ(nodes(withEffect), plain);
    }
}

TEST(Layout, DumpShowsStylesActionsAndEffects) {
    const View v = VStack({
        Button(Circle().fill(Color::rgb(1, 0, 0)).frame(10, 10), R"({"intent":"toggle"})"),
        Link(Capsule().stroke(Color::white(), 2, LineCap::round).frame(20, 10), "plyx://open"),
        Circle().trim(0, 0.25).strokeBorder(Color::black().opacity(0.5), 3).frame(10, 10).rotationEffect(-90),
    });
    const std::string d = dump(v, {40, 60}, Environment{});
    EXPECT_NE(d.find(R"(Button 15,7 10x10 action={"intent":"toggle"})"), std::string::npos) << d;
    EXPECT_NE(d.find("Circle 15,7 10x10 fill=#FF0000FF"), std::string::npos) << d;
    EXPECT_NE(d.find("Link 10,25 20x10 url=plyx://open"), std::string::npos) << d;
    EXPECT_NE(d.find("Capsule 10,25 20x10 stroke=#FFFFFFFF width=2 cap=round"), std::string::npos) << d;
    EXPECT_NE(d.find("rotation 15,43 10x10 degrees=-90"), std::string::npos) << d;
    EXPECT_NE(d.find("Circle 15,43 10x10 strokeBorder=#00000080 width=3 trim=0,0.25"), std::string::npos) << d;
}

TEST(Layout, ForegroundColourInheritsAndTheInnermostWins) {
    const View v = HStack({Circle().frame(5, 5), Circle().frame(5, 5).foregroundColor(Color::white())})
                       .foregroundColor(Color::rgb(0, 0, 1));
    const std::string d = dump(v, {20, 5}, Environment{});
    EXPECT_NE(d.find("Circle 1,0 5x5 fill=#0000FFFF"), std::string::npos) << d;
    EXPECT_NE(d.find("Circle 14,0 5x5 fill=#FFFFFFFF"), std::string::npos) << d;
}

TEST(Layout, ViewsReadTheRenderMoment) {
    const View v = ReadEnvironment([](const Environment& env) {
        return Rectangle().frame(env.now.sinceReferenceDate, 1);
    });
    Environment env;
    env.now = plyx::Date{12};
    EXPECT_NE(dump(v, {40, 10}, env).find("Rectangle 14,4.5 12x1"), std::string::npos);
    env.now = plyx::Date{30};
    EXPECT_NE(dump(v, {40, 10}, env).find("Rectangle 5,4.5 30x1"), std::string::npos);
}
