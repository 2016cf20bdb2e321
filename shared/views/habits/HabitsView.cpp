#include "shared/views/habits/HabitsView.h"

#include "shared/intents/InteractiveIntents.h"
#include "shared/views/kit/Caption.h"
#include "shared/views/kit/KitMath.h"

#include <algorithm>

namespace plyx {

std::string HabitsView::action(const Uuid& id) {
    return intents::serialise(HabitToggleIntent{id.string()});
}

ui::View HabitsView::body() const {
    const double u = ctx.u;
    std::vector<ui::View> children;
    const size_t shown = std::min(rows.size(), kMaxRows);
    for (size_t i = 0; i < shown; ++i) children.push_back(row(rows[i]));
    if (rows.empty()) children.push_back(Caption{kEmptyText, 11, 0, ctx.pal.inkDim, ctx});
    return ui::VStack(std::move(children), ui::HorizontalAlignment::center, 11 * u)
        .padding(ui::Edges::horizontal, 26 * u)
        .frameFill(ui::Alignment::center);
}

ui::View HabitsView::row(const HabitWeekRow& habit) const {
    const double u = ctx.u;
    const bool behind = habit.done < kOnTrackDays;
    const int dots = static_cast<int>(std::clamp<std::int64_t>(habit.total, 0, kit::kMaxDots));
    auto dayDots = ui::HStack(ui::ForEachIndex(dots,
                                               [&](int i) {
                                                   const ui::Color c = i < habit.done
                                                                           ? (behind ? ctx.pal.accent : ctx.pal.fill)
                                                                           : ctx.pal.track;
                                                   return ui::View(ui::Circle().fill(c).frame(12 * u, 12 * u));
                                               }),
                              ui::VerticalAlignment::center, 8 * u);
    auto label = ui::HStack(
        {
            Caption{habit.name, 10, 0.08, behind ? ctx.pal.accent : ctx.pal.ink, ctx}.body().frame(
                70 * u, std::nullopt, ui::Alignment::leading),
            dayDots,
            ui::Spacer(0),
            Caption{std::to_string(habit.done) + " / " + std::to_string(habit.total), 10, 0,
                    behind ? ctx.pal.accent : ctx.pal.inkDim, ctx},
        },
        ui::VerticalAlignment::center, 14 * u);
    return ui::Button(label, action(habit.id));
}

} // namespace plyx
