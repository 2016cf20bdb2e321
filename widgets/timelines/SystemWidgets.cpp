#include "widgets/timelines/SystemWidgets.h"

#include "shared/views/system/NetworkView.h"
#include "shared/views/system/StorageView.h"
#include "shared/views/system/SystemView.h"
#include "widgets/sources/local/SystemStats.h"
#include "widgets/timelines/DeclareWidget.h"

namespace plyx {

namespace {

const SystemSnapshot kSystemSample{34, 61, 88};
const NetworkSnapshot kNetworkSample{482.0, 36.0};
const StorageSnapshot kStorageSample{721, 1000};
constexpr int kSystemRefreshMinutes = 15;
constexpr int kNetworkRefreshMinutes = 15;
constexpr int kStorageRefreshMinutes = 360;

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
    return declareWidget<SystemWidget>(provider(), [](const PlyxEntry<SystemSnapshot>& e, const WCtx& ctx) {
        return SystemView{e.data, ctx}.body();
    });
}

DeclaredWidget SystemWidget::declaration() { return declared<SystemWidget>(); }

std::optional<NetworkSnapshot> NetworkWidget::live() { return SystemStats::networkSnapshot(); }

LocalProvider<std::optional<NetworkSnapshot>> NetworkWidget::provider() {
    return {kNetworkSample, &live, kNetworkRefreshMinutes};
}

widgetkit::WidgetConfiguration NetworkWidget::body() {
    return declareWidget<NetworkWidget>(provider(),
                                        [](const PlyxEntry<std::optional<NetworkSnapshot>>& e, const WCtx& ctx) {
                                            return NetworkView{e.data, ctx}.body();
                                        });
}

DeclaredWidget NetworkWidget::declaration() { return declared<NetworkWidget>(); }

StorageSnapshot StorageWidget::live() { return SystemStats::storageSnapshot().value_or(kStorageSample); }

LocalProvider<StorageSnapshot> StorageWidget::provider() { return {kStorageSample, &live, kStorageRefreshMinutes}; }

widgetkit::WidgetConfiguration StorageWidget::body() {
    return declareWidget<StorageWidget>(provider(), [](const PlyxEntry<StorageSnapshot>& e, const WCtx& ctx) {
        return StorageView{e.data, ctx}.body();
    });
}

DeclaredWidget StorageWidget::declaration() { return declared<StorageWidget>(); }

} // namespace plyx
