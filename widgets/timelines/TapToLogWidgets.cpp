#include "widgets/timelines/TapToLogWidgets.h"

#include "shared/stores/ExtrasStore.h"
#include "shared/views/habits/HabitsView.h"
#include "shared/views/habits/StepsView.h"
#include "shared/views/stopwatch/StopwatchView.h"
#include "shared/views/stopwatch/WaterView.h"
#include "widgets/timelines/LocalProvider.h"

namespace plyx {

namespace TapToLogLive {

StopwatchState stopwatch() { return ExtrasStore::stopwatch(); }

std::vector<HabitWeekRow> habits() { return ExtrasStore::habitWeek(); }

CounterSnapshot steps() {
    // The goal first, then the day's count.
    const auto goal = ExtrasStore::stepsGoal();
    return ExtrasStore::counter(kStepsCounter, goal);
}

CounterSnapshot water() {
    const auto goal = ExtrasStore::waterGoal();
    return ExtrasStore::counter(kWaterCounter, goal);
}

} // namespace TapToLogLive

std::vector<DeclaredWidget> tapToLogWidgets() {
    return {
        declare(StopwatchWidget, LocalProvider<StopwatchState>{StopwatchState::sample(), &TapToLogLive::stopwatch, 60},
                viewOf<StopwatchView>),
        declare(HabitsWidget, LocalProvider<std::vector<HabitWeekRow>>{HabitWeekRow::samples(), &TapToLogLive::habits, 60},
                [](const PlyxEntry<std::vector<HabitWeekRow>>& e, const WCtx& ctx) {
                    return HabitsView{e.data, ctx}.body();
                }),
        declare(StepsWidget, LocalProvider<CounterSnapshot>{{8214, 10000}, &TapToLogLive::steps, 30}, viewOf<StepsView>),
        declare(WaterWidget, LocalProvider<CounterSnapshot>{{5, 8}, &TapToLogLive::water, 30}, viewOf<WaterView>),
    };
}

} // namespace plyx
