#include "widgets/host/PlaceWidget.h"

namespace plyx::host {

std::optional<Placement> placeWidget(const WidgetFinder& find, const std::string& kind, const std::string& configJson,
                                     std::optional<QPoint> at, QPoint areaTopLeft, std::size_t count,
                                     std::string* error) {
    const auto* widget = find(kind);
    if (!widget) {
        if (error) *error = "unknown widget kind \"" + kind + "\" (see --list)";
        return std::nullopt;
    }
    std::string why;
    auto config = intents::Configuration::parse(widget->intent(), configJson, &why);
    if (!config) {
        if (error) *error = "bad configuration: " + why;
        return std::nullopt;
    }
    Placement p;
    p.id = newPlacementId();
    p.kind = kind;
    // Only what the user gave: values left out keep following the defaults.
    p.configuration = configJson.empty() ? nlohmann::ordered_json::object()
                                         : nlohmann::ordered_json::parse(configJson, nullptr, false);
    if (!p.configuration.is_object()) p.configuration = config->values();
    const QPoint corner = at ? *at : areaTopLeft + QPoint(24, 24 + int(count % 8) * 40);
    p.x = corner.x();
    p.y = corner.y();
    return p;
}

} // namespace plyx::host
