// Text measuring, wrapping, truncation, shrinking and baselines, in a font that is
// installed here. Expected metrics come from Qt's font metrics, independently of the layer.
#include "platform/ui/View.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include "tests/support/dump/DumpLines.h"

#include <gtest/gtest.h>


using namespace plyx::ui;

namespace {

const std::string kFamily = "DejaVu Sans";

/// Metrics of DejaVu Sans at `size` points on a 72-dpi device, taken at 16 times the
/// size so that they scale smoothly with fractional sizes.
struct Metrics {
    QFontMetricsF m;
    double horizontalAdvance(const QString& s) const { return m.horizontalAdvance(s) / 16; }
    double lineSpacing() const { return m.lineSpacing() / 16; }
    double ascent() const { return m.ascent() / 16; }
};
Metrics metrics(double size) {
    ensureGuiApplication();
    static QImage device = [] {
        QImage img(1, 1, QImage::Format_ARGB32_Premultiplied);
        img.setDotsPerMeterX(2835);
        img.setDotsPerMeterY(2835);
        return img;
    }();
    QFont f(QString::fromStdString(kFamily));
    f.setPointSizeF(size * 16);
    f.setHintingPreference(QFont::PreferNoHinting);
    return Metrics{QFontMetricsF(f, &device)};
}

struct TextLine {
    double x = 0, y = 0, w = 0, h = 0;
    std::string text;
    double size = 0;
};

/// The text lines of a dump, in order.
std::vector<TextLine> texts(const View& v, Size size) {
    std::vector<TextLine> out;
    for (const auto& l : plyx::test::ofKind(plyx::test::dumpLines(v, size), "Text"))
        out.push_back({l.x, l.y, l.width, l.height, l.text(), std::stod(l.attr("size"))});
    return out;
}

View label(const std::string& s, double size = 13) { return Text(s).font(Font::custom(kFamily, size)); }

const std::string kEllipsis = "\u2026";
bool endsWithEllipsis(const std::string& s) {
    return s.size() >= kEllipsis.size() && s.compare(s.size() - kEllipsis.size(), kEllipsis.size(), kEllipsis) == 0;
}

} // namespace

TEST(Text, IdealSizeIsOneLineOfTheFontsMetrics) {
    const auto t = texts(label("Hello world"), {300, 100});
    ASSERT_EQ(t.size(), 1u);
    EXPECT_NEAR(t[0].w, metrics(13).horizontalAdvance("Hello world"), 0.02);
    EXPECT_NEAR(t[0].h, metrics(13).lineSpacing(), 0.02);
    EXPECT_EQ(t[0].text, "Hello world");
}

TEST(Text, TruncationAndWrapping) {
    const std::string s = "The quick brown fox jumps over the lazy dog";
    const double lh = metrics(13).lineSpacing();
    struct Case {
        const char* name;
        View view;
        double width;
        size_t lines;
        bool cut;
    } cases[] = {
        {"one line is cut at the tail", label(s).lineLimit(1), 80, 1, true},
        {"unlimited lines wrap and keep every word", label(s), 80, 0, false},
        {"two lines: the second ends cut", label(s).lineLimit(2), 80, 2, true},
        {"text that fits is not cut", label("fox").lineLimit(1), 80, 1, false},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto t = texts(c.view.frame(c.width, std::nullopt), {300, 300});
        ASSERT_EQ(t.size(), 1u);
        EXPECT_LE(t[0].w, c.width + 1e-9);
        EXPECT_EQ(endsWithEllipsis(t[0].text), c.cut) << t[0].text;
        const size_t shown = size_t(std::count(t[0].text.begin(), t[0].text.end(), '\\') + 1);
        if (c.lines) EXPECT_EQ(shown, c.lines) << t[0].text;
        else EXPECT_GT(shown, 2u);
        EXPECT_NEAR(t[0].h, double(shown) * lh, 0.02);
        if (!c.cut) {
            // Nothing lost: the words read back in order.
            std::string joined = t[0].text;
            for (auto at = joined.find("\\n"); at != std::string::npos; at = joined.find("\\n", at))
                joined.replace(at, 2, " ");
            EXPECT_EQ(joined, c.lines == 1 ? std::string("fox") : s);
        }
    }
}

TEST(Text, AShortOfferedHeightCutsToTheLinesThatFit) {
    const double lh = metrics(13).lineSpacing();
    const auto t = texts(label("one two three four five six seven eight").frame(60, lh * 2.5), {300, 300});
    ASSERT_EQ(t.size(), 1u);
    EXPECT_NEAR(t[0].h, 2 * lh, 0.02);
    EXPECT_TRUE(endsWithEllipsis(t[0].text));
}

