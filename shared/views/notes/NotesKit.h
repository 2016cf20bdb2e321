#pragma once
// What the notes views share: running note text in the
// theme's label face (never upper-cased, no tracking), figures in the
// heavy numeral face, and the rounded card.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"

#include <string>

namespace plyx::notes {

/// `text` in the label face at `size` × u.
ui::View noteText(const std::string& text, double size, const WCtx& ctx);
/// `text` in the heavy numeral face at `size` × u, fitted to one line.
ui::View numeral(const std::string& text, double size, const WCtx& ctx);
/// The rounded card every notes view draws on.
ui::View card(const ui::Color& fill, const WCtx& ctx);

} // namespace plyx::notes
