#include "shared/views/stopwatch/StopwatchView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/intents/InteractiveIntents.h"
#include "shared/views/kit/Caption.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace plyx {

namespace {
constexpr const char* kTitle = "Stopwatch";
constexpr const char* kStopped = "00:00";
constexpr const char* kTapToLap = "Tap to lap";
constexpr const char* kTapToStart = "Tap to start";
constexpr const char* kLapPrefix = "Lap ";
constexpr const char* kResetSuffix = " \u00b7 reset";
// The platform's distant future (the start of the year 4001), the open end of
// a timer that counts up.
constexpr Date kDistantFuture{63113904000};
// Tenths of a second that still fit a 64-bit count with room to spare.
constexpr double kMaxTenths = 9.0e15;
} // namespace

std::string StopwatchView::lapText(double seconds) {
    // Round once, to the tenths shown, then split: rounding the seconds after
    // the minutes were taken turned 59.96 into "00:60.0".
    double tenths = std::round(std::fabs(seconds) * 10);
    if (!std::isfinite(tenths) || tenths > kMaxTenths) tenths = kMaxTenths;
    const auto total = static_cast<std::int64_t>(tenths);
    const std::int64_t minutes = total / 600;
    const std::int64_t secondTenths = total % 600;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%02" PRId64 ":%02" PRId64 ".%" PRId64, seconds < 0 ? "\u2212" : "", minutes,
                  secondTenths / 10, secondTenths % 10);
    return buf;
}

std::string StopwatchView::lapLabel() const {
    const auto& laps = state.laps;
    if (laps.empty()) return "";
    const double d = laps.size() == 1 ? laps.back() : laps.back() - laps[laps.size() - 2];
    return lapText(d);
}

std::string StopwatchView::toggleAction() { return intents::serialise(StopwatchToggleIntent{}); }
std::string StopwatchView::resetAction() { return intents::serialise(StopwatchResetIntent{}); }

ui::View StopwatchView::body() const {
    const double u = ctx.u;
    const bool running = state.isRunning();
    const auto numeralFont = PlyxFonts::numerals(38 * u, ctx.theme.numerals, ui::FontWeight::black);
    ui::View time = running ? ui::TimerText(*state.startDate, kDistantFuture, false, false)
                                  .font(numeralFont)
                                  .foregroundColor(ctx.pal.ink)
                                  .monospacedDigit()
                                  .minimumScaleFactor(0.6)
                            : numeralFit(ui::Text(kStopped).font(numeralFont)).foregroundColor(ctx.pal.ink);
    ui::View bottom =
        state.laps.empty()
            ? ui::View(Caption{running ? kTapToLap : kTapToStart, 9, 0, ctx.pal.inkDim, ctx})
            : ui::HStack(
                  {
                      ui::Button(Caption{kLapPrefix + std::to_string(state.laps.size()) + kResetSuffix, 9, 0,
                                         ctx.pal.inkDim, ctx},
                                 resetAction()),
                      ui::Spacer(),
                      Caption{lapLabel(), 9, 0, ctx.pal.ink, ctx},
                  },
                  ui::VerticalAlignment::center);
    auto label = ui::VStack(
                     {
                         DotCaption{kTitle, 9, 0.16, running ? ctx.pal.accent : ctx.pal.inkFaint, ctx.pal.inkDim, ctx},
                         time.padding(ui::Edges::top, 12 * u),
                         ui::Spacer(0),
                         bottom,
                     },
                     ui::HorizontalAlignment::leading, 0)
                     .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
                     .frameFill(ui::Alignment::topLeading);
    return ui::Button(label, toggleAction());
}

} // namespace plyx