TEST(Text, MinimumScaleFactorShrinksBeforeCutting) {
    const std::string s = "Wide numerals 12345";
    const double ideal = metrics(20).horizontalAdvance(QString::fromStdString(s));
    // Room for three quarters: it shrinks to about 15 points and shows everything.
    auto t = texts(label(s, 20).lineLimit(1).minimumScaleFactor(0.5).frame(ideal * 0.75, std::nullopt), {400, 100});
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, s);
    EXPECT_NEAR(t[0].size, 15, 0.3);
    EXPECT_LT(t[0].size, 15.1);
    // Room for a third: it stops at the minimum and cuts.
    t = texts(label(s, 20).lineLimit(1).minimumScaleFactor(0.5).frame(ideal / 3, std::nullopt), {400, 100});
    EXPECT_NEAR(t[0].size, 10, 0.02);
    EXPECT_TRUE(endsWithEllipsis(t[0].text));
    // Without a minimum scale factor nothing shrinks.
    t = texts(label(s, 20).lineLimit(1).frame(ideal * 0.75, std::nullopt), {400, 100});
    EXPECT_EQ(t[0].size, 20);
    EXPECT_TRUE(endsWithEllipsis(t[0].text));
}

// Shaped text is kept across renders; a font shrunk to 18.5 points from 37
// must not stand in for the same font asked for at 18.5 points, which shrinks
// from there. (Sizes no other test uses, so nothing is shaped beforehand.)
TEST(Text, ASizeReachedByShrinkingIsNotTakenForTheSameSizeAsked) {
    const double wide = metrics(37).horizontalAdvance(QStringLiteral("8888"));
    auto t = texts(label("8888", 37).lineLimit(1).minimumScaleFactor(0.5).frame(wide / 3, std::nullopt), {400, 100});
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].size, 18.5); // stopped at the minimum, and cut
    // Room for 80 % of the 18.5-point text: it shrinks to about 14.8 points and shows everything.
    t = texts(label("8888", 18.5).lineLimit(1).minimumScaleFactor(0.5).frame(wide / 2 * 0.8, std::nullopt),
              {400, 100});
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, "8888");
    EXPECT_NEAR(t[0].size, 14.8, 0.3);
}

TEST(Text, TheInnermostStyleWins) {
    const std::string s = "Wide numerals 12345";
    const double ideal = metrics(20).horizontalAdvance(QString::fromStdString(s));
    const View v = VStack({label(s, 20).minimumScaleFactor(0.9), Text("outer")})
                       .minimumScaleFactor(0.5)
                       .font(Font::custom(kFamily, 8))
                       .lineLimit(1)
                       .frame(ideal * 0.6, std::nullopt);
    const auto t = texts(v, {400, 200});
    ASSERT_EQ(t.size(), 2u);
    EXPECT_NEAR(t[0].size, 18, 0.02); // its own 0.9, not the outer 0.5
    EXPECT_TRUE(endsWithEllipsis(t[0].text));
    EXPECT_EQ(t[1].size, 8); // the outer font reaches the text without its own
}

TEST(Text, StylingChangesWhatIsMeasured) {
    const std::string styled =
        dump(Text("x").font(Font::system(10, FontWeight::medium)).tracking(1.5).strikethrough(), {50, 20}, {});
    EXPECT_NE(styled.find("font=system size=10 weight=medium tracking=1.5 strikethrough"), std::string::npos) << styled;
    const auto caps = texts(label("Next up").textCase(TextCase::uppercase), {300, 50});
    const auto tracked = texts(label("Next up").textCase(TextCase::uppercase).tracking(1), {300, 50});
    ASSERT_EQ(tracked.size(), 1u);
    EXPECT_EQ(tracked[0].text, "NEXT UP");
    EXPECT_NEAR(caps[0].w, metrics(13).horizontalAdvance("NEXT UP"), 0.02);
    // One point after each of the seven characters (kerning aside).
    EXPECT_NEAR(tracked[0].w - caps[0].w, 7, 0.5);
    // Extra line spacing goes between lines, not after the last.
    const double lh = metrics(13).lineSpacing();
    const auto spaced = texts(label("one\ntwo").lineSpacing(6), {300, 100});
    EXPECT_NEAR(spaced[0].h, 2 * lh + 6, 0.02);
}

