#pragma once
// The water counter: a grid of glasses for the day's goal, four to a row,
// full for each glass drunk, with the litres and the count below. The whole
// widget is one button that logs a glass.
#include "platform/ui/View.h"
#include "shared/foundation/WCtx.h"
#include "shared/models/CounterSnapshot.h"

#include <string>

namespace plyx {

struct WaterView {
    CounterSnapshot data;
    WCtx ctx;

    /// Litres drunk at a quarter litre a glass, two decimals, ".00" dropped:
    /// "0L", "1.50L", "2L". Counts past the goal.
    static std::string litresText(std::int64_t glasses);
    /// Rows of four glasses the goal needs (none for a goal of 0 or less).
    static int rowCount(std::int64_t goal);
    /// The serialised intent the button runs.
    static std::string action();

    ui::View body() const;
};

} // namespace plyx
