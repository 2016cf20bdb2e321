#include "app/catalog/WidgetCard.h"

#include "shared/foundation/PlyxWidgetRoot.h"

#include <algorithm>

namespace plyx {

ui::Size WidgetCard::fittedSize(ui::Size designSize, ui::Size offered) {
    const double s = scale(designSize, offered);
    return {designSize.width * s, designSize.height * s};
}

double WidgetCard::scale(ui::Size designSize, ui::Size offered) {
    if (designSize.width <= 0 || designSize.height <= 0) return 0;
    return std::max(0.0, std::min(offered.width / designSize.width, offered.height / designSize.height));
}

ui::View WidgetCard::body() const {
    return ui::GeometryReader([card = *this](ui::Size offered) -> ui::View {
        const double s = scale(card.designSize, offered);
        // Nothing to show (and a zero unit would collapse every length of the
        // view) until the card has been given space.
        if (s <= 0) return ui::EmptyView();
        const ui::Size size = fittedSize(card.designSize, offered);
        const ui::Color accent = card.theme.accentColor();
        const auto surface = card.surfaceOverride.value_or(card.theme.surface);
        const WCtx ctx{card.theme, WidgetPalette::resolve(surface, card.tone, accent), s};
        const double radius = kCornerRadius * s;

        std::vector<ui::View> layers;
        if (card.drawsBackground)
            layers.push_back(ContinuousRoundedRectangle(radius).fill(
                shapeStyle(WidgetPalette::background(surface, card.tone, accent))));
        if (card.content)
            layers.push_back(card.content(ctx)
                                 .frame(size.width, size.height, ui::Alignment::center)
                                 .clipShape(ContinuousRoundedRectangle(radius)));
        return ui::ZStack(std::move(layers))
            .frame(size.width, size.height)
            .frame(offered.width, offered.height, ui::Alignment::center);
    });
}

ui::Shape ContinuousRoundedRectangle(double cornerRadius) {
    return ui::Shape("ContinuousRoundedRectangle", [cornerRadius](const QRectF& rect) {
        // Each corner starts about one and a half radii along the side and
        // bends in one cubic whose handles lie close to the corner: the curve
        // meets the sides with no jump in curvature and passes the corner's
        // diagonal where a circular corner of the same radius would.
        constexpr double kReach = 1.528;
        constexpr double kHandle = 0.822;
        QPainterPath path;
        const double p = std::max(0.0, std::min(cornerRadius * kReach, std::min(rect.width(), rect.height()) / 2));
        if (p <= 0) {
            path.addRect(rect);
            return path;
        }
        const double h = p * (1 - kHandle);
        const double l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
        path.moveTo(l + p, t);
        path.lineTo(r - p, t);
        path.cubicTo(r - h, t, r, t + h, r, t + p);
        path.lineTo(r, b - p);
        path.cubicTo(r, b - h, r - h, b, r - p, b);
        path.lineTo(l + p, b);
        path.cubicTo(l + h, b, l, b - h, l, b - p);
        path.lineTo(l, t + p);
        path.cubicTo(l, t + h, l + h, t, l + p, t);
        path.closeSubpath();
        return path;
    });
}

} // namespace plyx
