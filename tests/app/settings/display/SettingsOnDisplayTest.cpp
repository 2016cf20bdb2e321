// The settings window as an X display shows it: 420 wide, every section in
// view, nothing cut off at the bottom; its picture goes to the test artifacts
// (PLYX_TEST_ARTIFACTS) for a look.
#include "app/settings/SettingsView.h"

#include "shared/collectors/MailPoller.h"
#include "tests/support/TestSupport.h"
#include "tests/support/gui/XServer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace plyx {
namespace {

TEST(SettingsOnDisplay, TheWholeFormShowsInAWindowOfItsWidth) {
    test::XServer x("1280x1024x24");
    ASSERT_FALSE(x.display().isEmpty()) << "Xvfb could not be started";
    qputenv("QT_QPA_PLATFORM", "xcb");
    int argc = 1;
    char name[] = "plyx_test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    MailPoller poller;
    SettingsActions actions;
    actions.loginItemRegistered = [] { return false; };
    actions.mailPoller = &poller;
    SettingsView view(actions);
    view.show();
    QElapsedTimer waited;
    waited.start();
    while (!view.windowHandle()->isExposed() && waited.elapsed() < 5000) QApplication::processEvents();
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    ASSERT_TRUE(view.windowHandle()->isExposed());

    EXPECT_EQ(view.width(), SettingsView::kWidth);
    // Every control and text lies inside the window, the last row included.
    const QRect window = view.rect();
    int lowest = 0;
    for (QWidget* w : view.findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(w) && !qobject_cast<QComboBox*>(w) && !qobject_cast<QCheckBox*>(w)) continue;
        const QRect r(w->mapTo(&view, QPoint(0, 0)), w->size());
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
        EXPECT_TRUE(window.contains(r)) << "cut off: " << w->objectName().toStdString() << " "
                                        << qobject_cast<QLabel*>(w) << " at y " << r.y() << "+" << r.height()
                                        << " in " << window.height();
        lowest = std::max(lowest, r.bottom());
    }
    auto* madeBy = [&]() -> QLabel* {
        for (QLabel* l : view.findChildren<QLabel*>())
            if (l->text() == "Zelvane Designs") return l;
        return nullptr;
    }();
    ASSERT_NE(madeBy, nullptr);
    EXPECT_EQ(madeBy->mapTo(&view, QPoint(0, madeBy->height())).y() - 1, lowest);  // the last row is last
    EXPECT_LT(window.height() - lowest, 60);  // and no empty space runs on below it

    const QImage shot = view.screen()->grabWindow(view.winId()).toImage();
    EXPECT_EQ(shot.size(), view.size() * view.devicePixelRatio());
    if (const auto dir = test::artifactsDir()) {
        std::filesystem::create_directories(*dir);
        EXPECT_TRUE(shot.save(QString::fromStdString((*dir / "settings-window.png").string())));
    }
}

} // namespace
} // namespace plyx
