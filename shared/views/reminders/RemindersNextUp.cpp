#include "shared/views/reminders/RemindersNextUp.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"

namespace plyx {

namespace {
constexpr const char* kCaption = "Next up";
constexpr const char* kClear = "Clear";
constexpr const char* kNothingDue = "No reminders due";
constexpr const char* kMinutes = "Min";
constexpr const char* kSeparator = " \u00B7 ";
} // namespace

std::string RemindersNextUp::countdownText(std::int64_t minutes) {
    if (minutes < 60) return std::to_string(minutes);
    return std::to_string(minutes / 60) + "H";
}

std::string RemindersNextUp::unitText(std::int64_t minutes) {
    if (minutes < 60) return kMinutes;
    return std::to_string(minutes % 60) + "M";
}

ui::View RemindersNextUp::body() const {
    const double u = ctx.u;
    std::vector<ui::View> parts{
        DotCaption{kCaption, 9, 0.18, ctx.pal.accent, ctx.pal.inkDim, ctx}.body(),
        ui::Spacer(0),
    };
    if (data.nextUp && data.minutesToNext) {
        const auto m = *data.minutesToNext;
        const auto& next = *data.nextUp;
        parts.push_back(numeralFit(ui::Text(countdownText(m))
                                       .font(PlyxFonts::numerals(46 * u, ctx.theme.numerals, ui::FontWeight::black)))
                            .foregroundColor(ctx.pal.ink));
        parts.push_back(Caption{unitText(m), 10, 0.16, ctx.pal.inkFaint, ctx}.body().padding(ui::Edges::top, 3 * u));
        parts.push_back(ui::Text(next.time ? next.title + kSeparator + *next.time : next.title)
                            .font(PlyxFonts::label(11 * u, ctx.theme.labels))
                            .foregroundColor(ctx.pal.ink)
                            .lineLimit(1)
                            .padding(ui::Edges::top, 9 * u));
    } else {
        const bool caps = ctx.theme.labels == ThemeSettings::LabelStyle::monoCaps;
        parts.push_back(numeralFit(ui::Text(caps ? upperCased(kClear) : kClear)
                                       .font(PlyxFonts::numerals(34 * u, ctx.theme.numerals, ui::FontWeight::black)))
                            .foregroundColor(ctx.pal.ink));
        parts.push_back(Caption{kNothingDue, 10, 0, ctx.pal.inkDim, ctx}.body().padding(ui::Edges::top, 8 * u));
    }
    return ui::VStack(std::move(parts), ui::HorizontalAlignment::leading, 0)
        .padding(20 * u)
        .frameFill(ui::Alignment::leading);
}

} // namespace plyx
