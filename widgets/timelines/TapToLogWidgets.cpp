#include "widgets/timelines/TapToLogWidgets.h"

#include "shared/views/habits/HabitsView.h"
#include "shared/views/habits/StepsView.h"
#include "shared/views/stopwatch/StopwatchView.h"
#include "shared/views/stopwatch/WaterView.h"
#include "widgets/timelines/LocalProvider.h"

namespace plyx {

namespace TapToLogLive {

StopwatchState stopwatch() { return StopwatchState::stored(); }

std::vector<HabitWeekRow> habits() { return HabitWeekRow::current(); }

CounterSnapshot steps() {
    // The goal first, then the day's count.
    const auto goal = CounterSnapshot::stepsGoal();
    return CounterSnapshot::today(kStepsCounter, goal);
}

CounterSnapshot water() {
    const auto goal = CounterSnapshot::waterGoal();
    return CounterSnapshot::today(kWaterCounter, goal);
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
