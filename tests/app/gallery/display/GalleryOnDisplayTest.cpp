// The gallery as a user sees it: in a 1144 by 720 window on an X display,
// scrolled from top to bottom, every card's preview drawn on screen. The pages
// are written as images under PLYX_TEST_ARTIFACTS when it is set.
#include "app/gallery/GalleryView.h"
#include "app/gallery/WidgetGalleryCard.h"
#include "shared/foundation/ThemeStore.h"
#include "tests/support/TestSupport.h"
#include "tests/support/gui/DisplayApp.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using namespace plyx;

namespace {

QApplication* displayApp() { return test::displayApp("1600x1000x24"); }

/// How many colours a rectangle of the image holds, up to `enough`.
std::size_t colours(const QImage& image, QRect rect, std::size_t enough) {
    std::set<QRgb> seen;
    rect = rect.intersected(image.rect());
    for (int y = rect.top(); y <= rect.bottom() && seen.size() < enough; y += 2)
        for (int x = rect.left(); x <= rect.right(); x += 2) seen.insert(image.pixel(x, y));
    return seen.size();
}

} // namespace

TEST(GalleryOnDisplay, EveryCardIsDrawnOnScreenPageByPage) {
    if (!displayApp()) GTEST_SKIP() << "no X server";
    test::FreshStorage fresh;
    ThemeStore theme;
    QWidget window;
    window.setWindowTitle("Plyx");
    window.resize(1144, 720);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* gallery = new GalleryView(theme, std::nullopt, QString(), &window);
    layout->addWidget(gallery);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.size(), QSize(1144, 720));

    QScrollBar* bar = gallery->scrollArea()->verticalScrollBar();
    std::set<std::string> drawn;
    const auto dir = test::artifactsDir();
    for (int page = 0;; ++page) {
        QTest::qWait(50);
        QApplication::processEvents();
        // What the X server shows of the window, not a rendering of the widget.
        const QImage shot = window.screen()->grabWindow(window.winId()).toImage();
        ASSERT_EQ(shot.size(), QSize(1144, 720) * shot.devicePixelRatio());
        if (dir) shot.save(QString::fromStdString((*dir / ("gallery-" + std::to_string(page + 1) + ".png")).string()));
        for (const auto& w : WidgetCatalog::all()) {
            const WidgetGalleryCard* card = gallery->card(w.kind);
            const QRect rect = QRect(card->mapTo(&window, card->widgetRect().topLeft().toPoint()),
                                     card->widgetRect().size().toSize());
            if (!window.rect().contains(rect)) continue;
            // A drawn widget holds far more than its background and an edge.
            if (colours(shot, QRect(rect.topLeft() * shot.devicePixelRatio(), rect.size() * shot.devicePixelRatio()), 8) >= 8)
                drawn.insert(w.kind);
        }
        if (bar->value() >= bar->maximum()) break;
        bar->setValue(bar->value() + bar->pageStep());
        ASSERT_LT(page, 40);
    }
    for (const auto& w : WidgetCatalog::all()) EXPECT_TRUE(drawn.count(w.kind)) << w.kind << " never drawn on screen";
}
