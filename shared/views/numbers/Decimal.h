#pragma once
// Numbers written the way the widgets print prices, changes, laps and litres:
// a fixed count of decimals with a full stop, whatever the process's C
// locale (the GUI application adopts the user's, in which printf may write a
// comma), and whole numbers grouped the way the user's locale groups them.
#include <cstdint>
#include <string>

namespace plyx::numbers {

/// `value` with exactly `decimals` digits after a full stop, rounded to the
/// nearest representable text (as "%.*f" does in the C locale). Not-a-number
/// and the infinities are written "nan", "inf" and "-inf".
std::string fixed(double value, int decimals);

/// `value` with the grouping separators of the current locale ("8,432" in
/// English, "8.432" in German), no decimals. Follows later locale changes.
std::string grouped(std::int64_t value);

} // namespace plyx::numbers
