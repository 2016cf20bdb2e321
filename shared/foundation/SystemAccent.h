#pragma once
// The desktop's accent colour, for themes that follow it. The desktop names
// it in the XDG desktop portal's appearance settings on the session bus;
// where the portal has none (no portal, an older desktop, no accent chosen)
// the application palette's highlight stands in.
#include "platform/ui/Color.h"

#include <optional>

namespace plyx {

/// The portal's "accent-color" in the "org.freedesktop.appearance"
/// namespace; nothing when there is no session bus or portal, the portal
/// does not know the key, or the colour is out of range (the portal's way
/// of saying "not set"). Asks the bus afresh on every call.
std::optional<ui::Color> portalAccentColor();

/// The accent colour to use: the portal's, else the palette's highlight.
ui::Color systemAccentColor();

} // namespace plyx
