#include "shared/views/habits/StepsView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/intents/InteractiveIntents.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"
#include "shared/views/numbers/Decimal.h"

#include <algorithm>

namespace plyx {

namespace {
constexpr const char* kTitle = "Steps";
constexpr const char* kGoalPrefix = "Goal ";
} // namespace

double StepsView::fraction() const {
    if (data.goal <= 0) return 0;
    return std::min(static_cast<double>(data.value) / static_cast<double>(data.goal), 1.0);
}

std::string StepsView::action() { return intents::serialise(AddStepsIntent{}); }

ui::View StepsView::body() const {
    const double u = ctx.u;
    auto label = ui::VStack(
                     {
                         Caption{kTitle, 9, 0.16, ctx.pal.inkDim, ctx},
                         numeralFit(ui::Text(numbers::grouped(data.value))
                                        .font(PlyxFonts::numerals(40 * u, ctx.theme.numerals, ui::FontWeight::black)))
                             .foregroundColor(ctx.pal.ink)
                             .padding(ui::Edges::top, 10 * u),
                         ui::Spacer(0),
                         DotBar{fraction(), 0, 8, 6.7, ctx.pal.track, ctx.pal.fill, ui::Color::clear(), u}
                             .body()
                             .padding(ui::Edges::bottom, 8 * u),
                         Caption{kGoalPrefix + numbers::grouped(data.goal), 9, 0, ctx.pal.inkDim, ctx},
                     },
                     ui::HorizontalAlignment::leading, 0)
                     .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
                     .frameFill(ui::Alignment::topLeading);
    return ui::Button(label, action());
}

} // namespace plyx
