#include "platform/ui/widget/ViewWidget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace plyx::ui;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QApplication* a = new QApplication(argc, argv);
    return *a;
}

void click(QWidget& w, QPointF at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w.mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &press);
    QCoreApplication::sendEvent(&w, &release);
}

} // namespace

TEST(ViewWidget, PaintsTheViewInItsSizeAndReportsTheInnermostTap) {
    app();
    ViewWidget w;
    w.resize(120, 80);
    w.setView(Button(Rectangle().fill(Color::rgb(1, 0, 0)).overlay(Link(Circle().frame(20, 20), "plyx://inner")),
                     R"({"intent":"outer"})"));
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 0, 0));
    ASSERT_EQ(w.hits().size(), 2u);

    std::vector<std::string> taps;
    w.setOnTap([&](const Hit& h) { taps.push_back(h.payload); });
    click(w, {60, 40}); // the circle in the middle
    click(w, {5, 5});   // the rectangle around it
    EXPECT_EQ(taps, (std::vector<std::string>{"plyx://inner", R"({"intent":"outer"})"}));
}

namespace {

// Notes the region of each paint.
class WatchedViewWidget : public ViewWidget {
public:
    std::vector<QRegion> painted;

protected:
    void paintEvent(QPaintEvent* event) override {
        painted.push_back(event->region());
        ViewWidget::paintEvent(event);
    }
};

} // namespace

TEST(ViewWidget, ANewSecondOrANewViewRepaintsOnlyWhatChangesOnTheWindow) {
    app();
    const plyx::Date start{20000};
    const auto card = [&](const Color& square) {
        return HStack({TimerText(start, start + 3600, false).font(Font::system(18)).monospacedDigit(), Spacer(),
                       Rectangle().fill(square).frame(30, 30)})
            .padding(Edges::all, 8)
            .frameFill()
            .background(Rectangle().fill(Color::rgb(1, 1, 1)));
    };
    const QRect timeArea(8, 8, 40, 40), squareArea(200, 15, 30, 30);
    WatchedViewWidget w;
    w.resize(240, 60);
    w.setView(card(Color::rgb(0, 0, 1)));
    Environment env;
    env.now = start + 75;
    w.setEnvironment(env);
    EXPECT_TRUE(w.countsTime());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.painted.empty(); }));

    // What the window holds is what a fresh widget shows.
    const auto showsAsFresh = [&](const View& v) {
        ViewWidget fresh;
        fresh.resize(240, 60);
        fresh.setView(v);
        fresh.setEnvironment(env);
        const QImage onScreen = w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(onScreen, fresh.grab().toImage().convertToFormat(QImage::Format_ARGB32));
    };
    const auto nextPaint = [&](const std::function<void()>& change) {
        w.painted.clear();
        change();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.painted.empty(); }));
        return w.painted.empty() ? QRegion() : w.painted.front();
    };

    QRegion repainted = nextPaint([&] {
        env.now = start + 76;
        w.setEnvironment(env);
    });
    EXPECT_TRUE(repainted.intersects(timeArea)) << "the time is drawn again";
    EXPECT_FALSE(repainted.intersects(squareArea)) << "the square beside it is left alone";
    showsAsFresh(card(Color::rgb(0, 0, 1)));

    // A new view (as a new entry brings) at the same moment: only the square differs.
    repainted = nextPaint([&] { w.setView(card(Color::rgb(1, 0, 0))); });
    EXPECT_TRUE(repainted.intersects(squareArea));
    EXPECT_FALSE(repainted.intersects(timeArea));
    showsAsFresh(card(Color::rgb(1, 0, 0)));

    // A new view and a new moment together: one repaint of both.
    repainted = nextPaint([&] {
        env.now = start + 77;
        w.setView(card(Color::rgb(0, 1, 0)));
        w.setEnvironment(env);
    });
    EXPECT_TRUE(repainted.intersects(squareArea));
    EXPECT_TRUE(repainted.intersects(timeArea));
    showsAsFresh(card(Color::rgb(0, 1, 0)));
}

// A new view that draws the same frame paints nothing; if only a button or
// link under it differs, a tap still reaches the new one, and a new view
// that draws something else after it is drawn against the frame on the window.
TEST(ViewWidget, ANewViewDrawingTheSameFramePaintsNothingButTapsReachItsLinks) {
    app();
    const auto card = [](const std::string& link, const Color& fill) {
        return Link(Rectangle().fill(fill).frame(40, 40), link).frameFill();
    };
    WatchedViewWidget w;
    w.resize(120, 80);
    w.setView(card("plyx://first", Color::rgb(0, 0, 1)));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.painted.empty(); }));
    std::vector<std::string> taps;
    w.setOnTap([&](const Hit& h) { taps.push_back(h.payload); });

    const auto settle = [] { QTest::qWait(30); };
    w.painted.clear();
    w.setView(card("plyx://first", Color::rgb(0, 0, 1)));
    w.refreshNow();
    settle();
    EXPECT_TRUE(w.painted.empty()) << "an equal view paints nothing";

    w.setView(card("plyx://second", Color::rgb(0, 0, 1)));
    w.refreshNow();
    settle();
    EXPECT_TRUE(w.painted.empty()) << "a new link over the same pixels paints nothing";
    click(w, {60, 40});
    EXPECT_EQ(taps, std::vector<std::string>{"plyx://second"});

    w.setView(card("plyx://second", Color::rgb(1, 0, 0)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.painted.empty(); }));
    EXPECT_TRUE(w.painted.front().intersects(QRect(40, 20, 40, 40)));
    EXPECT_EQ(w.grab().toImage().pixelColor(60, 40), QColor(255, 0, 0));
}
