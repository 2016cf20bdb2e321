#pragma once
// Every catalog entry drawn by its widget's own view, fed fixed sample data
// instead of live data: the clocks and calendars at one fixed moment, the
// other widgets with samples kept in the program. A preview reads nothing
// from storage, the network, calendars or the system; only the theme (in the
// context it is given) and the few values tied to the current moment (the
// daylight sun, the countdown target, samples dated from their creation)
// change what it shows.
#include "app/catalog/WidgetCatalog.h"
#include "platform/time/Date.h"
#include "platform/ui/Render.h"
#include "platform/ui/View.h"
#include "shared/foundation/ThemeSettings.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/CalendarSnapshot.h"
#include "shared/models/RemindersSnapshot.h"
#include "shared/models/UsageSnapshot.h"

#include <optional>

namespace plyx::WidgetCatalog {

/// 15 July 2026, 16:32:37 in Europe/London, worked out afresh at every call;
/// now when the zone is unknown to the system.
Date previewDate();

/// The design size of the entry's one size, in points.
ui::Size designSize(CatalogWidget::Size size);

/// The samples the reminders, calendar and screen-time previews share, made
/// anew at every call.
RemindersSnapshot sampleReminders();
CalendarSnapshot sampleCalendar();
UsageSnapshot sampleUsage();

/// Whether the catalog has a preview for `kind`.
bool hasPreview(const char* kind);

/// The entry drawn in a widget card at its design size and
/// `devicePixelRatio`, in `theme`; nothing when the catalog has no preview
/// for its kind. `env.now` defaults to the moment the samples are dated from.
std::optional<ui::RenderResult> renderPreview(const CatalogWidget& widget, double devicePixelRatio,
                                              ui::Environment env = {}, const ThemeSettings& theme = {});

} // namespace plyx::WidgetCatalog
