#include "widgets/timelines/DeclareWidget.h"

#include "shared/foundation/PlyxWidgetRoot.h"

namespace plyx::detail {

ui::View widgetRoot(const WidgetRow& row, SurfaceOption surface, std::function<ui::View(const WCtx&)> view) {
    auto root = PlyxWidgetRoot(row.tone, widgetkit::designSize(row.family), surface, std::move(view));
    return row.link ? root.widgetURL(row.link) : root;
}

widgetkit::WidgetConfiguration finish(widgetkit::WidgetConfiguration configuration, const WidgetRow& row) {
    return std::move(configuration)
        .configurationDisplayName(row.displayName)
        .description(row.description)
        .supportedFamilies({row.family})
        .contentMarginsDisabled();
}

} // namespace plyx::detail
