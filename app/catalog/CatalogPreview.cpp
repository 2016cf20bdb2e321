#include "app/catalog/CatalogPreview.h"

#include "platform/widgetkit/WidgetHost.h"
#include "widgets/timelines/PlyxWidgetsBundle.h"

#include <QDateTime>
#include <QTimeZone>

namespace plyx::WidgetCatalog {

Date previewDate() {
    const QTimeZone london("Europe/London");
    const QDateTime moment(QDate(2026, 7, 15), QTime(16, 32, 37), london);
    if (!london.isValid() || !moment.isValid()) return Date::fromUnixMillis(double(QDateTime::currentMSecsSinceEpoch()));
    return Date::fromUnixMillis(double(moment.toMSecsSinceEpoch()));
}

ui::Size designSize(CatalogWidget::Size size) {
    switch (size) {
    case CatalogWidget::Size::small: return widgetkit::designSize(widgetkit::WidgetFamily::systemSmall);
    case CatalogWidget::Size::medium: return widgetkit::designSize(widgetkit::WidgetFamily::systemMedium);
    case CatalogWidget::Size::large: break;
    }
    return widgetkit::designSize(widgetkit::WidgetFamily::systemLarge);
}

std::optional<ui::RenderResult> renderPreview(const CatalogWidget& widget, double devicePixelRatio,
                                              ui::Environment env) {
    const DeclaredWidget* declared = PlyxWidgetsBundle::find(widget.kind);
    if (!declared) return std::nullopt;
    widgetkit::TimelineProviderContext ctx;
    ctx.family = declared->row.family;
    ctx.displaySize = declared->designSize();
    const auto answer = widgetkit::request(declared->configuration, widgetkit::RequestMode::preview,
                                           intents::Configuration::defaults(declared->configuration.intent()), ctx);
    if (answer.entries.empty()) return std::nullopt;
    auto entry = answer.entries.front();
    entry.date = previewDate();
    env.now = entry.date;
    env.displayScale = devicePixelRatio;
    return widgetkit::renderEntry(declared->configuration, entry, declared->designSize(), devicePixelRatio, env);
}

} // namespace plyx::WidgetCatalog
