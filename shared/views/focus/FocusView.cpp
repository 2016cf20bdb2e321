#include "shared/views/focus/FocusView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/intents/InteractiveIntents.h"
#include "shared/views/kit/Caption.h"
#include "platform/ui/Timers.h"

#include <algorithm>
#include <cmath>

namespace plyx {

namespace {
constexpr const char* kTitle = "Focus";
constexpr const char* kLive = "Live";
constexpr const char* kStart = "Start";
constexpr const char* kIdleSuffix = ":00";
constexpr double kRingWidth = 13;
} // namespace

bool FocusView::isRunning(Date now) const { return state.endDate && *state.endDate > now; }

double FocusView::progressFraction(Date now) const {
    if (!isRunning(now)) return 1;
    const double length = static_cast<double>(state.minutes) * 60;
    const double left = *state.endDate - now;
    // The quotient is unbounded for a zero length: left over 0 is a full ring.
    if (length <= 0) return length == 0 ? 1 : 0;
    return std::clamp(left / length, 0.0, 1.0);
}

std::string FocusView::action() { return intents::serialise(FocusToggleIntent{}); }

ui::View FocusView::body() const {
    const double u = ctx.u;
    // Built from the render moment: a running session's ring and time move each second.
    auto label = ui::ReadMoment([*this, u](Date now) {
        const bool running = isRunning(now);
        const auto numeralFont = PlyxFonts::numerals(20 * u, ctx.theme.numerals, ui::FontWeight::black);
        ui::View time = running ? ui::TimerText(now, *state.endDate, true, false)
                                      .font(numeralFont)
                                      .foregroundColor(ctx.pal.ink)
                                      .monospacedDigit()
                                      .multilineTextAlignment(ui::TextAlignment::center)
                                      .lineLimit(1)
                                      .minimumScaleFactor(0.5)
                                : numeralFit(ui::Text(std::to_string(state.minutes) + kIdleSuffix).font(numeralFont))
                                      .foregroundColor(ctx.pal.ink);
        auto status = ui::HStack({ui::Circle()
                                      .fill(running ? ctx.pal.accent : ctx.pal.inkFaint)
                                      .frame(5 * u, 5 * u),
                                  Caption{running ? kLive : kStart, 8, 0, ctx.pal.inkDim, ctx}},
                                 ui::VerticalAlignment::center, 4 * u);
        auto ring = ui::ZStack({
                                   ui::Circle().stroke(ctx.pal.track, kRingWidth * u),
                                   ui::Circle()
                                       .trim(0, progressFraction(now))
                                       .stroke(ctx.pal.fill, kRingWidth * u)
                                       .rotationEffect(-90),
                                   ui::VStack({time, status}, ui::HorizontalAlignment::center, 2 * u)
                                       .frame(74 * u, std::nullopt),
                               })
                        .frame(92 * u, 92 * u)
                        .frameFill(ui::Alignment::center)
                        .padding(ui::Edges::top, 12 * u);
        return ui::ZStack({Caption{kTitle, 9, 0.16, ctx.pal.inkDim, ctx}
                               .body()
                               .padding(ui::Edges::top, 20 * u)
                               .padding(ui::Edges::leading, 22 * u),
                           ring},
                          ui::Alignment::topLeading)
            .frameFill(ui::Alignment::center);
    });
    return ui::Button(label, action());
}

} // namespace plyx
