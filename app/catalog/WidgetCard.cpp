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

} // namespace plyx
