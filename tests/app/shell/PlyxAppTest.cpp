// The application's shell on an offscreen display: the main window, the tray
// menu, and the move between regular and accessory presentation.
#include "app/shell/PlyxApp.h"

#include "app/services/AppServices.h"
#include "app/settings/SettingsView.h"
#include "app/window/ContentView.h"
#include "platform/store/Defaults.h"
#include "tests/support/TestSupport.h"
#include "tests/support/bus/PrivateBus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <QPointer>
#include <QToolButton>
#include <QWidget>

namespace plyx {
namespace {

QApplication& widgetsApp() {
    static int argc = 1;
    static char name[] = "plyx_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
    return *app;
}

void settle() {
    for (int i = 0; i < 3; ++i) test::spinOnce();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class PlyxAppTest : public ::testing::Test {
protected:
    PlyxAppTest() { widgetsApp(); }
};

TEST_F(PlyxAppTest, AnOrdinaryLaunchShowsTheMainWindowAndTheTrayMenu) {
    PlyxApp app(false);
    EXPECT_EQ(app.presentation(), Presentation::regular);
    ASSERT_NE(app.mainWindow(), nullptr);
    EXPECT_TRUE(app.mainWindow()->isVisible());
    EXPECT_EQ(app.mainWindow()->windowTitle(), "Plyx");
    EXPECT_EQ(app.mainWindow()->size(), QSize(1144, 720));
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());

    QStringList items;
    for (const QAction* a : app.trayMenu()->actions()) items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items, (QStringList{"Open Plyx", QString::fromUtf8("Settings\u2026"), "-", "Quit Plyx"}));

    settle();
    EXPECT_NE(app.services().statsTimer(), nullptr);  // the services started

