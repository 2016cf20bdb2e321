#pragma once
// The application: its long-lived state (theme, notes, services hub), the
// "main" window, the settings window and the tray item with its menu, and
// how it presents itself.
#include "app/shell/Presentation.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;


namespace plyx {

class AppServices;
class NotesStore;
class ThemeStore;
class UsageTracker;
namespace desktop {
class Desktop;
}

class PlyxApp : public QObject {
    Q_OBJECT
public:
    /// The main window's size and title.
    static constexpr int kMainWidth = 1144;
    static constexpr int kMainHeight = 720;
    static constexpr const char* kMainTitle = "Plyx";
    static constexpr const char* kMainId = "main";
    /// The tray item's symbol.
    static constexpr const char* kTraySymbol = "circle.grid.3x3";

    /// `loginItem`: launched at login, so no window and tray item only.
    explicit PlyxApp(bool loginItem, QObject* parent = nullptr);
    ~PlyxApp() override;

    ThemeStore& theme();
    NotesStore& notes();
    AppServices& services();

    Presentation presentation() const { return presentation_; }
    /// The "main" window, once opened.
    QWidget* mainWindow() const { return mainWindow_; }
    /// The tray item's menu: "Open Plyx", "Settings…", a separator, "Quit Plyx".
    QMenu* trayMenu() const { return menu_.get(); }
    /// Whether the desktop shows the tray item.
    bool hasTray() const;

    /// Regular presentation, the "main" window opened (or brought forward).
    void openMain();
    /// Another start of the application: the same as opening from the tray.
    void reopen();
    /// Steps aside for another application: every window goes, the tray item
    /// stays. The next `openMain` brings them all back, sheets included.
    void hide();
    /// A link opened in the application: the "main" window shows and takes it.
    void openURL(const QString& url);
    /// The last link opened, for the main window's content.
    const QString& lastURL() const { return lastURL_; }
    /// The settings window (opened, or brought forward when open): the tray
    /// menu's "Settings…" and the main window's settings link.
    void openSettings();
    /// The settings window, while open.
    QWidget* settingsWindow() const { return settingsWindow_; }

signals:
    void presentationChanged(plyx::Presentation presentation);
    /// A link for the main window's content to handle.
    void urlOpened(const QString& url);

private:
    void setPresentation(Presentation p);

    std::unique_ptr<desktop::Desktop> desktop_;
    std::unique_ptr<ThemeStore> theme_;
    std::unique_ptr<NotesStore> notes_;
    std::unique_ptr<AppServices> services_;
    std::unique_ptr<UsageTracker> tracker_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    QPointer<QWidget> mainWindow_;
    QPointer<QWidget> settingsWindow_;
    QList<QPointer<QWidget>> hidden_; // what `hide` put away, in the order shown
    Presentation presentation_ = Presentation::regular;
    QString lastURL_;
};

} // namespace plyx
