#include "app/shell/PlyxApp.h"

#include "app/music/MusicListener.h"
#include "shared/collectors/MailPoller.h"
#include "shared/collectors/PeripheralBatteryPoller.h"

#include "app/services/AppServices.h"
#include "app/services/LocationService.h"
#include "app/services/ServicePorts.h"
#include "app/services/UsageTracker.h"
#include "app/settings/SettingsView.h"
#include "app/shell/DockPresence.h"
#include "app/shell/SourceChooser.h"
#include "app/window/ContentView.h"
#include "app/window/DesktopApps.h"
#include "app/window/gallerykit/ConnectSources.h"
#include "app/window/gallerykit/DesktopPlacer.h"
#include "platform/desktop/Desktop.h"
#include "platform/desktop/SchemeHandler.h"
#include "platform/ui/Symbols.h"
#include "shared/foundation/PlyxFonts.h"
#include "shared/foundation/ThemeStore.h"
#include "shared/stores/NotesStore.h"

#include <QApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

#include <utility>

#include <filesystem>

namespace plyx {

namespace {
Q_LOGGING_CATEGORY(lcApp, "com.zelvanedesigns.plyx.app")

constexpr const char* kOpenTitle = "Open Plyx";
constexpr const char* kSettingsTitle = "Settings\u2026";
constexpr const char* kQuitTitle = "Quit Plyx";
constexpr const char* kLinkScheme = "plyxwidgets";

/// $`variable` when it names an absolute folder, else ~/`fallback`.
std::filesystem::path xdgFolder(const char* variable, const char* fallback) {
    const QByteArray v = qgetenv(variable);
    if (v.startsWith('/')) return v.toStdString();
    return std::filesystem::path(qgetenv("HOME").toStdString()) / fallback;
}

/// The widgets' links (and links opened anywhere) start or reach this program.
void registerLinkScheme() {
    const desktop::SchemeHandler handler{"plyx.desktop", "Plyx",
                                         QCoreApplication::applicationFilePath().toStdString(), kLinkScheme};
    if (!desktop::installSchemeHandler(handler, xdgFolder("XDG_DATA_HOME", ".local/share"),
                                       xdgFolder("XDG_CONFIG_HOME", ".config")))
        qCWarning(lcApp) << "the handler of" << kLinkScheme << "links could not be installed";
}
} // namespace

PlyxApp::PlyxApp(bool loginItem, QObject* parent)
    : QObject(parent), desktop_(desktop::sessionDesktop()), theme_(std::make_unique<ThemeStore>()),
      notes_(std::make_unique<NotesStore>()) {
    PlyxFonts::registered();
    registerLinkScheme();
    // Closing the last window leaves the application in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    // Connecting reminders or calendars asks the user where they are when
    // none of the usual places holds any.
    installSourceChooser();
    auto ports = ServicePorts::live();
    tracker_ = std::make_unique<UsageTracker>(*desktop_, ports.reloadTimelines);
    ports.startUsageTracker = [this] { tracker_->start(); };
    ports.startMusicListener = [] { MusicListener::shared().start(); };
    ports.startMailPoller = [] { MailPoller::shared().start(false); };
    ports.startBatteryPoller = [] { PeripheralBatteryPoller::shared().start(); };
    ports.locationAuthorized = [] { return LocationService::shared().authorized(); };
    ports.requestOneLocation = [] { LocationService::shared().manager().requestLocation(); };
    ports.syncFromMusic = [] { MusicListener::shared().syncFromMusic(); };
    services_ = std::make_unique<AppServices>(std::move(ports));

    menu_ = std::make_unique<QMenu>();
    connect(menu_->addAction(QString::fromUtf8(kOpenTitle)), &QAction::triggered, this, &PlyxApp::openMain);
    connect(menu_->addAction(QString::fromUtf8(kSettingsTitle)), &QAction::triggered, this, &PlyxApp::openSettings);
    menu_->addSeparator();
    connect(menu_->addAction(QString::fromUtf8(kQuitTitle)), &QAction::triggered, qApp, &QCoreApplication::quit,
            Qt::QueuedConnection);
    tray_ = std::make_unique<QSystemTrayIcon>(QIcon(QString::fromStdString(ui::symbolFile(kTraySymbol))));
    tray_->setToolTip(kMainTitle);
    tray_->setContextMenu(menu_.get());
    tray_->show();
    if (!hasTray())
        qCInfo(lcApp) << "no tray on this desktop: closing the window leaves Plyx running; start it again to reopen";

    // The services start after launch returns, or when the main window first
    // shows, whichever comes first.
    QMetaObject::invokeMethod(this, [this] { services_->start(); }, Qt::QueuedConnection);
    connect(DockPresence::startObserving(), &DockPresence::noMainWindow, this,
            [this] { setPresentation(Presentation::accessory); });

    if (loginItem) setPresentation(Presentation::accessory);
    else openMain();
}

PlyxApp::~PlyxApp() {
    delete mainWindow_;
    delete settingsWindow_;
}

ThemeStore& PlyxApp::theme() { return *theme_; }
NotesStore& PlyxApp::notes() { return *notes_; }
AppServices& PlyxApp::services() { return *services_; }

bool PlyxApp::hasTray() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void PlyxApp::setPresentation(Presentation p) {
    if (p == presentation_) return;
    presentation_ = p;
    emit presentationChanged(p);
}

void PlyxApp::openMain() {
    setPresentation(Presentation::regular);
    if (!mainWindow_) {
        auto* content = new ContentView(ContentEnvironment{
            *theme_, *notes_, DesktopApps::live(),
            ConnectSources::live(*services_, [] { LocationService::shared().request(); }), DesktopPlacer::live(DesktopPlacer::widgetsProgram()),
            [this] { openSettings(); }, [this] { hide(); }});
        // Every link opened in the application is this window's.
        connect(this, &PlyxApp::urlOpened, content, &ContentView::handleLink);
        mainWindow_ = content;
        mainWindow_->setObjectName(kMainId);
        mainWindow_->setWindowTitle(kMainTitle);
        mainWindow_->setAttribute(Qt::WA_DeleteOnClose);
        mainWindow_->resize(kMainWidth, kMainHeight);
    }
    mainWindow_->show();
    // What stepping aside hid comes back with the window, the main window
    // first so a sheet returns over its parent.
    const auto hidden = std::exchange(hidden_, {});
    for (const auto& w : hidden)
        if (w && w != mainWindow_) w->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
    services_->start();
}

void PlyxApp::reopen() { openMain(); }

void PlyxApp::hide() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isWindow() && w->isVisible()) {
            hidden_.append(w);
            w->hide();
        }
}

void PlyxApp::openURL(const QString& url) {
    lastURL_ = url;
    qCInfo(lcApp) << "link opened:" << url;
    openMain();
    emit urlOpened(url);
}

void PlyxApp::openSettings() {
    if (!settingsWindow_) {
        // Built afresh at each opening: every value is read from storage.
        settingsWindow_ = new SettingsView(SettingsActions::live(*services_));
        settingsWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    settingsWindow_->show();
    settingsWindow_->raise();
    settingsWindow_->activateWindow();
}

} // namespace plyx
