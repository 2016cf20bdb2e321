#pragma once
// What the main window's sidebar selects: the whole gallery, one widget
// category, the wallpapers or the theme editor.
#include "app/catalog/WidgetCatalog.h"

#include <cstddef>
#include <functional>

namespace plyx {

struct SidebarItem {
    enum class Case { all, category, wallpapers, theme };

    Case kind = Case::all;
    /// Meaningful only for `Case::category`.
    CatalogWidget::Category category = CatalogWidget::Category::clocks;

    static constexpr SidebarItem all() { return {}; }
    static constexpr SidebarItem of(CatalogWidget::Category c) { return {Case::category, c}; }
    static constexpr SidebarItem wallpapers() { return {Case::wallpapers, {}}; }
    static constexpr SidebarItem theme() { return {Case::theme, {}}; }

    /// Same case and, for a category, the same category.
    friend constexpr bool operator==(const SidebarItem& a, const SidebarItem& b) {
        return a.kind == b.kind && (a.kind != Case::category || a.category == b.category);
    }
};

} // namespace plyx

template <> struct std::hash<plyx::SidebarItem> {
    std::size_t operator()(const plyx::SidebarItem& item) const noexcept {
        const auto k = static_cast<std::size_t>(item.kind);
        return item.kind == plyx::SidebarItem::Case::category ? k * 31 + static_cast<std::size_t>(item.category) : k;
    }
};
