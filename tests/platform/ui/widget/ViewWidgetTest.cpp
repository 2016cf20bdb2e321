#include "platform/ui/widget/ViewWidget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

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

TEST(ViewWidget, ANewSecondRepaintsOnlyWhatItChangesOnTheWindow) {
    app();
    const plyx::Date start{20000};
    const View v = HStack({TimerText(start, start + 3600, false).font(Font::system(18)).monospacedDigit(), Spacer(),
                           Rectangle().fill(Color::rgb(0, 0, 1)).frame(30, 30)})
                       .padding(Edges::all, 8)
                       .frameFill()
                       .background(Rectangle().fill(Color::rgb(1, 1, 1)));
    WatchedViewWidget w;
    w.resize(240, 60);
    w.setView(v);
    Environment env;
    env.now = start + 75;
    w.setEnvironment(env);
    EXPECT_TRUE(w.countsTime());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.painted.empty(); }));
    w.painted.clear();

    env.now = start + 76;
    w.setEnvironment(env);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.painted.empty(); }));
    const QRegion repainted = w.painted.front();
    EXPECT_FALSE(repainted.intersects(QRect(200, 15, 30, 30))) << "the square beside the time is left alone";
    EXPECT_TRUE(repainted.intersects(QRect(8, 8, 40, 40))) << "the time is drawn again";

    // What the window holds is what a fresh widget at that second shows.
    ViewWidget fresh;
    fresh.resize(240, 60);
    fresh.setView(v);
    fresh.setEnvironment(env);
    const QImage onScreen = w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage expected = fresh.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(onScreen.size(), expected.size());
    EXPECT_EQ(onScreen, expected);

    // Another rendering mode is not a moment: the whole widget is drawn again.
    w.painted.clear();
    env.renderingMode = RenderingMode::accented;
    w.setEnvironment(env);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.painted.empty(); }));
    EXPECT_TRUE((QRegion(w.rect()) - w.painted.front()).isEmpty());
}
