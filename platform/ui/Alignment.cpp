// Alignment guides: where a child of a given size sits in its container.
#include "platform/ui/Element.h"

namespace plyx::ui::detail {

double horizontalGuide(HorizontalAlignment a, double width) {
    switch (a) {
    case HorizontalAlignment::leading: return 0;
    case HorizontalAlignment::center: return width / 2;
    case HorizontalAlignment::trailing: return width;
    }
    return 0;
}

double verticalGuide(VerticalAlignment a, Element& child, Size size) {
    switch (a) {
    case VerticalAlignment::top: return 0;
    case VerticalAlignment::center: return size.height / 2;
    case VerticalAlignment::bottom: return size.height;
    case VerticalAlignment::firstTextBaseline: return child.firstBaseline(size);
    case VerticalAlignment::lastTextBaseline: return child.lastBaseline(size);
    }
    return 0;
}

Point alignedOrigin(Rect container, Element& child, Size childSize, Alignment a) {
    const double x = container.x + horizontalGuide(a.horizontal, container.width) -
                     horizontalGuide(a.horizontal, childSize.width);
    // In a single container the baselines have nothing to line up with but the
    // container's own top; they place the child's baseline there like `top` would its edge.
    double y;
    switch (a.vertical) {
    case VerticalAlignment::firstTextBaseline:
    case VerticalAlignment::lastTextBaseline: y = container.y; break;
    default:
        y = container.y + verticalGuide(a.vertical, child, container.size()) -
            verticalGuide(a.vertical, child, childSize);
    }
    return {x, y};
}

} // namespace plyx::ui::detail
