#pragma once
// Draws a catalog entry by its real widget view, fed the provider's gallery
// sample instead of live data, at the preview moment.
#include "app/catalog/WidgetCatalog.h"
#include "platform/time/Date.h"
#include "platform/ui/Render.h"
#include "platform/ui/View.h"

#include <optional>

namespace plyx::WidgetCatalog {

/// 15 July 2026, 16:32:37 in Europe/London; now when the zone is missing.
Date previewDate();

/// The design size of the entry's one size, in points.
ui::Size designSize(CatalogWidget::Size size);

/// The entry drawn at its design size and `devicePixelRatio`; nothing when
/// the extension declares no widget of its kind.
std::optional<ui::RenderResult> renderPreview(const CatalogWidget& widget, double devicePixelRatio,
                                              ui::Environment env = {});

} // namespace plyx::WidgetCatalog
