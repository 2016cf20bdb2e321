// The main window's content offscreen: its sidebar, the screen per
// selection, the search text, the notes sheet and the widgets' links, with
// the desktop's applications as a double.
#include "app/window/ContentView.h"

#include "app/gallery/GalleryView.h"
#include "app/habits/HabitsManagerView.h"
#include "app/notes/NotesManagerView.h"
#include "app/theme/ThemeView.h"
#include "app/wallpapers/WallpaperPreviewSheet.h"
#include "app/wallpapers/WallpapersView.h"
#include "app/window/ThemeWheelIcon.h"
#include "app/window/gallerykit/AddWidgetGuide.h"
#include "app/window/gallerykit/ConnectBanner.h"
#include "shared/foundation/ThemeStore.h"
#include "shared/stores/NotesStore.h"
#include "tests/app/window/WindowDoubles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QToolButton>

namespace plyx {
namespace {

using Category = CatalogWidget::Category;
using WindowLinks::DesktopApp;

/// Which screen the detail pane shows: a built screen by its type, a
/// placeholder by its name.
QString screenOf(const QWidget* w) {
    if (dynamic_cast<const GalleryView*>(w)) return "gallery";
    if (qobject_cast<const ThemeView*>(w)) return "theme";
    if (qobject_cast<const WallpapersView*>(w)) return "wallpapers";
    return w->objectName();
}

void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class ContentViewTest : public ::testing::Test {
protected:
    ContentViewTest() {
        test::widgetsApp();
        auto appsDouble = std::make_unique<test::FakeApps>();
        apps = appsDouble.get();
        auto sourcesDouble = std::make_unique<test::FakeSources>();
        sources = sourcesDouble.get();
        auto placerDouble = std::make_unique<test::FakePlacer>();
        placer = placerDouble.get();
        view = std::make_unique<ContentView>(ContentEnvironment{
            theme, notes, std::move(appsDouble), std::move(sourcesDouble), std::move(placerDouble), [this] { ++settingsOpened; }, [this] { ++hidden; }});
        view->resize(1144, 720);
        view->show();
        settle();
    }
    ~ContentViewTest() override {
        view.reset();
        settle();
    }

    /// The sheet's content was built composing.
    bool sheetComposing() const {
        auto* sheet = dynamic_cast<NotesManagerView*>(view->notesSheet());
        return sheet && sheet->startsComposing();
    }

    test::FreshStorage storage;
    ThemeStore theme;
    NotesStore notes;
    /// The gallery in the detail pane; null when another screen is shown.
    GalleryView* gallery() const { return dynamic_cast<GalleryView*>(view->detail()); }

    test::FakeApps* apps = nullptr;
    test::FakeSources* sources = nullptr;
    test::FakePlacer* placer = nullptr;
    int settingsOpened = 0;
    int hidden = 0;
    std::unique_ptr<ContentView> view;
};

TEST_F(ContentViewTest, TheSidebarListsFifteenRowsWithTheirIconsAndItems) {
    const QStringList titles{"All Widgets", "Clocks",  "Reminders", "Calendars", "Weather",    "Battery", "Notes",
                             "Screen Time", "Media",   "Focus",     "Health",    "System",     "Extras",  "Wallpapers",
                             "Theme"};
    auto* list = view->sidebar();
    ASSERT_EQ(list->count(), titles.size());
    for (int row = 0; row < list->count(); ++row) {
        EXPECT_EQ(list->item(row)->text(), titles[row]);
        EXPECT_FALSE(list->item(row)->icon().isNull()) << row;
        EXPECT_EQ(ContentView::rowOf(ContentView::itemAt(row)), row);
    }
    EXPECT_EQ(ContentView::itemAt(0), SidebarItem::all());
    EXPECT_EQ(ContentView::itemAt(7), SidebarItem::of(Category::screenTime));
    EXPECT_EQ(ContentView::itemAt(13), SidebarItem::wallpapers());
    EXPECT_EQ(ContentView::itemAt(14), SidebarItem::theme());

    // A fresh window: "All Widgets" chosen, the whole gallery, no sheet.
    EXPECT_EQ(view->selection(), SidebarItem::all());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(screenOf(view->detail()), "gallery");
    ASSERT_NE(gallery(), nullptr);
    EXPECT_EQ(gallery()->title(), "All Widgets");
    EXPECT_EQ(gallery()->widgets().size(), 53u);
    EXPECT_FALSE(view->showNotesManager());
    EXPECT_EQ(view->searchField()->placeholderText(), "Search");
}

TEST_F(ContentViewTest, EachSelectionShowsItsScreen) {
    const struct {
        std::optional<SidebarItem> item;
        const char* screen;
        const char* category;
    } cases[] = {
        {SidebarItem::of(Category::weather), "gallery", "Weather"},
        {SidebarItem::of(Category::extras), "gallery", "Extras"},
        {SidebarItem::wallpapers(), "wallpapers", nullptr},
        {SidebarItem::theme(), "theme", nullptr},
        {std::nullopt, "gallery", "All Widgets"},  // no row: the same as "All Widgets"
        {SidebarItem::all(), "gallery", "All Widgets"},
    };
    for (const auto& c : cases) {
        view->setSelection(c.item);
        settle();
        EXPECT_EQ(screenOf(view->detail()), c.screen);
        if (c.category) {
            ASSERT_NE(gallery(), nullptr);
            EXPECT_EQ(gallery()->title(), c.category);
        }
        EXPECT_EQ(view->sidebar()->selectedItems().size(), c.item ? 1 : 0);
    }

    // Choosing a row in the list is the same as setting the selection.
    view->sidebar()->setCurrentRow(6);
    settle();
    EXPECT_EQ(view->selection(), SidebarItem::of(Category::notes));
    EXPECT_EQ(gallery()->title(), "Notes");
    view->sidebar()->clearSelection();
    settle();
    EXPECT_EQ(view->selection(), std::nullopt);
    ASSERT_NE(gallery(), nullptr);
    EXPECT_EQ(gallery()->title(), "All Widgets");
}

TEST_F(ContentViewTest, TheSearchTextReachesOnlyTheGalleryAndOutlivesOtherScreens) {
    view->setSelection(SidebarItem::theme());
    view->searchField()->setText("time");
    settle();
    EXPECT_EQ(screenOf(view->detail()), "theme");
    EXPECT_EQ(view->searchText(), "time");

    view->setSelection(SidebarItem::all());
    settle();
    ASSERT_NE(gallery(), nullptr);
    EXPECT_EQ(gallery()->searchText(), "time");
    EXPECT_EQ(gallery()->widgets().size(), 5u);  // "Dual Time" and the four screen-time widgets
    view->searchField()->setText("time ");  // applied as typed
    EXPECT_EQ(gallery()->searchText(), "time ");
}

TEST_F(ContentViewTest, TheWindowKeepsItsMinimumsAndTheSettingsLinkOpensSettings) {
    EXPECT_EQ(view->minimumSize(), QSize(940, 620));
    auto* sidebar = view->splitter()->widget(0);
    EXPECT_EQ(sidebar->minimumWidth(), 200);
    EXPECT_EQ(sidebar->maximumWidth(), 260);
    EXPECT_EQ(sidebar->width(), 220);

    EXPECT_EQ(view->settingsLink()->text(), "Settings");
    view->settingsLink()->click();
    EXPECT_EQ(settingsOpened, 1);
}

TEST_F(ContentViewTest, LinksOpenTheNotesSheetOrAnApplicationAndIgnoreTheRest) {
    using Opened = std::optional<DesktopApp>;
    const struct {
        const char* url;
        bool notesSheet;
        bool composing;
        Opened opened;
    } cases[] = {
        {"plyxwidgets://notes/new", true, true, {}},
        {"plyxwidgets://notes/new?from=widget#top", true, true, {}},
        {"plyxwidgets://notes", true, false, {}},
        {"plyxwidgets://notes/", true, false, {}},
        {"plyxwidgets://notes/edit", true, false, {}},
        {"plyxwidgets://notes/new/", true, false, {}},  // the path must be exactly "/new"
        {"plyxwidgets://open/weather", false, false, DesktopApp::weather},
        {"plyxwidgets://open/calendar", false, false, DesktopApp::calendar},
        {"plyxwidgets://open/reminders", false, false, DesktopApp::reminders},
        {"plyxwidgets://open/widgets/today/calendar", false, false, DesktopApp::calendar},  // the last component
        {"plyxwidgets://open/weather/", false, false, DesktopApp::weather},
        {"plyxwidgets://open/remind%65rs", false, false, DesktopApp::reminders},
        {"plyxwidgets://open/Weather", false, false, {}},
        {"plyxwidgets://open/mail", false, false, {}},
        {"plyxwidgets://open/", false, false, {}},
        {"plyxwidgets://open", false, false, {}},
        {"plyxwidgets://Notes/new", false, false, {}},
        {"plyxwidgets://other/new", false, false, {}},
        {"plyxwidgets:notes/new", false, false, {}},  // no host
        {"PlyxWidgets://notes/new", false, false, {}},
        {"https://notes/new", false, false, {}},
        {"notes/new", false, false, {}},
        {"", false, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        view->setSelection(SidebarItem::theme());
        apps->opened.clear();
        hidden = 0;
        view->handleLink(c.url);
        settle();
        EXPECT_EQ(view->showNotesManager(), c.notesSheet);
        ASSERT_EQ(view->notesSheet() != nullptr, c.notesSheet);
        if (c.notesSheet) {
            EXPECT_TRUE(view->notesSheet()->isVisible());
            EXPECT_EQ(view->notesStartComposing(), c.composing);
            EXPECT_EQ(sheetComposing(), c.composing);
            // The notes widgets show behind the sheet.
            EXPECT_EQ(view->selection(), SidebarItem::of(Category::notes));
            view->notesSheet()->reject();
            settle();
            EXPECT_FALSE(view->showNotesManager());
        } else {
            EXPECT_EQ(view->selection(), SidebarItem::theme());
        }
        if (c.opened) {
            EXPECT_EQ(apps->opened, std::vector<std::string>{test::FakeApps::locationOf(*c.opened)});
            EXPECT_EQ(hidden, 1);
        } else {
            EXPECT_TRUE(apps->opened.empty());
            EXPECT_EQ(hidden, 0);
        }
    }
}

TEST_F(ContentViewTest, AnApplicationThatIsNotInstalledLeavesTheWindowAsItIs) {
    apps->installed = {DesktopApp::weather};
    view->handleLink("plyxwidgets://open/calendar");
    EXPECT_EQ(apps->located, std::vector<DesktopApp>{DesktopApp::calendar});
    EXPECT_TRUE(apps->opened.empty());
    EXPECT_EQ(hidden, 0);
}

TEST_F(ContentViewTest, TheNotesActionOpensTheListEvenAfterAComposingLink) {
    view->handleLink("plyxwidgets://notes/new");
    settle();
    ASSERT_TRUE(view->notesSheet());
    EXPECT_TRUE(sheetComposing());
    view->notesSheet()->reject();
    settle();

    view->setSelection(SidebarItem::wallpapers());
    const auto action = view->openNotesManager();
    action();
    settle();
    EXPECT_TRUE(view->showNotesManager());
    ASSERT_TRUE(view->notesSheet());
    EXPECT_FALSE(view->notesStartComposing());
    EXPECT_FALSE(sheetComposing());
    EXPECT_EQ(view->selection(), SidebarItem::wallpapers());  // the action leaves the selection alone

    // Asked again while open: the same sheet stays.
    QDialog* sheet = view->notesSheet();
    action();
    settle();
    EXPECT_EQ(view->notesSheet(), sheet);

    // Hidden with every other window (never closed): asked again, it comes back.
    sheet->hide();
    action();
    settle();
    EXPECT_EQ(view->notesSheet(), sheet);
    EXPECT_TRUE(sheet->isVisible());

    // An action kept past the window does nothing.
    view.reset();
    settle();
    action();
}

TEST_F(ContentViewTest, ManageNotesInTheGalleryOpensTheSheetOnTheList) {
    view->handleLink("plyxwidgets://notes/new");
    settle();
    view->notesSheet()->reject();
    settle();
    ASSERT_NE(gallery(), nullptr);
    ASSERT_NE(gallery()->manageNotesButton(), nullptr);
    gallery()->manageNotesButton()->click();
    settle();
    ASSERT_TRUE(view->notesSheet());
    EXPECT_FALSE(sheetComposing());
}

TEST_F(ContentViewTest, ManageHabitsInTheFocusGalleryOpensTheHabitsSheet) {
    view->setSelection(SidebarItem::of(Category::focus));
    settle();
    ASSERT_NE(gallery(), nullptr);
    EXPECT_TRUE(view->findChildren<HabitsManagerView*>().isEmpty());
    gallery()->manageHabitsButton()->click();
    settle();
    const auto sheets = view->findChildren<HabitsManagerView*>();
    ASSERT_EQ(sheets.size(), 1);
    EXPECT_TRUE(sheets.front()->isVisible());
    sheets.front()->reject();
    settle();
}

TEST_F(ContentViewTest, AddToDesktopPlacesTheSelectedWidgetAndOpensTheGuideNamingIt) {
    const auto guide = [this] { return view->findChild<AddWidgetGuide*>(); };
    gallery()->addButton()->click();
    settle();
    ASSERT_NE(guide(), nullptr);
    EXPECT_FALSE(guide()->widgetName().has_value());
    EXPECT_TRUE(placer->kinds.empty());
    guide()->doneButton()->click();
    settle();
    EXPECT_EQ(guide(), nullptr);

    const CatalogWidget chosen = gallery()->widgets().at(3);
    gallery()->tap(chosen.kind);
    gallery()->addButton()->click();
    settle();
    EXPECT_EQ(placer->kinds, std::vector<std::string>{chosen.kind});
    ASSERT_NE(guide(), nullptr);
    EXPECT_EQ(guide()->widgetName(), QString::fromUtf8(chosen.name));
}

TEST_F(ContentViewTest, TheGalleryShowsTheConnectBannerUntilAccessIsGranted) {
    view->setSelection(SidebarItem::of(Category::reminders));
    settle();
    auto* banner = dynamic_cast<ConnectBanner*>(gallery()->banner());
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->text(), "Connect Reminders so these widgets show your real list.");
    banner->connectButton()->click();
    EXPECT_EQ(sources->reminderRequests, 1);

    sources->grantReminders();
    settle();
    EXPECT_EQ(gallery()->banner(), nullptr);

    view->setSelection(SidebarItem::of(Category::clocks));
    settle();
    EXPECT_EQ(gallery()->banner(), nullptr);
}

// At the smallest size the window allows, every control of the theme editor
// can be reached: shown whole, or inside the settings' scroll area where
// scrolling to it shows it whole.
TEST_F(ContentViewTest, TheThemeEditorReachesEveryControlAtTheSmallestWindow) {
    view->resize(ContentView::kMinWidth, ContentView::kMinHeight);
    view->setSelection(SidebarItem::theme());
    settle();
    auto* editor = qobject_cast<ThemeView*>(view->detail());
    ASSERT_NE(editor, nullptr);
    auto* scroll = editor->findChild<QScrollArea*>("settingsScroll");
    ASSERT_NE(scroll, nullptr);
    // A control stretched across the settings (the follow check box) is
    // reached when what it draws, its own size from its leading edge, shows.
    auto drawnSize = [](QWidget* w) { return w->sizeHint().isValid() ? w->size().boundedTo(w->sizeHint()) : w->size(); };
    auto within = [&](QWidget* w, QWidget* frame) {
        return QRect(frame->mapTo(view.get(), QPoint(0, 0)), frame->size())
            .contains(QRect(w->mapTo(view.get(), QPoint(0, 0)), drawnSize(w)));
    };

    QList<QWidget*> controls;
    for (auto* b : editor->findChildren<QAbstractButton*>()) controls << b;
    ASSERT_GE(controls.size(), 5 + 1 + 1 + 3 + 2 + 3 + 1); // swatches, well, follow, cards, segments, apply
    for (QWidget* c : controls) {
        SCOPED_TRACE(c->objectName().toStdString() + " " + c->accessibleName().toStdString());
        if (scroll->widget()->isAncestorOf(c)) {
            if (c->width() <= scroll->viewport()->width()) {
                scroll->ensureWidgetVisible(c, 0, 0);
            } else {
                scroll->horizontalScrollBar()->setValue(c->mapTo(scroll->widget(), QPoint(0, 0)).x());
                scroll->ensureWidgetVisible(c, 0, 0);
                scroll->horizontalScrollBar()->setValue(c->mapTo(scroll->widget(), QPoint(0, 0)).x());
            }
            settle();
            EXPECT_TRUE(within(c, scroll->viewport()) && within(c, view.get())) << "scrolled to, it shows whole";
        } else {
            EXPECT_TRUE(within(c, view.get())) << "outside the scroll area, it shows whole";
        }
    }
}

TEST(ThemeWheelIconTest, FourQuartersClockwiseFromTheTop) {
    test::widgetsApp();
    QImage image(140, 140, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        ThemeWheelIcon::paint(p, QRectF(0, 0, 140, 140));
    }
    EXPECT_EQ(image.pixelColor(100, 30), QColor(215, 25, 33));    // top right
    EXPECT_EQ(image.pixelColor(100, 110), QColor(245, 245, 245)); // bottom right
    EXPECT_EQ(image.pixelColor(40, 110), QColor(138, 138, 138));  // bottom left
    EXPECT_EQ(image.pixelColor(40, 30), QColor(76, 76, 76));      // top left
    EXPECT_EQ(image.pixelColor(2, 2).alpha(), 0);                 // a disc, not a square
}

} // namespace
} // namespace plyx
