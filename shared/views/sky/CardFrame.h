#pragma once
// The frame most cards share: 20 from top and bottom, 22 from the sides,
// filling the widget with the content at the top-leading corner.
#include "platform/ui/View.h"

namespace plyx {

inline ui::View cardFrame(const ui::View& content, double u) {
    return content.padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u}).frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
