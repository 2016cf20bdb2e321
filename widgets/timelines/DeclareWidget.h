#pragma once
// How to declare a widget
// -----------------------
// A widget is one row of its group's table plus its provider and its view.
//
// 1. The row, in the group's header (`widgets/timelines/<Group>Widgets.h`),
//    named after the widget type so a reader finds it by that name:
//
//      //                              kind                   display name description                  family        tone
//      inline constexpr WidgetRow SystemWidget{"plyx.system.monitor", "System", "CPU, memory and GPU load.", kMedium,      kDark};
//
//    A sixth column, the link, is given only by widgets that open one
//    ("plyxwidgets://open/weather"). The design size is not a column: it
//    follows the family (`widgetkit::designSize`).
//
// 2. The declaration, in the group's source: the group's function lists each
//    row with its provider and a view of one entry. Widgets that share a
//    provider pass the same provider value:
//
//      std::vector<DeclaredWidget> systemWidgets() {
//          return {
//              declare(SystemWidget, LocalProvider<SystemSnapshot>{{34, 61, 88}, &liveSystem, 15},
//                      viewOf<SystemView>),
//              ...
//          };
//      }
//
//    `viewOf<V>` builds `V{entry.data, ctx}.body()`; a view that needs more
//    (the entry's date, a flag) is written as a lambda without captures:
//    `[](const PlyxEntry<T>& e, const WCtx& ctx) { return ClockStacked{...}.body(); }`.
//
// 3. A new group adds one line to the group list in `PlyxWidgetsBundle.cpp`.
//    Where each widget stands in the bundle comes from the bundle's order
//    table there, which already names every kind.
//
// The bundle, `--list`, the host and the gallery all read these rows.
#include "platform/widgetkit/WidgetConfiguration.h"
#include "platform/widgetkit/WidgetFamily.h"
#include "shared/foundation/PlyxEntry.h"
#include "shared/foundation/WCtx.h"
#include "shared/foundation/WidgetPalette.h"

#include <functional>
#include <string>
#include <utility>

namespace plyx {

/// One widget as its declaration table gives it. Rows are constants, so
/// every text is a literal.
struct WidgetRow {
    /// Begins with "plyx."; reloads find the widget by it.
    const char* kind;
    const char* displayName;
    const char* description;
    /// The one family the widget comes in; it fixes the design size.
    widgetkit::WidgetFamily family;
    WidgetPalette::Tone tone;
    /// Opened by a tap anywhere on the widget; none when null.
    const char* link = nullptr;
};

// Short names for the table columns.
inline constexpr auto kSmall = widgetkit::WidgetFamily::systemSmall;
inline constexpr auto kMedium = widgetkit::WidgetFamily::systemMedium;
inline constexpr auto kLarge = widgetkit::WidgetFamily::systemLarge;
inline constexpr auto kLight = WidgetPalette::Tone::light;
inline constexpr auto kDark = WidgetPalette::Tone::dark;

/// A widget as the bundle lists it: its row and its configuration for the host.
struct DeclaredWidget {
    WidgetRow row;
    widgetkit::WidgetConfiguration configuration;

    ui::Size designSize() const { return widgetkit::designSize(row.family); }
};

/// The view of one entry of a widget whose entries are `Entry`.
template <class Entry> using EntryView = ui::View (*)(const Entry&, const WCtx&);

/// The view `V{entry.data, ctx}` (its `body()`), for views that take the
/// entry's data and the context and nothing else.
template <class V, class Entry> ui::View viewOf(const Entry& entry, const WCtx& ctx) {
    return V{entry.data, ctx}.body();
}

namespace detail {
/// The root the content closure returns: `PlyxWidgetRoot` at the row's tone
/// and design size on `surface`, the row's link applied.
ui::View widgetRoot(const WidgetRow& row, SurfaceOption surface, std::function<ui::View(const WCtx&)> view);
/// The configuration modifiers every widget applies, in order: display name,
/// description, its one family, content margins disabled.
widgetkit::WidgetConfiguration finish(widgetkit::WidgetConfiguration configuration, const WidgetRow& row);
} // namespace detail

/// Declares the widget of `row`, fed by `provider` and drawn by `view`.
/// `Provider` answers `placeholder`, `snapshot` and `timeline` with
/// `PlyxEntry` values and names its configuration `Intent`.
template <class Provider>
DeclaredWidget declare(const WidgetRow& row, Provider provider, EntryView<typename Provider::Entry> view) {
    using Entry = typename Provider::Entry;
    auto content = [row, view](const Entry& entry) {
        return detail::widgetRoot(row, entry.surface, [view, entry](const WCtx& ctx) { return view(entry, ctx); });
    };
    return {row, detail::finish(widgetkit::AppIntentConfiguration<typename Provider::Intent>(
                                    row.kind, std::move(provider), std::move(content)),
                                row)};
}

} // namespace plyx
