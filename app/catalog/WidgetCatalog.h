#pragma once
// The fixed table of every widget the application shows: its sidebar
// category, its short name, its one size and its tone. Built once, never
// changed, never stored.
#include "shared/foundation/WidgetPalette.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace plyx {

struct WCtx;
namespace ui {
class View;
}

struct CatalogWidget {
    enum class Category {
        clocks, reminders, calendars, weather, battery, notes, screenTime, media, focus, health, system, extras
    };
    enum class Size { small, medium, large };

    const char* kind;
    /// Shown on the card and searched; not always the widget's display name.
    const char* name;
    Category category;
    Size size;
    WidgetPalette::Tone tone;

    /// The widget's own view with the catalog's sample data, for `ctx`
    /// (CatalogPreview.cpp); an empty view for a kind the catalog does not list.
    ui::View preview(const WCtx& ctx) const;
};

namespace WidgetCatalog {

/// Every category, in sidebar order.
std::span<const CatalogWidget::Category> allCategories();
/// Every size, smallest first.
std::span<const CatalogWidget::Size> allSizes();

/// "Screen Time" and the other sidebar labels.
const char* label(CatalogWidget::Category category);
/// The symbol shown beside the label.
const char* symbol(CatalogWidget::Category category);
/// "Small", "Medium" or "Large".
const char* label(CatalogWidget::Size size);
/// The category whose label is exactly `text` (case and spaces count).
std::optional<CatalogWidget::Category> categoryNamed(std::string_view text);
std::optional<CatalogWidget::Size> sizeNamed(std::string_view text);

/// All 53 entries, category by category in sidebar order.
std::span<const CatalogWidget> all();
/// The entries of `category` in catalog order; every entry when none.
std::vector<CatalogWidget> widgets(std::optional<CatalogWidget::Category> category);

/// The entries of `category` that have `size` (any when none) and whose name,
/// or else category label, contains `search` ignoring case. The search text
/// is used as typed: no trimming. An empty search keeps every entry.
std::vector<CatalogWidget> filtered(std::optional<CatalogWidget::Category> category,
                                    std::optional<CatalogWidget::Size> size, std::string_view search);

} // namespace WidgetCatalog
} // namespace plyx
