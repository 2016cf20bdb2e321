// The theme editor on an X display: how it looks, and applying a theme
// restyles a widget placed on the desktop by the running host.
#include "app/theme/ThemePreview.h"
#include "app/theme/ThemePreviewColumn.h"
#include "app/theme/ThemeView.h"
#include "platform/widgetkit/WidgetCenter.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/foundation/ThemeStore.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"
#include "tests/support/dump/DumpLines.h"
#include "widgets/host/DesktopHost.h"
#include "tests/support/gui/DisplayApp.h"

#include <QApplication>
#include <QScreen>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace plyx;

namespace {

QApplication* displayApp() { return test::displayApp("1600x1000x24"); }

bool blueish(const QColor& c) { return c.blue() > c.red() + 100 && c.blue() > c.green() + 40; }

class ThemeOnDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!displayApp()) GTEST_SKIP() << "no X server (Xvfb) could be started";
        widgetkit::WidgetCenter::setBusNames({"/test/theme/WidgetCenter", "test.theme.WidgetCenter"});
    }
    test::FreshStorage storage;
    test::TempDir config;
};

} // namespace

TEST_F(ThemeOnDisplayTest, TheEditorAsShownInTheMainWindowsDetailPane) {
    ThemeStore store;
    ThemeView view(store);
    // The main window is 1144 wide; its sidebar takes about 220 of it.
    view.resize(924, 720);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.findChild<QAbstractButton*>("swatch.1")->click();
    QApplication::processEvents();
    const QImage shot = view.grab().toImage();
    if (auto dir = test::artifactsDir()) shot.save(QString::fromStdString((*dir / "theme-editor.png").string()));

    // The preview column sits at the right, 412 wide, 20 from the edges and
    // from the page's heading above it, on its dark backdrop in any
    // appearance; the apply button is the design's blue.
    auto* column = view.previewColumn();
    auto* header = view.findChild<QWidget*>("header");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(column->width(), ThemePreview::kColumnWidth);
    EXPECT_EQ(column->geometry().right(), view.width() - 20 - 1);
    EXPECT_EQ(column->geometry().top(), header->geometry().bottom() + 1 + 20);
    EXPECT_EQ(column->geometry().bottom(), view.height() - 20 - 1);
    const QPoint nearBottomLeft = column->geometry().bottomLeft() + QPoint(30, -80);
    const QColor backdrop = shot.pixelColor(nearBottomLeft);
    EXPECT_LT(backdrop.lightness(), 60) << backdrop.name().toStdString();
    auto* apply = column->applyButton();
    const QColor button = shot.pixelColor(apply->mapTo(&view, QPoint(8, apply->height() / 2)));
    EXPECT_TRUE(test::near(button, PlyxTokens::blue, 12)) << button.name().toStdString();
}

TEST_F(ThemeOnDisplayTest, ApplyingRestylesAWidgetOnTheDesktop) {
    ASSERT_FALSE(test::privateBusAddress().empty());
    host::DesktopHost desktop(host::PlacementStore(config.path() / "placements.json"));
    QSignalSpy shown(&desktop, &host::DesktopHost::shown);
    desktop.start();
    std::string error;
    const auto id = desktop.add("plyx.clock.matrixMedium", "", QPoint(40, 40), &error);
    ASSERT_TRUE(id) << error;
    auto window = [&] { return desktop.window(*id); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.count() > 0 && window() && window()->isVisible(); }, 10000));
    QTest::qWait(100);
    // What the X server shows left of the content's side margin, at mid
    // height: the widget's own background.
    auto probe = [&] {
        const QImage img = window()->screen()->grabWindow(window()->winId()).toImage();
        return img.pixelColor(8, img.height() / 2);
    };
    const QColor before = probe();
    EXPECT_TRUE(test::near(before, PlyxTokens::ink, 4)) << before.name().toStdString();

    ThemeStore store;
    ThemeView view(store);
    view.show();
    view.findChild<QAbstractButton*>("surface.accent")->click();
    view.findChild<QAbstractButton*>("swatch.1")->click(); // blue
    QTest::qWait(300);
    EXPECT_TRUE(test::near(probe(), PlyxTokens::ink, 4)) << "an edit alone leaves the desktop as it was";

    // The host hears the reload, asks the widget for a new timeline and
    // redraws it in the saved theme.
    const int requests = desktop.requestCount(*id);
    view.previewColumn()->applyButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return blueish(probe()); }, 10000)) << probe().name().toStdString();
    EXPECT_GT(desktop.requestCount(*id), requests);
}
