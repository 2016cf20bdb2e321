#include "shared/views/reminders/RemindersChecklist.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/reminders/ReminderRow.h"

#include <algorithm>

namespace plyx {

namespace {
constexpr const char* kHeading = "Reminders";
constexpr size_t kRows = 3;
// Ticks are white on the light tone's near-black circles, ink elsewhere.
constexpr ui::Color kDarkFill = ui::Color::grey255(17);
} // namespace

std::vector<ReminderItem> RemindersChecklist::rows() const {
    std::vector<ReminderItem> out;
    const auto lastDone = std::find_if(data.items.rbegin(), data.items.rend(), [](const auto& i) { return i.done; });
    if (lastDone != data.items.rend()) out.push_back(*lastDone);
    for (const auto& i : data.items)
        if (!i.done) out.push_back(i);
    return out;
}

ui::View RemindersChecklist::reminderRow(const ReminderItem& item) const {
    const ui::Color check = ctx.pal.fill == kDarkFill ? ui::Color::white() : PlyxTokens::ink;
    return ReminderRow{item, 11, 11, 15, check, ctx}.body();
}

ui::View RemindersChecklist::body() const {
    const double u = ctx.u;
    const bool caps = ctx.theme.labels == ThemeSettings::LabelStyle::monoCaps;
    const auto open = std::count_if(data.items.begin(), data.items.end(), [](const auto& i) { return !i.done; });
    auto chip = ui::Text(std::to_string(open))
                    .font(PlyxFonts::label(11 * u, ctx.theme.labels))
                    .foregroundColor(ui::Color::white())
                    .padding(ui::Edges::horizontal, 6 * u)
                    .frame(ui::FlexFrame{.minWidth = 20 * u, .minHeight = 20 * u})
                    .background(ui::Capsule().fill(ctx.pal.accent));
    auto header = ui::HStack(
                      {
                          numeralFit(ui::Text(caps ? upperCased(kHeading) : kHeading)
                                         .font(PlyxFonts::numerals(16 * u, ctx.theme.numerals, ui::FontWeight::heavy))
                                         .tracking(caps ? 0.96 * u : 0))
                              .foregroundColor(ctx.pal.ink),
                          ui::Spacer(),
                          chip,
                      },
                      ui::VerticalAlignment::center)
                      .padding(ui::Edges::bottom, 12 * u);

    std::vector<ui::View> shown;
    for (const auto& item : rows()) {
        if (shown.size() == kRows) break;
        shown.push_back(reminderRow(item));
    }
    return ui::VStack({header, ui::VStack(std::move(shown), ui::HorizontalAlignment::leading, 9 * u)},
                      ui::HorizontalAlignment::leading, 0)
        .padding(16 * u)
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
