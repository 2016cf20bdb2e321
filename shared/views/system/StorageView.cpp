#include "shared/views/system/StorageView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"

#include <algorithm>

namespace plyx {

namespace {
constexpr const char* kTitle = "Storage";
constexpr const char* kOfPrefix = "Of ";
} // namespace

double StorageView::usedFraction(const StorageSnapshot& data) {
    return data.totalGB > 0 ? static_cast<double>(data.usedGB) / static_cast<double>(data.totalGB) : 0.0;
}

ui::View StorageView::body() const {
    const double u = ctx.u;
    // A trim past either end of the circle draws it full or empty.
    const double f = std::clamp(usedFraction(data), 0.0, 1.0);
    auto ring = ui::ZStack({
                               ui::Circle().stroke(ctx.pal.track, 13 * u),
                               ui::Circle().trim(0, f).stroke(ctx.pal.fill, 13 * u).rotationEffect(-90),
                               ui::VStack(
                                   {
                                       numeralFit(ui::Text(std::to_string(data.usedGB))
                                                      .font(PlyxFonts::numerals(26 * u, ctx.theme.numerals,
                                                                                ui::FontWeight::black)))
                                           .foregroundColor(ctx.pal.ink),
                                       Caption{kOfPrefix + data.totalLabel(), 8, 0, ctx.pal.inkDim, ctx}.body(),
                                   },
                                   ui::HorizontalAlignment::center, 1 * u)
                                   .frame(70 * u, std::nullopt),
                           })
                    .frame(92 * u, 92 * u)
                    .frameFill(ui::Alignment::center)
                    .padding(ui::Edges::top, 12 * u);
    return ui::ZStack(
               {
                   Caption{kTitle, 9, 0.16, ctx.pal.inkDim, ctx}
                       .body()
                       .padding(ui::Edges::top, 20 * u)
                       .padding(ui::Edges::leading, 22 * u),
                   ring,
               },
               ui::Alignment::topLeading)
        .frameFill(ui::Alignment::center);
}

} // namespace plyx
