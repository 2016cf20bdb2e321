#pragma once
// A widget as the bundle lists it: its configuration for the host, and the
// tone and design size its root is drawn with.
#include "platform/ui/Geometry.h"
#include "platform/widgetkit/WidgetConfiguration.h"
#include "shared/foundation/WidgetPalette.h"

namespace plyx {

struct DeclaredWidget {
    widgetkit::WidgetConfiguration configuration;
    WidgetPalette::Tone tone;
    ui::Size designSize;
};

} // namespace plyx
