// The wallpapers pane and its sheet in real X windows, with the wallpapers
// the application ships: the applied one carries the red check over its
// thumbnail, and the sheet shows the full-size picture decoded from HEIF.
#include "app/wallpapers/WallpaperApplier.h"
#include "app/wallpapers/WallpaperCard.h"
#include "app/wallpapers/WallpaperPreviewSheet.h"
#include "app/wallpapers/WallpapersView.h"
#include "tests/app/wallpapers/FakeDesktop.h"
#include "tests/support/TestSupport.h"
#include "tests/support/gui/DisplayApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QThread>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {
using namespace plyx;

constexpr const char* kApplied = "04-dark-night-grid";

// Runs the event loop until `done()` holds or `ms` have passed. A 5K
// picture takes seconds to decode on a busy machine.
template <class F> bool waitFor(F done, int ms = 60000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return done();
}

bool isRed(QColor c) { return c.red() > 170 && c.green() < 70 && c.blue() < 80; }

void save(const QImage& image, const char* name) {
    if (const auto dir = test::artifactsDir()) image.save(QString::fromStdString((*dir / name).string()));
}

TEST(WallpapersOnDisplay, PaneWithTheBadgeAndThePreviewSheet) {
    if (!test::displayApp()) GTEST_SKIP() << "no X server (Xvfb) could be started";
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");

    test::FreshStorage storage;
    auto desktop = std::make_shared<test::FakeDesktop>();
    desktop->order = {"left", "right"};
    desktop->pictures["left"] = "/usr/share/backgrounds/photo.jpg";
    WallpaperApplier::setDesktopPictures(desktop);
    const auto shipped = WallpaperItem::loadAll();
    const auto applied = std::find_if(shipped.begin(), shipped.end(), [](auto& i) { return i.id == kApplied; });
    ASSERT_NE(applied, shipped.end());
    ASSERT_EQ(WallpaperApplier::apply(*applied), std::nullopt);

    WallpapersView pane;
    pane.resize(924, 720);
    pane.show();
    ASSERT_TRUE(waitFor([&] { return pane.windowHandle() && pane.windowHandle()->isExposed(); }));
    ASSERT_EQ(pane.appliedID(), kApplied);
    ASSERT_TRUE(waitFor([&] {
        for (auto* c : pane.cards())
            if (!c->thumbnailLoaded()) return false;
        return true;
    })) << "every shipped thumbnail loads";
    const QImage shot = pane.grab().toImage();
    save(shot, "wallpapers-pane.png");

    // Inside the check's disc, above the check: red on the applied card
    // only.
    int badges = 0;
    for (auto* card : pane.cards()) {
        const QPoint disc(card->width() - WallpaperCard::kPadding - WallpaperCard::kBadgeInset -
                              WallpaperCard::kBadgeSize / 2,
                          WallpaperCard::kPadding + WallpaperCard::kBadgeInset + 3);
        const QPoint at = card->mapTo(&pane, disc) * shot.devicePixelRatio();
        const bool red = isRed(shot.pixelColor(at));
        EXPECT_EQ(red, card->item().id == kApplied) << card->item().id;
        badges += red;
    }
    EXPECT_EQ(badges, 1);

    // The sheet for the applied card.
    WallpaperCard* card = nullptr;
    for (auto* c : pane.cards())
        if (c->item().id == kApplied) card = c;
    ASSERT_NE(card, nullptr);
    const QPoint mid(card->width() / 2, card->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, mid, card->mapToGlobal(mid), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, mid, card->mapToGlobal(mid), Qt::LeftButton, {}, {});
    QApplication::sendEvent(card, &press);
    QApplication::sendEvent(card, &release);
    WallpaperPreviewSheet* sheet = pane.sheet();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(waitFor([&] { return sheet->imageLoaded(); })) << "the HEIF picture decodes";
    ASSERT_TRUE(waitFor([&] { return sheet->windowHandle() && sheet->windowHandle()->isExposed(); }));
    waitFor([] { return false; }, 300); // let the new height settle
    EXPECT_EQ(sheet->applyLabel(), "Applied ✓");
    EXPECT_EQ(sheet->width(), 720);
    const QImage sheetShot = sheet->grab().toImage();
    save(sheetShot, "wallpaper-preview-sheet.png");
    // The night grid is ink nearly everywhere: the picture's middle is dark,
    // where the placeholder would be the window's light grey.
    const QColor middle = sheetShot.pixelColor(QPoint(360, 20 + 190) * sheetShot.devicePixelRatio());
    EXPECT_LT(middle.lightness(), 70) << middle.name().toStdString();
    // 16:9 at 680 wide, and the row below it.
    EXPECT_GT(sheet->height(), 20 + 382 + 16);

    sheet->reject();
    WallpaperApplier::setDesktopPictures(nullptr);
}

} // namespace
