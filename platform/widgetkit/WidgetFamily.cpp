#include "platform/widgetkit/WidgetFamily.h"

namespace plyx::widgetkit {

const char* familyName(WidgetFamily family) {
    switch (family) {
    case WidgetFamily::systemSmall: return "systemSmall";
    case WidgetFamily::systemMedium: return "systemMedium";
    case WidgetFamily::systemLarge: return "systemLarge";
    }
    return "";
}

std::optional<WidgetFamily> familyNamed(const std::string& name) {
    for (auto f : {WidgetFamily::systemSmall, WidgetFamily::systemMedium, WidgetFamily::systemLarge})
        if (name == familyName(f)) return f;
    return std::nullopt;
}

} // namespace plyx::widgetkit
