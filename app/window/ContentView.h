#pragma once
// The main window's content: a sidebar of the widget categories, the
// wallpapers and the theme editor beside the screen chosen there; the notes
// manager as its sheet, which any screen inside can open; and every
// "plyxwidgets" link the widgets open.
#include "app/window/DetailPanes.h"
#include "app/window/SidebarItem.h"

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class QListWidget;
class QSplitter;
class QToolButton;

namespace plyx {

class ConnectSources;
class DesktopApps;
class DesktopPlacer;
class NotesStore;
class ThemeStore;

/// What the window is made with: the application's stores, the desktop's
/// applications, the services' access flags, the desktop host, and the
/// application's own actions.
struct ContentEnvironment {
    ThemeStore& theme;
    NotesStore& notes;
    std::unique_ptr<DesktopApps> apps;
    std::unique_ptr<ConnectSources> connect;
    std::unique_ptr<DesktopPlacer> placer;
    /// Opens the settings window.
    std::function<void()> openSettings;
    /// Hides the application: its windows go, the tray item stays.
    std::function<void()> hideApplication;
};

class ContentView : public QWidget {
public:
    static constexpr int kMinWidth = 940;
    static constexpr int kMinHeight = 620;
    static constexpr int kSidebarMin = 200;
    static constexpr int kSidebarIdeal = 220;
    static constexpr int kSidebarMax = 260;
    static constexpr const char* kSearchPrompt = "Search";
    static constexpr const char* kSettingsTitle = "Settings";

    explicit ContentView(ContentEnvironment env, QWidget* parent = nullptr);
    ~ContentView() override;

    ThemeStore& theme() const { return env_.theme; }
    NotesStore& notes() const { return env_.notes; }
    ConnectSources& connectSources() const { return *env_.connect; }
    DesktopPlacer* placer() const { return env_.placer.get(); }

    const std::optional<SidebarItem>& selection() const { return selection_; }
    void setSelection(std::optional<SidebarItem> item);
    const QString& searchText() const { return searchText_; }
    void setSearchText(const QString& text);
    bool showNotesManager() const { return showNotesManager_; }
    bool notesStartComposing() const { return notesStartComposing_; }

    /// The notes-manager action every screen inside is given: opens the
    /// sheet on the list, whatever the last link asked, without touching the
    /// selection.
    std::function<void()> openNotesManager();

    /// A link opened in this window; anything but a "plyxwidgets" link the
    /// window knows is ignored.
    void handleLink(const QString& url);

    /// The sidebar's rows in order, each with its item.
    QListWidget* sidebar() const { return list_; }
    QLineEdit* searchField() const { return search_; }
    QToolButton* settingsLink() const { return settings_; }
    QSplitter* splitter() const { return split_; }
    /// The screen in the detail pane.
    QWidget* detail() const { return detail_.widget; }
    /// The notes sheet while shown.
    QDialog* notesSheet() const { return sheet_; }

    /// The row of `item`; -1 when none.
    static int rowOf(const SidebarItem& item);
    /// The item of the sidebar's row `row`.
    static SidebarItem itemAt(int row);

private:
    QWidget* buildSidebar();
    void showDetail();
    void setShowNotesManager(bool show);

    ContentEnvironment env_;
    std::optional<SidebarItem> selection_ = SidebarItem::all();
    QString searchText_;
    bool showNotesManager_ = false;
    bool notesStartComposing_ = false;

    QSplitter* split_ = nullptr;
    QListWidget* list_ = nullptr;
    QLineEdit* search_ = nullptr;
    QToolButton* settings_ = nullptr;
    QWidget* detailHolder_ = nullptr;
    DetailPane detail_;
    QPointer<QDialog> sheet_;
};

} // namespace plyx