    // The link scheme's handler is this program, for the user.
    const std::filesystem::path data = qgetenv("XDG_DATA_HOME").toStdString();
    const std::filesystem::path config = qgetenv("XDG_CONFIG_HOME").toStdString();
    EXPECT_NE(test::readFile(data / "applications/plyx.desktop")
                  .find("Exec=\"" + QCoreApplication::applicationFilePath().toStdString() + "\" %u"),
              std::string::npos);
    EXPECT_NE(test::readFile(config / "mimeapps.list").find("x-scheme-handler/plyxwidgets=plyx.desktop"),
              std::string::npos);
}

TEST_F(PlyxAppTest, ClosingTheLastMainWindowMakesItAccessoryAndOpenBringsItBack) {
    PlyxApp app(false);
    // A dialog left open is no main window.
    QDialog dialog;
    dialog.show();
    app.mainWindow()->close();
    settle();
    EXPECT_EQ(app.presentation(), Presentation::accessory);
    EXPECT_EQ(app.mainWindow(), nullptr);

    app.trayMenu()->actions().at(0)->trigger();  // "Open Plyx"
    EXPECT_EQ(app.presentation(), Presentation::regular);
    ASSERT_NE(app.mainWindow(), nullptr);
    EXPECT_TRUE(app.mainWindow()->isVisible());

    // With a second main window still shown, closing one changes nothing.
    QWidget other;
    other.show();
    app.mainWindow()->close();
    settle();
    EXPECT_EQ(app.presentation(), Presentation::regular);
}

TEST_F(PlyxAppTest, ALoginLaunchHasNoWindowAndALinkOpensTheMainWindow) {
    PlyxApp app(true);
    EXPECT_EQ(app.presentation(), Presentation::accessory);
    EXPECT_EQ(app.mainWindow(), nullptr);
    settle();
    EXPECT_NE(app.services().statsTimer(), nullptr);  // the services start all the same

    QStringList heard;
    QObject::connect(&app, &PlyxApp::urlOpened, [&](const QString& u) { heard << u; });
    app.openURL("plyxwidgets://notes");
    EXPECT_EQ(heard, QStringList{"plyxwidgets://notes"});
    EXPECT_EQ(app.presentation(), Presentation::regular);
    ASSERT_NE(app.mainWindow(), nullptr);
    EXPECT_TRUE(app.mainWindow()->isVisible());
}

TEST_F(PlyxAppTest, TheWindowsSettingsLinkOpensSettingsAndHidingLeavesOnlyTheTray) {
    PlyxApp app(false);
    settle();
    auto* link = app.mainWindow()->findChild<QToolButton*>("settingsLink");
    ASSERT_NE(link, nullptr);
    link->click();
    ASSERT_NE(app.settingsWindow(), nullptr);
    EXPECT_TRUE(app.settingsWindow()->isVisible());

    // Stepping aside for another application: every window goes, none is
    // closed, and the application runs on in the tray.
    QPointer<QWidget> main = app.mainWindow();
    app.hide();
    settle();
    ASSERT_TRUE(main);
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(app.settingsWindow()->isVisible());

    app.reopen();
    EXPECT_EQ(app.mainWindow(), main.data());
    EXPECT_TRUE(main->isVisible());
}

// A link that opens another program hides every window; the next start
// brings the notes sheet back with the main window, and a sheet closed
// afterwards opens again from a link.
TEST_F(PlyxAppTest, TheNotesSheetComesBackAfterTheApplicationStepsAside) {
    PlyxApp app(false);
    settle();
    app.openURL("plyxwidgets://notes");
    settle();
    auto* content = dynamic_cast<ContentView*>(app.mainWindow());
    ASSERT_NE(content, nullptr);
    QPointer<QDialog> sheet = content->notesSheet();
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(sheet->isVisible());

    app.hide();
    settle();
    EXPECT_FALSE(sheet->isVisible());
    app.reopen();
    settle();
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(app.mainWindow()->isVisible());
    EXPECT_TRUE(sheet->isVisible()) << "back as it was before the hide";

    sheet->reject();
    settle();
    EXPECT_FALSE(content->notesSheet());
    app.hide();
    app.openURL("plyxwidgets://notes/new");
    settle();
    ASSERT_TRUE(content->notesSheet());
    EXPECT_TRUE(content->notesSheet()->isVisible());
}

TEST_F(PlyxAppTest, TheTrayMenusQuitItemEndsTheApplication) {
    PlyxApp app(true);
    QAction* quit = app.trayMenu()->actions().at(3);
    ASSERT_EQ(quit->text(), "Quit Plyx");
    // The item is clicked once the loop runs; a loop still running after ten
    // seconds is ended with a code the quit item never gives.
    QTimer::singleShot(0, quit, &QAction::trigger);
    QTimer::singleShot(10000, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(PlyxAppTest, TraySettingsOpensTheSettingsWindowWiredToTheRealServices) {
    namespace fs = std::filesystem;
    PlyxApp app(true);
    settle();
    app.trayMenu()->actions().at(1)->trigger();  // "Settings…"
    auto* settings = qobject_cast<SettingsView*>(app.settingsWindow());
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(settings->width(), SettingsView::kWidth);
    EXPECT_EQ(app.presentation(), Presentation::accessory);  // the settings are no main window

    // The live-refresh picker reschedules the hub's stats timer.
    auto* refresh = settings->findChild<QComboBox*>("plyx.pollseconds");
    refresh->setCurrentIndex(3);
    emit refresh->activated(3);  // "Every 5 minutes"
    ASSERT_NE(app.services().statsTimer(), nullptr);
    EXPECT_EQ(app.services().statsTimer()->interval(), 300 * 1000);
    store::Defaults::standard().remove("plyx.pollseconds");

    // The login switch keeps an autostart entry that starts this program as at login.
    const fs::path config = qgetenv("XDG_CONFIG_HOME").toStdString();
    const fs::path entry = config / "autostart/plyx.desktop";
    settings->findChild<QCheckBox*>("plyx.launchAtLogin")->click();
    EXPECT_NE(test::readFile(entry).find("Exec=\"" + QCoreApplication::applicationFilePath().toStdString() +
                                         "\" --login"),
              std::string::npos);
    settings->close();
    settle();
    app.openSettings();  // a new window, which finds the entry in place
    settings = qobject_cast<SettingsView*>(app.settingsWindow());
    auto* login = settings->findChild<QCheckBox*>("plyx.launchAtLogin");
    EXPECT_TRUE(login->isChecked());
    login->click();
    EXPECT_FALSE(fs::exists(entry));

    // A folder that cannot be written: the switch goes back off.
    test::TempDir blocked;
    test::writeFile(blocked.path() / "autostart", "not a folder");
    test::ScopedEnv env("XDG_CONFIG_HOME", blocked.path().string());
    login->click();
    EXPECT_FALSE(login->isChecked());
    EXPECT_FALSE(store::Defaults::standard().boolean("plyx.launchAtLogin"));
    store::Defaults::standard().remove("plyx.launchAtLogin");
}

} // namespace
} // namespace plyx
