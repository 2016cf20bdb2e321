#include "widgets/timelines/SystemWidgets.h"

#include "shared/foundation/PlyxWidgetRoot.h"
#include "shared/intents/SurfaceConfigIntent.h"
#include "shared/views/system/NetworkView.h"
#include "shared/views/system/StorageView.h"
#include "shared/views/system/SystemView.h"
#include "widgets/sources/local/SystemStats.h"

namespace plyx {

namespace {

const SystemSnapshot kSystemSample{34, 61, 88};
const NetworkSnapshot kNetworkSample{482.0, 36.0};
const StorageSnapshot kStorageSample{721, 1000};
constexpr int kSystemRefreshMinutes = 15;
constexpr int kNetworkRefreshMinutes = 15;
constexpr int kStorageRefreshMinutes = 360;

// The declaration form every widget shares: its root at the widget's tone
// and design size on the entry's surface, holding the view of the entry's data.
template <class Widget, class Provider, class ViewOf>
widgetkit::WidgetConfiguration declare(Provider provider, ViewOf viewOf) {
    using Entry = typename Provider::Entry;
    return widgetkit::AppIntentConfiguration<SurfaceConfigIntent>(
               Widget::kind, provider,
               [viewOf](const Entry& entry) {
                   return PlyxWidgetRoot(Widget::tone, Widget::designSize, entry.surface,
                                         [viewOf, data = entry.data](const WCtx& ctx) { return viewOf(data, ctx); });
               })
        .configurationDisplayName(Widget::displayName)
        .description(Widget::description)
        .supportedFamilies({Widget::family})
        .contentMarginsDisabled();
}

template <class Widget> DeclaredWidget declared() { return {Widget::body(), Widget::tone, Widget::designSize}; }

} // namespace

SystemSnapshot SystemWidget::live() {
    SystemSnapshot s;
    s.cpuPercent = SystemStats::cpuPercent().value_or(0);
    s.memoryPercent = SystemStats::memoryPercent().value_or(0);
    s.gpuPercent = SystemStats::gpuPercent();
    return s;
}

LocalProvider<SystemSnapshot> SystemWidget::provider() { return {kSystemSample, &live, kSystemRefreshMinutes}; }

widgetkit::WidgetConfiguration SystemWidget::body() {
    return declare<SystemWidget>(provider(),
                                 [](const SystemSnapshot& d, const WCtx& ctx) { return SystemView{d, ctx}.body(); });
}

DeclaredWidget SystemWidget::declaration() { return declared<SystemWidget>(); }

std::optional<NetworkSnapshot> NetworkWidget::live() { return SystemStats::networkSnapshot(); }

LocalProvider<std::optional<NetworkSnapshot>> NetworkWidget::provider() {
    return {kNetworkSample, &live, kNetworkRefreshMinutes};
}

widgetkit::WidgetConfiguration NetworkWidget::body() {
    return declare<NetworkWidget>(provider(), [](const std::optional<NetworkSnapshot>& d, const WCtx& ctx) {
        return NetworkView{d, ctx}.body();
    });
}

DeclaredWidget NetworkWidget::declaration() { return declared<NetworkWidget>(); }

StorageSnapshot StorageWidget::live() { return SystemStats::storageSnapshot().value_or(kStorageSample); }

LocalProvider<StorageSnapshot> StorageWidget::provider() { return {kStorageSample, &live, kStorageRefreshMinutes}; }

widgetkit::WidgetConfiguration StorageWidget::body() {
    return declare<StorageWidget>(provider(),
                                  [](const StorageSnapshot& d, const WCtx& ctx) { return StorageView{d, ctx}.body(); });
}

DeclaredWidget StorageWidget::declaration() { return declared<StorageWidget>(); }

} // namespace plyx
