#include "shared/views/reminders/RemindersToday.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/foundation/PlyxTokens.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/DotBar.h"
#include "shared/views/reminders/ReminderRow.h"

#include <algorithm>

namespace plyx {

namespace {
constexpr const char* kHeading = "Today";
constexpr const char* kPlus = "+";
constexpr size_t kRows = 5;
} // namespace

ui::View RemindersToday::body() const {
    const double u = ctx.u;
    const bool caps = ctx.theme.labels == ThemeSettings::LabelStyle::monoCaps;
    const auto heading = PlyxFonts::numerals(19 * u, ctx.theme.numerals, ui::FontWeight::heavy);
    const auto n = data.items.size();
    const auto d = static_cast<size_t>(
        std::count_if(data.items.begin(), data.items.end(), [](const auto& i) { return i.done; }));

    auto header = ui::HStack(
        {
            numeralFit(ui::Text(caps ? upperCased(kHeading) : kHeading).font(heading).tracking(caps ? 1.14 * u : 0))
                .foregroundColor(ctx.pal.ink),
            ui::Spacer(),
            numeralFit(ui::Text(kPlus).font(heading)).foregroundColor(ctx.pal.accent),
        },
        ui::VerticalAlignment::firstTextBaseline);

    std::vector<ui::View> rows;
    for (size_t i = 0; i < std::min(n, kRows); ++i)
        rows.push_back(ReminderRow{data.items[i], 12, 11.5, 16, PlyxTokens::ink, ctx}.body());

    const double fraction = n > 0 ? static_cast<double>(d) / static_cast<double>(n) : 0.0;
    return ui::VStack(
               {
                   header,
                   ui::VStack(std::move(rows), ui::HorizontalAlignment::leading, 19 * u).padding(ui::Edges::top, 20 * u),
                   ui::Spacer(0),
                   Caption{std::to_string(d) + " of " + std::to_string(n) + " done", 10, 0.16, ctx.pal.inkDim, ctx}
                       .body()
                       .padding(ui::Edges::bottom, 8 * u),
                   DotBar{fraction, 0, 8, 6.7, ctx.pal.track, ctx.pal.fill, ui::Color::clear(), u}.body(),
               },
               ui::HorizontalAlignment::leading, 0)
        .padding(ui::EdgeInsets{26 * u, 26 * u, 22 * u, 26 * u})
        .frameFill(ui::Alignment::topLeading);
}

} // namespace plyx
