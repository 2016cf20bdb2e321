#include "shared/views/quote/InboxView.h"

#include "shared/foundation/PlyxFonts.h"
#include "shared/views/kit/Caption.h"

#include <algorithm>
#include <cmath>

namespace plyx {

namespace {
constexpr const char* kTitle = "Inbox";
constexpr const char* kNoCount = "\u2014";
constexpr const char* kNoUnread = "No unread mail";
constexpr const char* kConnect = "Connect Mail in Plyx Settings";
constexpr const char* kMinutesAgo = " min ago";
constexpr const char* kHoursAgo = "h ago";
// More minutes than any clock will show; keeps a far-off date out of
// undefined conversions.
constexpr double kMaxMinutes = 9.0e15;
} // namespace

std::string InboxView::ago(std::optional<Date> date, Date now) {
    if (!date) return "";
    const double minutes = std::trunc((now - *date) / 60);
    const auto m = static_cast<std::int64_t>(std::clamp(std::isfinite(minutes) ? minutes : 0.0, 0.0, kMaxMinutes));
    if (m <= 59) return std::to_string(m) + kMinutesAgo;
    return std::to_string(m / 60) + kHoursAgo;
}

ui::View InboxView::body() const {
    const double u = ctx.u;
    return ui::ReadEnvironment([*this, u](const ui::Environment& env) {
        const bool lit = data && data->unread > 0;
        auto header = ui::HStack({Caption{kTitle, 9, 0.16, ctx.pal.inkDim, ctx}, ui::Spacer(),
                                  ui::Circle().fill(lit ? ctx.pal.accent : ctx.pal.inkFaint).frame(8 * u, 8 * u)},
                                 ui::VerticalAlignment::center);
        auto count = numeralFit(ui::Text(data ? std::to_string(data->unread) : kNoCount)
                                    .font(PlyxFonts::numerals(64 * u, ctx.theme.numerals, ui::FontWeight::black)))
                         .foregroundColor(ctx.pal.ink)
                         .padding(ui::Edges::top, 8 * u);
        std::vector<ui::View> rows{header, count};
        if (data && data->connected) {
            rows.push_back(ui::Text(data->latestPreview.value_or(kNoUnread))
                               .font(PlyxFonts::label(10 * u, ctx.theme.labels))
                               .foregroundColor(ctx.pal.ink)
                               .lineLimit(1));
            rows.push_back(Caption{ago(data->latestDate, env.now), 9, 0, ctx.pal.inkFaint, ctx}.body().padding(
                ui::Edges::top, 3 * u));
        } else {
            rows.push_back(Caption{kConnect, 9, 0, ctx.pal.inkDim, ctx});
        }
        return ui::VStack(std::move(rows), ui::HorizontalAlignment::leading, 0)
            .padding(ui::EdgeInsets{20 * u, 22 * u, 20 * u, 22 * u})
            .frameFill(ui::Alignment::topLeading);
    });
}

} // namespace plyx
