#include "app/window/DetailPanes.h"

#include "app/gallery/GalleryView.h"
#include "app/habits/HabitsManagerView.h"
#include "app/notes/NotesManagerView.h"
#include "app/theme/ThemeView.h"
#include "app/wallpapers/WallpaperPreviewSheet.h"
#include "app/wallpapers/WallpapersView.h"
#include "app/window/ContentView.h"
#include "app/window/gallerykit/AddToDesktop.h"
#include "app/window/gallerykit/ConnectBanner.h"
#include "app/window/gallerykit/ConnectSources.h"

#include <QDialog>
#include <QWidget>

namespace plyx {

namespace {

using Case = SidebarItem::Case;
using Factory = DetailPane (*)(const PaneContext&);

/// An empty screen in place of one not built yet, named for tests and tools.
QWidget* placeholder(const char* name) {
    auto* w = new QWidget;
    w->setObjectName(name);
    return w;
}

DetailPane gallery(const PaneContext& c) {
    ContentView& window = c.window;
    auto* g = new GalleryView(window.theme(), c.category, c.searchText);
    g->setOpenNotesManager(OpenNotesManagerAction{window.openNotesManager()});
    g->setOnManageHabits([g] {
        auto* sheet = new HabitsManagerView(g->window());
        sheet->setAttribute(Qt::WA_DeleteOnClose);
        sheet->open();
    });
    g->setOnAddToDesktop([g, &window](const std::optional<CatalogWidget>& widget) {
        std::optional<SelectedWidget> selected;
        if (widget) selected = SelectedWidget{widget->kind, QString::fromUtf8(widget->name)};
        addToDesktop(g->window(), selected, window.placer());
    });
    ConnectSources& sources = window.connectSources();
    g->setBannerRule([&sources](std::optional<CatalogWidget::Category> category) -> QWidget* {
        auto choice = connectBanner(category, sources);
        if (!choice) return nullptr;
        return new ConnectBanner(QString::fromStdString(choice->text), std::move(choice->action));
    });
    // An access granted takes its banner away at once.
    QObject::connect(&sources, &ConnectSources::changed, g, &GalleryView::refreshBanner);
    return {g, [g](const QString& text) { g->setSearchText(text); }};
}
DetailPane wallpapers(const PaneContext&) { return {new WallpapersView, {}}; }
DetailPane theme(const PaneContext& c) { return {new ThemeView(c.window.theme()), {}}; }

/// One row per sidebar case: the screen it shows.
constexpr struct {
    Case item;
    Factory make;
} kPanes[] = {
    {Case::all, gallery},
    {Case::category, gallery},
    {Case::wallpapers, wallpapers},
    {Case::theme, theme},
};

} // namespace

DetailPane makeDetailPane(const std::optional<SidebarItem>& selection, const PaneContext& context) {
    const Case item = selection ? selection->kind : Case::all;
    for (const auto& row : kPanes)
        if (row.item == item) return row.make(context);
    return {placeholder("empty"), {}};
}

QDialog* makeNotesSheet(ContentView& window, bool startComposing) {
    return new NotesManagerView(window.notes(), startComposing, &window);
}

} // namespace plyx
