#pragma once
// The temperature unit a weather widget shows: the one the user's locale
// measures in, or Celsius or Fahrenheit whatever the locale.
#include <array>
#include <optional>
#include <string_view>

namespace plyx {

enum class TempUnitOption { system, celsius, fahrenheit };

namespace TempUnitOptionInfo {
/// Every case, in the order the configuration sheet lists them.
inline constexpr std::array<TempUnitOption, 3> allCases{TempUnitOption::system, TempUnitOption::celsius,
                                                        TempUnitOption::fahrenheit};
/// The type's display text.
inline constexpr const char* typeDisplayText = "Units";

/// "system", "celsius", "fahrenheit".
std::string_view rawValue(TempUnitOption t);
/// The case of a raw value; any other text gives none.
std::optional<TempUnitOption> fromRawValue(std::string_view raw);
/// "Follow system", "Celsius", "Fahrenheit".
std::string_view displayText(TempUnitOption t);
} // namespace TempUnitOptionInfo

} // namespace plyx
