#include "shared/intents/ReloadKinds.h"

#include "platform/bus/Bus.h"
#include "platform/widgetkit/WidgetCenter.h"

namespace plyx {

void reloadKinds(const std::vector<std::string>& kinds) {
    for (const auto& kind : kinds) widgetkit::WidgetCenter::reloadTimelines(kind);
    bus::post(kReloadWidgetsNotification);
}

} // namespace plyx
