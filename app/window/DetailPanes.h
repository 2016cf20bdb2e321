#pragma once
// The screens of the main window, each made from one row of a table: the
// detail pane per sidebar selection, and the notes sheet's content.
#include "app/catalog/WidgetCatalog.h"
#include "app/window/SidebarItem.h"

#include <QString>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace plyx {

class ContentView;

/// What a pane is made from.
struct PaneContext {
    ContentView& window;
    /// The sidebar's category; none for "All Widgets".
    std::optional<CatalogWidget::Category> category;
    QString searchText;
};

/// A made pane, and how it takes a new search text (empty for screens that ignore it).
struct DetailPane {
    QWidget* widget = nullptr;
    std::function<void(const QString&)> setSearchText;
};

/// The pane for `selection` (none shows the same as "All Widgets").
DetailPane makeDetailPane(const std::optional<SidebarItem>& selection, const PaneContext& context);

/// The notes sheet over `window`: the notes manager, opened composing or on
/// the list. The window shows it and learns when it closes.
QDialog* makeNotesSheet(ContentView& window, bool startComposing);

} // namespace plyx
