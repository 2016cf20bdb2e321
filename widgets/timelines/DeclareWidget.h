#pragma once
// The one form every widget is declared in: its provider, and a content that
// wraps the widget's view in `PlyxWidgetRoot` at the widget's tone and design
// size on the entry's background, opening the widget's link when it has one.
//
// `Widget` names its constants: `kind`, `displayName`, `description`,
// `family`, `tone` and `designSize`. `viewOf(entry, ctx)` builds the view
// from a timeline entry and the root's context.
#include "platform/widgetkit/WidgetConfiguration.h"
#include "shared/foundation/PlyxWidgetRoot.h"
#include "widgets/timelines/DeclaredWidget.h"

#include <optional>
#include <string>

namespace plyx {

template <class Widget, class Provider, class ViewOf>
widgetkit::WidgetConfiguration declareWidget(Provider provider, ViewOf viewOf,
                                             std::optional<std::string> link = std::nullopt) {
    using Entry = typename Provider::Entry;
    using Intent = typename Provider::Intent;
    return widgetkit::AppIntentConfiguration<Intent>(
               Widget::kind, std::move(provider),
               [viewOf, link](const Entry& entry) {
                   auto root = PlyxWidgetRoot(Widget::tone, Widget::designSize, entry.surface,
                                              [viewOf, entry](const WCtx& ctx) { return viewOf(entry, ctx); });
                   return link ? root.widgetURL(*link) : root;
               })
        .configurationDisplayName(Widget::displayName)
        .description(Widget::description)
        .supportedFamilies({Widget::family})
        .contentMarginsDisabled();
}

/// The bundle's record of `Widget`: its configuration, tone and design size.
template <class Widget> DeclaredWidget declared() { return {Widget::body(), Widget::tone, Widget::designSize}; }

} // namespace plyx
