// The main window as a user meets it on an X display: "Add to Desktop" puts
// the widget on the screen through the running desktop host and opens the
// guide, and a link opened by starting Plyx again reaches the running
// window and opens the notes sheet composing.
#include "app/services/AppServices.h"
#include "app/shell/PlyxApp.h"
#include "app/window/ContentView.h"
#include "app/gallery/GalleryView.h"
#include "app/gallery/WidgetGalleryCard.h"
#include "app/window/gallerykit/AddWidgetGuide.h"
#include "app/window/gallerykit/DesktopPlacer.h"
#include "platform/desktop/SingleInstance.h"
#include "shared/foundation/ThemeStore.h"
#include "shared/stores/NotesStore.h"
#include "tests/app/window/WindowDoubles.h"
#include "shared/identity/AppIdentity.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"
#include "tests/support/gui/XServer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

namespace plyx {
namespace {

constexpr const char* kHostService = "com.zelvanedesigns.plyx.widgets.Host";

QApplication& displayApp() {
    static int argc = 1;
    static char name[] = "plyx_test";
    static char* argv[] = {name, nullptr};
    // A server of this process's own, stopped when the process ends.
    static test::XServer server;
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "xcb");
        return new QApplication(argc, argv);
    }();
    return *app;
}

QProcessEnvironment onDisplay() {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    return env;
}

QImage screenShot() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

/// How many pixels of `rect` differ between two shots.
int changedPixels(const QImage& before, const QImage& after, const QRect& rect) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) ++n;
    return n;
}

void keep(const QImage& image, const char* name) {
    if (auto dir = test::artifactsDir()) image.save(QString::fromStdString((*dir / name).string()));
}

struct Placed {
    std::string id, kind;
    int x = 0, y = 0;
};
std::vector<Placed> placedWidgets() {
    QProcess p;
    p.setProcessEnvironment(onDisplay());
    p.start(PLYX_WIDGETS, {"--placed"});
    p.waitForFinished(20000);
    std::vector<Placed> out;
    for (const auto& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        const auto f = line.split('\t');
        if (f.size() < 3) continue;
        const auto at = f[2].split(',');
        out.push_back({f[0].toStdString(), f[1].toStdString(), at.value(0).toInt(), at.value(1).toInt()});
    }
    return out;
}

class WindowOnDisplay : public ::testing::Test {
protected:
    WindowOnDisplay() { displayApp(); }
};

TEST_F(WindowOnDisplay, AddToDesktopPutsTheWidgetOnTheScreenAndOpensTheGuide) {
    ASSERT_NE(qgetenv("DISPLAY"), "") << "Xvfb could not be started";
    ASSERT_FALSE(test::privateBusAddress().empty());
    auto bus = QDBusConnection::sessionBus();

    QProcess host;
    host.setProcessEnvironment(onDisplay());
    host.start(PLYX_WIDGETS, {});
    ASSERT_TRUE(host.waitForStarted());
    struct Stop {
        QProcess& p;
        ~Stop() {
            p.terminate();
            if (!p.waitForFinished(10000)) p.kill();
        }
    } stopHost{host};
    ASSERT_TRUE(test::spinUntil([&] { return bus.interface()->isServiceRegistered(kHostService).value(); }));
    for (int i = 0; i < 50; ++i) test::spinOnce();  // the empty desktop settles
    const QImage before = screenShot();

    ThemeStore theme;
    NotesStore notes;
    auto placerOwned = DesktopPlacer::live(PLYX_WIDGETS);
    DesktopPlacer* placer = placerOwned.get();
    ContentView window(ContentEnvironment{theme, notes, std::make_unique<test::FakeApps>(),
                                          std::make_unique<test::FakeSources>(), std::move(placerOwned), {}, {}});
    window.resize(1144, 720);
    window.move(440, 260);
    window.show();
    QString placedId, problem;
    QObject::connect(placer, &DesktopPlacer::placed, [&](const QString&, const QString& id, const QString& why) {
        placedId = id;
        problem = why;
    });

    // The user picks the System row, clicks the storage card, then "Add to Desktop".
    window.setSelection(SidebarItem::of(CatalogWidget::Category::system));
    for (int i = 0; i < 20; ++i) test::spinOnce();
    auto* gallery = dynamic_cast<GalleryView*>(window.detail());
    ASSERT_NE(gallery, nullptr);
    QWidget* card = gallery->card("plyx.system.storage");
    ASSERT_NE(card, nullptr);
    gallery->scrollArea()->ensureWidgetVisible(card);
    for (int i = 0; i < 10; ++i) test::spinOnce();
    QTest::mouseClick(card, Qt::LeftButton, {}, card->rect().center());
    ASSERT_EQ(gallery->selectedKind(), std::optional<std::string>("plyx.system.storage"));
    keep(window.grab().toImage(), "window-gallery-selected.png");
    QTest::mouseClick(gallery->addButton(), Qt::LeftButton);
    AddWidgetGuide* guide = nullptr;
    ASSERT_TRUE(test::spinUntil([&] { return (guide = window.findChild<AddWidgetGuide*>()) != nullptr; }));
    ASSERT_TRUE(test::spinUntil([&] { return !placedId.isEmpty() || !problem.isEmpty(); }));
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();

    // The host placed it and shows it where it says it is.
    const auto placed = placedWidgets();
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].id, placedId.toStdString());
    EXPECT_EQ(placed[0].kind, "plyx.system.storage");
    const QRect widgetRect(placed[0].x, placed[0].y, 160, 160);  // a small widget
    ASSERT_TRUE(test::spinUntil([&] { return changedPixels(before, screenShot(), widgetRect) > 160 * 160 / 2; }));
    const QImage after = screenShot();
    keep(after, "window-add-to-desktop.png");
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->titleLabel()->text(), QString::fromUtf8("Add \u201CStorage\u201D to your desktop"));
    guide->accept();
}

TEST_F(WindowOnDisplay, ALinkFromASecondStartOpensTheNotesSheetComposing) {
    ASSERT_NE(qgetenv("DISPLAY"), "") << "Xvfb could not be started";
    desktop::SingleInstance instance(AppIdentity::kApplication);
    ASSERT_TRUE(instance.claim());
    PlyxApp app(false);
    // As the program's entry wires them.
    QObject::connect(&instance, &desktop::SingleInstance::urlOpened, &app, &PlyxApp::openURL);
    auto* content = dynamic_cast<ContentView*>(app.mainWindow());
    ASSERT_NE(content, nullptr);
    ASSERT_TRUE(test::spinUntil([&] { return content->isVisible(); }));

    QProcess second;
    second.setProcessEnvironment(onDisplay());
    second.start(PLYX_APP, {"plyxwidgets://notes/new"});
    ASSERT_TRUE(test::spinUntil([&] { return second.state() == QProcess::NotRunning; }));
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_TRUE(test::spinUntil([&] { return content->notesSheet() && content->notesSheet()->isVisible(); }));
    EXPECT_TRUE(content->notesStartComposing());
    EXPECT_EQ(content->selection(), SidebarItem::of(CatalogWidget::Category::notes));
    for (int i = 0; i < 50; ++i) test::spinOnce();
    keep(screenShot(), "window-notes-link.png");
}

} // namespace
} // namespace plyx
