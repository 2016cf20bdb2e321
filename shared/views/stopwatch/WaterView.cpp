#include "shared/views/stopwatch/WaterView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/intents/InteractiveIntents.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/KitMath.h"
#include "shared/views/numbers/Decimal.h"

#include <algorithm>
#include <cmath>

namespace plyx {

namespace {
constexpr const char* kTitle = "Water";
constexpr const char* kOf = " of ";
constexpr const char* kGlasses = " glasses";
constexpr double kLitresPerGlass = 0.25;
constexpr int kGlassesPerRow = 4;
constexpr double kGlassSize = 20;
constexpr double kGlassGap = 8;
} // namespace

std::string WaterView::litresText(std::int64_t glasses) {
    std::string text = numbers::fixed(static_cast<double>(glasses) * kLitresPerGlass, 2) + "L";
    for (auto at = text.find(".00"); at != std::string::npos; at = text.find(".00")) text.erase(at, 3);
    return text;
}

int WaterView::rowCount(std::int64_t goal) {
    if (goal <= 0) return 0;
    // A goal beyond what any widget could show would only cost time to lay out.
    const std::int64_t glasses = std::min<std::int64_t>(goal, kit::kMaxDots);
    return static_cast<int>((glasses + kGlassesPerRow - 1) / kGlassesPerRow);
}

std::string WaterView::action() { return intents::serialise(AddWaterIntent{}); }

ui::View WaterView::body() const {
    const double u = ctx.u;
    auto grid = ui::VStack(ui::ForEachIndex(rowCount(data.goal),
                                            [&](int r) {
                                                std::vector<ui::View> glasses;
                                                for (int c = 0; c < kGlassesPerRow; ++c) {
                                                    const std::int64_t i = std::int64_t(r) * kGlassesPerRow + c;
                                                    if (i >= data.goal) break;
                                                    glasses.push_back(
                                                        (i < data.value ? ui::Circle().fill(ctx.pal.fill)
                                                                        : ui::Circle().strokeBorder(ctx.pal.track,
                                                                                                    2 * u))
                                                            .frame(kGlassSize * u, kGlassSize * u));
                                                }
                                                return ui::HStack(std::move(glasses), ui::VerticalAlignment::center,
                                                                  kGlassGap * u);
                                            }),
                           ui::HorizontalAlignment::leading, kGlassGap * u);
    auto label =
        ui::VStack(
            {
                Caption{kTitle, 9, 0.16, ctx.pal.inkDim, ctx},
                grid.padding(ui::Edges::top, 16 * u),
                ui::Spacer(0),
                numeralFit(ui::Text(litresText(data.value))
                               .font(PlyxFonts::numerals(22 * u, ctx.theme.numerals, ui::FontWeight::black)))
                    .foregroundColor(ctx.pal.ink),
                Caption{std::to_string(std::min(data.value, data.goal)) + kOf + std::to_string(data.goal) + kGlasses, 9,
                        0, ctx.pal.inkDim, ctx}
                    .body()
                    .padding(ui::Edges::top, 2 * u),
            },
            ui::HorizontalAlignment::leading, 0)
            .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
            .frameFill(ui::Alignment::topLeading);
    return ui::Button(label, action());
}

} // namespace plyx
