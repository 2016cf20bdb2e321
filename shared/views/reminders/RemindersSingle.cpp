#include "shared/views/reminders/RemindersSingle.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"

#include <algorithm>

namespace plyx {

namespace {
constexpr const char* kCaption = "Today";
constexpr const char* kAllDone = "All done";
constexpr const char* kSoonSuffix = " \u00B7 soon";
constexpr const char* kAnytime = "Anytime";
} // namespace

std::optional<ReminderItem> RemindersSingle::featured() const {
    const auto& items = data.items;
    auto it = std::find_if(items.begin(), items.end(), [](const auto& i) { return !i.done && i.isUrgent; });
    if (it == items.end()) it = std::find_if(items.begin(), items.end(), [](const auto& i) { return !i.done; });
    if (it == items.end()) return std::nullopt;
    return *it;
}

ui::View RemindersSingle::body() const {
    const double u = ctx.u;
    std::vector<ui::View> parts{Caption{kCaption, 9, 0.18, ctx.pal.inkDim, ctx}.body()};
    if (const auto item = featured()) {
        // A drawing of the tick box only: this widget has no button.
        parts.push_back(ui::Circle()
                            .strokeBorder(ctx.pal.fill, 2 * u)
                            .frame(26 * u, 26 * u)
                            .padding(ui::Edges::top, 14 * u)
                            .padding(ui::Edges::bottom, 10 * u));
        parts.push_back(ui::Text(item->title)
                            .font(PlyxFonts::label(13 * u, ctx.theme.labels))
                            .foregroundColor(ctx.pal.ink)
                            .lineSpacing(5.85 * u)
                            .lineLimit(2));
        parts.push_back(ui::Spacer(0));
        parts.push_back(Caption{item->time ? *item->time + kSoonSuffix : kAnytime, 10, 0, ctx.pal.accent, ctx}.body());
    } else {
        const bool caps = ctx.theme.labels == ThemeSettings::LabelStyle::monoCaps;
        parts.push_back(ui::Spacer());
        parts.push_back(numeralFit(ui::Text(caps ? upperCased(kAllDone) : kAllDone)
                                       .font(PlyxFonts::numerals(22 * u, ctx.theme.numerals, ui::FontWeight::heavy)))
                            .foregroundColor(ctx.pal.ink));
        parts.push_back(ui::Spacer());
    }
    return ui::VStack(std::move(parts), ui::HorizontalAlignment::leading, 0)
        .padding(20 * u)
        .frameFill(ui::Alignment::leading);
}

} // namespace plyx
