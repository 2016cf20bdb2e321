#pragma once
// What the battery views share: the charge as a dot bar and the bare
// percentage in the numeral face.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <cstdint>

namespace plyx::battery {

/// The dot bar of a charge, filled to `percent` / 100 (not clamped).
ui::View chargeBar(std::int64_t percent, const ui::Color& fill, const WCtx& ctx);
/// `percent` as a bare number at `size` × u in the numeral face.
ui::View percentText(std::int64_t percent, double size, ui::FontWeight weight, const WCtx& ctx);

} // namespace plyx::battery
