#pragma once
// The frame the screen-time cards share: 20 points above and below, 22 at
// the sides, content from the top-leading corner of the whole widget.
#include "platform/ui/View.h"

namespace plyx::screentime {

inline ui::View cardFrame(const ui::View& content, double u) {
    return content.padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u}).frameFill(ui::Alignment::topLeading);
}

} // namespace plyx::screentime
