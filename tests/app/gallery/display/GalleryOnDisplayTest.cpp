// The gallery as a user sees it: in a 1144 by 720 window on an X display,
// scrolled from top to bottom, every card's preview drawn on screen. The pages
// are written as images under PLYX_TEST_ARTIFACTS when it is set.
#include "app/gallery/GalleryView.h"
#include "app/gallery/WidgetGalleryCard.h"
#include "shared/foundation/ThemeStore.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QProcess>
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

// One Xvfb for the process, and the application on it; nothing when no X
// server can be started.
QApplication* displayApp() {
    static QProcess* xvfb = nullptr;
    static QApplication* app = nullptr;
    if (app || xvfb) return app;
    xvfb = new QProcess;
    // -displayfd 1: the server picks a free display and writes its number to us.
    xvfb->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1600x1000x24", "-nolisten", "tcp"});
    // The server is this process's own: it goes when the tests end, so no
    // display is left holding a number that later runs look for.
    std::atexit([] {
        xvfb->kill();
        xvfb->waitForFinished(5000);
    });
    if (!xvfb->waitForStarted(10000) || !xvfb->waitForReadyRead(20000)) return nullptr;
    const QString display = ":" + QString::fromUtf8(xvfb->readLine()).trimmed();
    ::setenv("DISPLAY", display.toUtf8().constData(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    app = new QApplication(argc, argv);
    return app;
}

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