TEST(Text, BaselineAlignmentAcrossTwoFonts) {
    const Metrics big = metrics(30), small = metrics(10);
    for (auto alignment : {VerticalAlignment::firstTextBaseline, VerticalAlignment::lastTextBaseline}) {
        const auto t = texts(HStack({label("Big", 30), label("small", 10)}, alignment), {300, 100});
        ASSERT_EQ(t.size(), 2u);
        EXPECT_NEAR(t[0].y + big.ascent(), t[1].y + small.ascent(), 0.02);
        EXPECT_NEAR(t[1].y - t[0].y, big.ascent() - small.ascent(), 0.02);
    }
    // First and last baselines differ for a text of two lines.
    const double gap = metrics(10).lineSpacing();
    const auto first = texts(HStack({label("Big", 30), label("a\nb", 10)}, VerticalAlignment::firstTextBaseline), {300, 100});
    const auto last = texts(HStack({label("Big", 30), label("a\nb", 10)}, VerticalAlignment::lastTextBaseline), {300, 100});
    EXPECT_NEAR((first[1].y - first[0].y) - (last[1].y - last[0].y), gap, 0.02);
    // A shape sits with its bottom on the baseline.
    const View row = HStack({label("Big", 30), Rectangle().frame(5, 5)}, VerticalAlignment::firstTextBaseline, 0);
    const auto t = texts(row, {300, 100});
    const auto shapes = plyx::test::ofKind(plyx::test::dumpLines(row, {300, 100}), "Rectangle");
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].y + 5, t[0].y + big.ascent(), 0.02);
}

TEST(Text, DrawnInkSpansTheMeasuredWidth) {
    // What is drawn must match what was measured, or texts overrun their frames
    // or leave gaps: tracking and monospaced digits are both drawn as measured.
    const struct {
        const char* name;
        View view;
        double tracking;
    } cases[] = {
        {"plain", label("NEXT UP", 20), 0},
        {"tracked", label("NEXT UP", 20).tracking(4), 4},
        {"monospaced digits, tracked", label("1010", 20).monospacedDigit().tracking(3), 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const View v = HStack({c.view, Spacer()}).padding(Edges::leading, 10);
        const auto t = texts(v, {300, 40});
        ASSERT_EQ(t.size(), 1u);
        const QImage img = render(v, {300, 40}, 2, {}).image;
        int left = img.width(), right = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qAlpha(img.pixel(x, y)) > 60) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        ASSERT_GE(right, 0);
        const double inkLeft = left / 2.0, inkRight = (right + 1) / 2.0;
        EXPECT_NEAR(inkLeft, t[0].x, 2.5);
        // The last character's tracking and side bearing are blank.
        EXPECT_LE(inkRight, t[0].x + t[0].w + 0.5);
        EXPECT_GE(inkRight, t[0].x + t[0].w - c.tracking - 2.5);
    }
}

// A text far longer than its lines show is laid out as far as they reach: the
// result is the one its beginning gives, and a text past the longest a widget
// can show is cut with an ellipsis even when every line it has would fit.
TEST(Text, ALongTextShowsWhatItsBeginningShows) {
    std::string cjk, words;
    const char* const kanji[] = {"\u65e5", "\u672c", "\u8a9e"};
    for (int i = 0; i < 10000; ++i) cjk += kanji[i % 3];
    for (int i = 0; i < 10000; ++i) words += i ? " word" : "word";
    const double lh = metrics(13).lineSpacing();
    struct Case {
        const char* name;
        std::string text;
        std::size_t head; // bytes of the text that show the same
        View (*style)(View);
        Size frame;
    } cases[] = {
        {"two lines of characters with no spaces", cjk, 3 * 60, [](View v) { return v.lineLimit(2); }, {120, 400}},
        {"three lines of words", words, 5 * 60, [](View v) { return v.lineLimit(3); }, {100, 400}},
        {"the lines a height holds", cjk, 3 * 80, [](View v) { return v; }, {120, 3.5 * lh}},
        {"one line shrunk to its smallest", cjk, 3 * 60,
         [](View v) { return v.lineLimit(1).minimumScaleFactor(0.5); }, {120, 400}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto whole = texts(c.style(label(c.text)).frame(c.frame.width, c.frame.height), {400, 400});
        const auto head = texts(c.style(label(c.text.substr(0, c.head))).frame(c.frame.width, c.frame.height), {400, 400});
        ASSERT_EQ(whole.size(), 1u);
        ASSERT_EQ(head.size(), 1u);
        EXPECT_TRUE(endsWithEllipsis(whole[0].text)) << whole[0].text;
        EXPECT_EQ(whole[0].text, head[0].text);
        EXPECT_EQ(whole[0].size, head[0].size);
        EXPECT_LE(whole[0].w, c.frame.width + 1e-9);
    }

    // 25,000 characters of short words would all fit in a wide, tall frame,
    // yet are more than any widget shows: the text ends cut.
    const auto all = texts(label(words.substr(0, 5 * 5000)).frame(2000, 2000), {2000, 2000});
    ASSERT_EQ(all.size(), 1u);
    EXPECT_TRUE(endsWithEllipsis(all[0].text));
    EXPECT_EQ(all[0].text.rfind("word", 0), 0u);
}
