#include "platform/ui/widget/ViewWidget.h"

#include <QApplication>
#include <QMouseEvent>
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
