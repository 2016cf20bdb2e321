#pragma once
// The small weather card that the current-conditions and feels-like views
// share: a column of place, a large figure, the condition and one more
// caption, with the condition symbol in the top-trailing corner.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/WeatherSnapshot.h"

#include <string>

namespace plyx::ConditionsCard {

/// How each view sets its symbol: size and colour, and the insets from the
/// top and trailing edges (design units).
struct Icon {
    double size;
    ui::Color color;
    double top;
    double trailing;
};

/// The place caption, `figure` padded 8 from the top, a spacer pushing the
/// rest down, the condition and `lastLine` 3 below it, inside the card's
/// 20/22 insets and filling the widget, aligned leading.
ui::View column(const WeatherSnapshot& data, const ui::View& figure, const std::string& lastLine, const WCtx& ctx);

/// `column` with the snapshot's symbol laid over its top-trailing corner.
ui::View card(const WeatherSnapshot& data, const Icon& icon, const ui::View& column, const WCtx& ctx);

} // namespace plyx::ConditionsCard
