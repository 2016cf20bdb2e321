#include "shared/intents/TempUnitOption.h"

namespace plyx::TempUnitOptionInfo {

namespace {
struct Row {
    TempUnitOption option;
    std::string_view raw;
    std::string_view title;
};
constexpr Row kRows[] = {
    {TempUnitOption::system, "system", "Follow system"},
    {TempUnitOption::celsius, "celsius", "Celsius"},
    {TempUnitOption::fahrenheit, "fahrenheit", "Fahrenheit"},
};
const Row& rowOf(TempUnitOption t) {
    for (const auto& r : kRows)
        if (r.option == t) return r;
    return kRows[0];
}
} // namespace

std::string_view rawValue(TempUnitOption t) { return rowOf(t).raw; }

std::optional<TempUnitOption> fromRawValue(std::string_view raw) {
    for (const auto& r : kRows)
        if (r.raw == raw) return r.option;
    return std::nullopt;
}

std::string_view displayText(TempUnitOption t) { return rowOf(t).title; }

} // namespace plyx::TempUnitOptionInfo
