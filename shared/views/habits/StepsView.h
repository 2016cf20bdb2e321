#pragma once
// The step counter: today's steps in large figures, a dot bar towards the
// daily goal and the goal below. The whole widget is one button that logs a
// thousand steps.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/CounterSnapshot.h"

#include <string>

namespace plyx {

struct StepsView {
    CounterSnapshot data;
    WCtx ctx;

    /// The lit share of the bar: steps over the goal, at most 1; 0 without a positive goal.
    double fraction() const;
    /// The serialised intent the button runs (its default of 1000 steps).
    static std::string action();

    ui::View body() const;
};

} // namespace plyx
