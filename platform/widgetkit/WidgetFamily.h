#pragma once
// The sizes a widget can come in, and the design size each is drawn for.
#include "platform/ui/View.h"

#include <optional>
#include <string>

namespace plyx::widgetkit {

enum class WidgetFamily { systemSmall, systemMedium, systemLarge };

/// "systemSmall", "systemMedium" or "systemLarge".
const char* familyName(WidgetFamily family);
/// The family of a name as `familyName` writes it; nothing for others.
std::optional<WidgetFamily> familyNamed(const std::string& name);
/// The size a family's views are designed at: 160x160, 344x160, 344x344.
/// The one place these sizes are written.
constexpr ui::Size designSize(WidgetFamily family) {
    switch (family) {
    case WidgetFamily::systemSmall: return ui::Size{160, 160};
    case WidgetFamily::systemMedium: return ui::Size{344, 160};
    case WidgetFamily::systemLarge: return ui::Size{344, 344};
    }
    return ui::Size{160, 160};
}

} // namespace plyx::widgetkit
